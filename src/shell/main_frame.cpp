#include "shell/main_frame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDebug>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>

#include "shell/button_grid.h"
#include "shell/button_pictures.h"
#include "shell/child_frame.h"
#include "shell/command_line_edit.h"
#include "shell/file_menu.h"
#include "shell/item_bar.h"
#include "shell/midi_services.h"
#include "shell/tsmith_doc.h"
#include "shell/tsmith_view.h"

namespace ts::shell {
namespace {

constexpr int kRecentFiles = 4;
constexpr int kFirstStartWidth = 1200, kFirstStartHeight = 860;  // pixels, before any placement is stored
constexpr int kCommandBarWidth = 560;
constexpr int kWaitPollMilliseconds = 10;  // how often a waiting engine looks for its input
constexpr const char* kRecentKey = "Recent File List/Files";
constexpr const char* kBarStateKey = "General/BarState";
constexpr std::array<const char*, kBars> kBarNames{"File tools", "Item bar", "Edit menu", "Command bar",
                                                   "Input tools", "Zoom bar"};
constexpr std::array<Bar, kBars> kDockOrder{Bar::FileTools, Bar::ItemBar,  Bar::SecondToolBar,
                                           Bar::CommandBar, Bar::ZoomBar, Bar::InputTools};
// The menu-bar menus, in their order.
constexpr std::array<const char*, 8> kBarMenus{"&File", "&Edit", "&View", "&Items", "&Input", "&Layout", "&Output", "&Help"};

QString settingsKey(const char* entry) { return QStringLiteral("%1/%2").arg(settings_keys::kSection, entry); }

// A button shows the command it sends (the last one of a sequence).
QString label(const CommandRow& row) {
  QString text = QString::fromStdString(row.strings.back()).trimmed();
  return text.isEmpty() ? QString::number(row.id) : text;
}

Qt::ToolBarArea areaForDock(int dock) {
  switch (dock) {
    case kDockBottom: return Qt::BottomToolBarArea;
    case kDockLeft: return Qt::LeftToolBarArea;
    case kDockRight: return Qt::RightToolBarArea;
    default: return Qt::TopToolBarArea;
  }
}

int alignmentStyleFor(Qt::ToolBarArea area, bool floating) {
  if (floating) return 0;
  switch (area) {
    case Qt::BottomToolBarArea: return kAlignBottom;
    case Qt::LeftToolBarArea: return kAlignLeft;
    case Qt::RightToolBarArea: return kAlignRight;
    default: return kAlignTop;
  }
}

bool isPageFile(const QString& path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  return suffix == QLatin1String("mus") || suffix == QLatin1String("pag");
}

}  // namespace

CMainFrame::CMainFrame(const CommandTable& table, QSettings& settings, ButtonPictures* pictures)
    : m_table(table), m_settings(settings), m_pictures(pictures), m_platform(*this), m_bridge(m_platform) {
  setObjectName(QStringLiteral("mainFrame"));
  setWindowTitle(QStringLiteral("Tonesmith"));
  setAcceptDrops(true);
  m_view = new CTSmithView(m_bridge);
  m_childFrame = new CChildFrame(m_view);
  setCentralWidget(m_childFrame);
  m_document = std::make_unique<CTSmithDoc>(m_bridge);
  connect(m_view, &CTSmithView::zoomChanged, this, [this] { showZoom(m_bridge.display().zoom); });
  readSettings();
  if (createBars()) dockBars();
  m_midi = std::make_unique<MidiServices>(*this, m_bridge);
  createMenus();
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::attachEngine(Engine& engine) {
  m_bridge.attach(engine);
  m_bridge.display() = m_frameSettings.display;
  showEditMenu(kMainEditMenu);
  refreshItemBar();
}

// ---- settings ----------------------------------------------------------------

void CMainFrame::readSettings() {
  const auto entry = [&](const char* name) { return m_settings.value(settingsKey(name)).toString().toStdString(); };
  m_frameSettings = readFrameSettings(entry(settings_keys::kWindowPos), entry(settings_keys::kToolbarState),
                                      entry(settings_keys::kTbarRects), entry(settings_keys::kTbarDocks));
  resize(kFirstStartWidth, kFirstStartHeight);
  if (const std::optional<WindowPlacement>& p = m_frameSettings.placement) {
    const int width = p->right - p->left, height = p->bottom - p->top;
    if (width > 0 && height > 0) setGeometry(p->left, p->top, width, height);
  }
}

void CMainFrame::writeSettings() {
  WindowPlacement placement;
  const QRect normal = normalGeometry();
  placement.showCommand = isMaximized() ? 3 : isMinimized() ? 2 : 1;
  placement.minX = placement.minY = placement.maxX = placement.maxY = -1;
  placement.left = normal.left();
  placement.top = normal.top();
  placement.right = normal.right() + 1;
  placement.bottom = normal.bottom() + 1;
  placement.pageFrameMaximized = m_childFrame->isMaximized() ? 1 : 0;
  m_settings.setValue(settingsKey(settings_keys::kWindowPos), QString::fromStdString(writeWindowPos(placement)));
  m_settings.setValue(QString::fromLatin1(kBarStateKey), saveState());
  FrameSettings& s = m_frameSettings;
  s.display = m_bridge.display();
  for (int b = 0; b < kBars; ++b) {
    QToolBar* toolBar = m_bars[b];
    if (!toolBar) continue;
    s.barVisible[b] = toolBar->isVisibleTo(this) ? 1 : 0;
    const QRect r = toolBar->geometry();
    s.barRects[b] = {r.bottom() + 1, r.left(), r.right() + 1, r.top()};
    s.docks[b] = dockSideForAlignment(alignmentStyleFor(toolBarArea(toolBar), toolBar->isFloating()));
  }
  m_settings.setValue(settingsKey(settings_keys::kToolbarState), QString::fromStdString(writeToolbarState(s)));
  m_settings.setValue(settingsKey(settings_keys::kTbarRects), QString::fromStdString(writeTbarRects(s)));
  m_settings.setValue(settingsKey(settings_keys::kTbarDocks), QString::fromStdString(writeTbarDocks(s)));
  m_settings.sync();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  writeSettings();
  event->accept();
}

// ---- bars --------------------------------------------------------------------

bool CMainFrame::createBars() {
  if (!statusBar()) {
    qDebug("%s", frame_messages::kStatusBarFailed);
    return false;
  }
  statusBar()->showMessage(QStringLiteral("Ready"));
  const bool toolTips = m_settings.value(QStringLiteral("%1/%2").arg(settings_keys::kGeneralSection, settings_keys::kToolTips), 1).toInt() != 0;
  for (int b = 0; b < kBars; ++b) {
    m_bars[b] = new QToolBar(QString::fromLatin1(kBarNames[b]), this);
    m_bars[b]->setObjectName(QStringLiteral("bar%1").arg(b));
    // The edit menus show pictures, and their labels where they have none.
    const bool editButtons = b == static_cast<int>(Bar::SecondToolBar) || b == static_cast<int>(Bar::InputTools);
    m_bars[b]->setToolButtonStyle(editButtons && m_pictures ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextOnly);
    if (!toolTips) m_bars[b]->setToolTipDuration(0);
  }
  m_editGrid = addButtonGrid(Bar::SecondToolBar);
  m_inputGrid = addButtonGrid(Bar::InputTools);
  // The command bar: message field (1000) and command line (1001).
  auto* commandBar = new QWidget(this);
  auto* layout = new QVBoxLayout(commandBar);
  layout->setContentsMargins(2, 2, 2, 2);
  m_messageField = new QLineEdit(commandBar);
  m_messageField->setReadOnly(true);
  m_messageField->setObjectName(QStringLiteral("message1000"));
  m_commandLine = new CommandLineEdit(m_bridge, commandBar);
  m_commandLine->setFixedHeight(m_commandLine->fontMetrics().lineSpacing() * 3 + 10);
  commandBar->setMinimumWidth(kCommandBarWidth);
  commandBar->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  layout->addWidget(m_messageField);
  layout->addWidget(m_commandLine);
  bar(Bar::CommandBar)->addWidget(commandBar);
  // The item bar.
  m_itemBar = new CItemBar(this);
  bar(Bar::ItemBar)->addWidget(m_itemBar);
  // File tools.
  QToolBar* file = bar(Bar::FileTools);
  file->addAction(QStringLiteral("Open"), this, [this] {
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Open"), {}, QStringLiteral("Tonesmith Files (*.mus *.pag)"));
    if (!path.isEmpty()) openPage(path);
  });
  file->addAction(QStringLiteral("Save"), this, [this] { saveAs(); });
  // The zoom bar: minus, the percentage (1040), plus.
  QToolBar* zoom = bar(Bar::ZoomBar);
  zoom->addAction(QStringLiteral("Zoom -"), this, &CMainFrame::zoomMinus);
  m_zoomField = new QLineEdit(zoom);
  m_zoomField->setObjectName(QStringLiteral("zoom1040"));
  m_zoomField->setReadOnly(true);
  m_zoomField->setMaximumWidth(60);
  zoom->addWidget(m_zoomField);
  zoom->addAction(QStringLiteral("Zoom +"), this, &CMainFrame::zoomPlus);
  // The input tools: the input edit menu's buttons.
  m_inputGrid->showActions(editMenuActions(kInputToolsMenu));
  return true;
}

ButtonGrid* CMainFrame::addButtonGrid(Bar which) {
  QToolBar* toolBar = bar(which);
  auto* grid = new ButtonGrid(toolBar->toolButtonStyle(), toolBar->iconSize(), toolBar);
  grid->setOrientation(toolBar->orientation());
  connect(toolBar, &QToolBar::orientationChanged, grid, &ButtonGrid::setOrientation);
  toolBar->addWidget(grid);
  return grid;
}

QList<QAction*> CMainFrame::shownButtons(Bar which) const {
  if (which == Bar::SecondToolBar && m_editGrid) return m_editGrid->actions();
  if (which == Bar::InputTools && m_inputGrid) return m_inputGrid->actions();
  return bar(which) ? bar(which)->actions() : QList<QAction*>{};
}

void CMainFrame::dockBars() {
  // The edit menu slot, the command bar and the input tools are wide: each
  // starts a row (or column) of its own, the zoom bar beside the command bar.
  for (const Bar which : kDockOrder) {
    const Qt::ToolBarArea area = areaForDock(m_frameSettings.docks[static_cast<int>(which)]);
    if (which == Bar::SecondToolBar || which == Bar::CommandBar || which == Bar::InputTools) addToolBarBreak(area);
    addToolBar(area, bar(which));
  }
  restoreState(m_settings.value(QString::fromLatin1(kBarStateKey)).toByteArray());
  for (int b = 0; b < kBars; ++b) m_bars[b]->setVisible(m_frameSettings.barVisible[b] != 0);
  showZoom(m_frameSettings.display.zoom);
}

QAction* CMainFrame::commandAction(const CommandRow& row, QObject* parent) {
  auto* action = new QAction(label(row), parent);
  action->setToolTip(QString::fromStdString(row.tooltip.empty() ? row.strings.front() : row.tooltip));
  action->setStatusTip(action->toolTip());
  action->setData(row.id);
  if (m_pictures) m_pictures->decorate(*action, row);
  const CommandRow* sent = &row;
  connect(action, &QAction::triggered, this, [this, sent] { m_bridge.sendCommands(sent->strings); });
  return action;
}

const QList<QAction*>& CMainFrame::editMenuActions(int menu) {
  auto found = m_editMenus.find(menu);
  if (found != m_editMenus.end()) return found->second;
  QList<QAction*>& actions = m_editMenus[menu];
  for (const CommandRow* row : m_table.buttonsOf(menu)) actions.push_back(commandAction(*row, this));
  return actions;
}

void CMainFrame::showEditMenu(int menu) {
  QToolBar* slot = bar(Bar::SecondToolBar);
  if (!slot || !m_editGrid) return;
  m_editGrid->showActions(editMenuActions(menu));
  slot->setWindowTitle(QStringLiteral("Edit menu %1").arg(menu));
  m_shownMenu = menu;
}

QList<QAction*> CMainFrame::menuBarCommandActions() const { return m_menuBarCommands; }

QAction* CMainFrame::actionForCommand(std::string_view command) const {
  const auto sends = [&](QAction* action) {
    const CommandRow* row = m_table.byId(action->data().toInt());
    return row && row->strings.size() == 1 && row->strings.front() == command;
  };
  for (const Bar shown : {Bar::SecondToolBar, Bar::InputTools})
    for (QAction* action : shownButtons(shown))
      if (sends(action)) return action;
  for (QAction* action : m_menuBarCommands)
    if (sends(action)) return action;
  return nullptr;
}

// ---- menus -------------------------------------------------------------------

void CMainFrame::createMenus() {
  std::map<std::string, QMenu*> menus;
  for (const char* title : kBarMenus) {
    std::string name(title + 1);  // without the '&'
    menus[name] = menuBar()->addMenu(QString::fromLatin1(title));
  }
  QMenu* file = menus["File"];
  file->addAction(QStringLiteral("&Open..."), QKeySequence::Open, this, [this] {
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Open"), {}, QStringLiteral("Tonesmith Files (*.mus *.pag)"));
    if (!path.isEmpty()) openPage(path);
  });
  file->addAction(QStringLiteral("&Save"), QKeySequence::Save, this, [this] {
    if (m_document->pathName().isEmpty() || !m_document->onSaveDocument(m_document->pathName())) saveAs();
  });
  file->addAction(QStringLiteral("Save &As..."), QKeySequence::SaveAs, this, &CMainFrame::saveAs);
  addExportAndPrint(*this, *file);
  m_recentMenu = file->addMenu(QStringLiteral("Recent &Pages"));
  rebuildRecentMenu();
  file->addSeparator();
  QMenu* edit = menus["Edit"];
  edit->addAction(QStringLiteral("&Undo"), QKeySequence::Undo, this, [this] { m_bridge.sendCommand("UNDO "); });
  edit->addAction(QStringLiteral("&Redo"), QKeySequence::Redo, this, [this] { m_bridge.sendCommand("RED "); });
  edit->addSeparator();
  addViewMenu(menus["View"]);
  for (const CommandRow* row : m_table.menuBarRows()) {
    QMenu* menu = menus.count(row->barMenu) ? menus[row->barMenu] : menus["Edit"];
    QAction* action = commandAction(*row, menu);
    action->setText(QString::fromStdString(row->barLabel));
    menu->addAction(action);
    m_menuBarCommands.push_back(action);
  }
  addPlayerEntries(*this, *menus["Output"]);
  m_midi->addDeviceMenu(*menus["Output"]);
  file->addSeparator();
  file->addAction(QStringLiteral("E&xit"), QKeySequence::Quit, this, &QWidget::close);
  menus["Help"]->addAction(QStringLiteral("&About Tonesmith"), this, [this] {
    QMessageBox::about(this, QStringLiteral("Tonesmith"),
                       QStringLiteral("Tonesmith: a music-engraving page editor.\nType commands in the command line, "
                                      "or use the edit menu's buttons."));
  });
}

void CMainFrame::addViewMenu(QMenu* view) {
  view->addAction(QStringLiteral("Zoom &plus"), QKeySequence::ZoomIn, this, &CMainFrame::zoomPlus);
  view->addAction(QStringLiteral("Zoom &minus"), QKeySequence::ZoomOut, this, &CMainFrame::zoomMinus);
  QMenu* colours = view->addMenu(QStringLiteral("&Colours"));
  colours->addAction(QStringLiteral("&Text Color..."), this, [this] { chooseDisplayColour(&DisplaySettings::textColour); });
  colours->addAction(QStringLiteral("&Selection Color..."), this, [this] { chooseDisplayColour(&DisplaySettings::selectionColour); });
  colours->addAction(QStringLiteral("&Fill Color..."), this, [this] { chooseDisplayColour(&DisplaySettings::fillColour); });
  colours->addAction(QStringLiteral("&Default Color..."), this, [this] { chooseDisplayColour(&DisplaySettings::penColour); });
  colours->addAction(QStringLiteral("&Background..."), this, [this] { chooseDisplayColour(&DisplaySettings::backgroundColour); });
  QAction* colourMode = colours->addAction(QStringLiteral("Colour &mode"));
  colourMode->setCheckable(true);
  colourMode->setChecked(m_frameSettings.display.colourMode != 0);
  connect(colourMode, &QAction::toggled, this, [this](bool on) {
    m_bridge.display().colourMode = on ? 1 : 0;
    renderView();
  });
  QMenu* bars = view->addMenu(QStringLiteral("&Bars"));
  for (QToolBar* toolBar : m_bars)
    if (toolBar) bars->addAction(toolBar->toggleViewAction());
  QMenu* editMenus = view->addMenu(QStringLiteral("Edit &menus"));
  for (const EditMenuInfo& menu : m_table.menus()) {
    const std::string command = "QQ" + std::to_string(menu.number) + " ";
    editMenus->addAction(QStringLiteral("Menu %1").arg(menu.number), this, [this, command] { m_bridge.sendCommand(command); });
  }
  view->addSeparator();
}

void CMainFrame::rebuildRecentMenu() {
  m_recentMenu->clear();
  for (const QString& path : m_settings.value(QString::fromLatin1(kRecentKey)).toStringList())
    m_recentMenu->addAction(path, this, [this, path] { openPage(path); });
}

void CMainFrame::addRecentFile(const QString& path) {
  QStringList files = m_settings.value(QString::fromLatin1(kRecentKey)).toStringList();
  const QString absolute = QFileInfo(path).absoluteFilePath();
  files.removeAll(absolute);
  files.prepend(absolute);
  while (files.size() > kRecentFiles) files.removeLast();
  m_settings.setValue(QString::fromLatin1(kRecentKey), files);
  rebuildRecentMenu();
}

// ---- actions -----------------------------------------------------------------

bool CMainFrame::openPage(const QString& path) {
  if (!m_document->onOpenDocument(path)) return false;
  addRecentFile(path);
  return true;
}

void CMainFrame::saveAs() {
  const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Save As"), m_document->pathName(),
                                                    QStringLiteral("Tonesmith Files (*.mus *.pag)"));
  if (!path.isEmpty() && m_document->onSaveDocument(path)) addRecentFile(path);
}

void CMainFrame::chooseDisplayColour(uint32_t DisplaySettings::*colour) {
  if (m_bridge.engineBusy()) return;
  DisplaySettings& display = m_bridge.display();
  if (const std::optional<uint32_t> chosen = m_platform.chooseColour(display.*colour)) {
    display.*colour = *chosen;
    renderView();
  }
}

void CMainFrame::zoomPlus() {
  m_bridge.setZoom(ts::shell::zoomPlus(m_bridge.display().zoom));
  m_view->setZoomBoxMode(!m_view->zoomBoxMode());
  renderView();
}

void CMainFrame::zoomMinus() {
  m_bridge.setZoom(ts::shell::zoomMinus(m_bridge.display().zoom));
  renderView();
}

void CMainFrame::renderView() { m_view->rebuild(); }

void CMainFrame::refreshItemBar() {
  if (m_itemBar && m_bridge.engineAttached()) m_itemBar->refresh(m_bridge.engine());
}

void CMainFrame::updateTitle() {
  if (m_bridge.engineAttached()) setWindowTitle(QString::fromStdString(m_bridge.engine().title()));
}

void CMainFrame::showZoom(int zoom) {
  if (m_zoomField) m_zoomField->setText(QString::asprintf("%d", zoomPercent(zoom)));
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
  for (const QUrl& url : event->mimeData()->urls()) {
    const QString path = url.toLocalFile();
    if (isPageFile(path)) {
      event->acceptProposedAction();
      openPage(path);
      return;
    }
  }
}

// ---- the platform ------------------------------------------------------------

QtShellPlatform::QtShellPlatform(CMainFrame& frame) : m_frame(frame), m_dialogs(&frame), m_progress(&frame) {}

void QtShellPlatform::showMessageField(std::string_view text) {
  m_frame.messageField().setText(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
  m_frame.messageField().repaint();
  if (ScriptedAnswers* answers = m_dialogs.scriptedAnswers()) answers->print(text);
}

void QtShellPlatform::appendToCommandLine(std::string_view text) {
  m_frame.commandLine().moveCursor(QTextCursor::End);
  m_frame.commandLine().insertPlainText(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
}

void QtShellPlatform::focusView() { m_frame.view().setFocus(); }
void QtShellPlatform::render() { m_frame.renderView(); }
void QtShellPlatform::refreshItemBar() { m_frame.refreshItemBar(); }
void QtShellPlatform::updateMainWindow() { m_frame.updateTitle(); }
void QtShellPlatform::showZoom(int zoom) { m_frame.showZoom(zoom); }

void QtShellPlatform::loadEditMenu(int menu) {
  // Queued: the button that asked for the switch is still being clicked.
  QTimer::singleShot(0, &m_frame, [frame = &m_frame, menu] { frame->showEditMenu(menu); });
}

bool QtShellPlatform::runEventsUntil(const std::function<bool()>& done) {
  if (done()) return true;
  if (!m_quitPending) {
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
      if (done()) loop.exit(0);
    });
    poll.start(kWaitPollMilliseconds);
    loop.exec();  // a quit request ends every running loop, this one too
    if (done()) return true;
  }
  // Pass the quit on: the application closes once the engine has returned.
  m_quitPending = true;
  QTimer::singleShot(0, qApp, &QCoreApplication::quit);
  return false;
}

}  // namespace ts::shell
