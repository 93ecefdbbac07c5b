#pragma once
// CMainFrame: the main window with its bars (command bar, item bar, the
// edit-menu slot, input tools, zoom bar, file tools), the menu bar and the
// page's frame; it reads its settings when created and writes them when
// closed.

#include <QLineEdit>
#include <QMainWindow>
#include <QSettings>
#include <QToolBar>
#include <array>
#include <map>
#include <memory>

#include "shell/command_bridge.h"
#include "shell/command_table.h"
#include "shell/frame_settings.h"
#include "shell/qt_platform.h"

namespace ts::shell {

class ButtonGrid;
class ButtonPictures;
class CChildFrame;
class CItemBar;
class CTSmithDoc;
class CTSmithView;
class CommandLineEdit;
class MidiServices;

namespace frame_messages {
inline constexpr const char* kStatusBarFailed = "Failed to create status bar\n";
inline constexpr const char* kCommandBarFailed = "Failed to create DlgBar\n";
inline constexpr const char* kInputToolsFailed = "Failed to create input tools\n";
inline constexpr const char* kZoomBarFailed = "Failed to create ZoomBar\n";
inline constexpr const char* kTool2Failed = "Failed to create tool2\n";
inline constexpr const char* kItemBarFailed = "Failed to create ItemBar\n";
}  // namespace frame_messages

constexpr int kInputToolsMenu = 144;
constexpr int kMessageFieldControl = 1000;
constexpr int kZoomFieldControl = 1040;

class CMainFrame : public QMainWindow {
  Q_OBJECT
 public:
  // Without `pictures` the buttons show their labels only.
  CMainFrame(const CommandTable& table, QSettings& settings, ButtonPictures* pictures = nullptr);
  ~CMainFrame() override;

  CommandBridge& bridge() { return m_bridge; }
  QtShellPlatform& platform() { return m_platform; }
  CTSmithView& view() { return *m_view; }
  CTSmithDoc& document() { return *m_document; }
  CommandLineEdit& commandLine() { return *m_commandLine; }
  CItemBar& itemBar() { return *m_itemBar; }
  MidiServices& midi() { return *m_midi; }
  QLineEdit& messageField() { return *m_messageField; }
  // The engine is made after the frame, with the bridge as its host.
  void attachEngine(Engine& engine);

  // The actions of an edit menu's buttons, made the first time they are asked for.
  const QList<QAction*>& editMenuActions(int menu);
  // Shows edit menu `menu` in the slot (at once; the bridge's request is queued).
  void showEditMenu(int menu);
  int shownEditMenu() const { return m_shownMenu; }
  QList<QAction*> menuBarCommandActions() const;
  QAction* actionForCommand(std::string_view command) const;
  QToolBar* bar(Bar which) const { return m_bars[static_cast<int>(which)]; }
  // The actions whose buttons a bar shows (the edit menu's and input tools' wrap in a grid).
  QList<QAction*> shownButtons(Bar which) const;

  // The view and the bars after an engine call.
  void renderView();
  void refreshItemBar();
  void updateTitle();
  void showZoom(int zoom);
  bool openPage(const QString& path);
  void addRecentFile(const QString& path);
  // The settings entries as written at close.
  void writeSettings();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void readSettings();
  bool createBars();
  void dockBars();
  ButtonGrid* addButtonGrid(Bar which);
  void createMenus();
  void addCommandMenus();
  void addViewMenu(QMenu* view);
  QAction* commandAction(const CommandRow& row, QObject* parent);
  void chooseDisplayColour(uint32_t DisplaySettings::*colour);
  void zoomPlus();
  void zoomMinus();
  void saveAs();
  void rebuildRecentMenu();

  const CommandTable& m_table;
  QSettings& m_settings;
  ButtonPictures* m_pictures = nullptr;
  QtShellPlatform m_platform;
  CommandBridge m_bridge;
  FrameSettings m_frameSettings;
  CChildFrame* m_childFrame = nullptr;
  CTSmithView* m_view = nullptr;
  std::unique_ptr<CTSmithDoc> m_document;
  std::unique_ptr<MidiServices> m_midi;
  CItemBar* m_itemBar = nullptr;
  CommandLineEdit* m_commandLine = nullptr;
  QLineEdit* m_messageField = nullptr;
  QLineEdit* m_zoomField = nullptr;
  std::array<QToolBar*, kBars> m_bars{};
  ButtonGrid* m_editGrid = nullptr;
  ButtonGrid* m_inputGrid = nullptr;
  std::map<int, QList<QAction*>> m_editMenus;
  QList<QAction*> m_menuBarCommands;
  QMenu* m_recentMenu = nullptr;
  int m_shownMenu = 0;
};

}  // namespace ts::shell
