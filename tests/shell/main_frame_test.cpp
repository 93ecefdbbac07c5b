// The main frame with a real engine, offscreen: every command of the table
// is reachable, buttons and the command line reach the engine, the item
// bar follows, and the settings written at close read back.

#include "shell/main_frame.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <filesystem>
#include <fstream>
#include <set>

#include "engine/engine.h"
#include "platform/drive_map.h"
#include "shell/command_line_edit.h"
#include "shell/item_bar.h"

namespace ts::shell {
namespace {

CommandTable readTable() {
  std::ifstream commands(TONESMITH_COMMAND_DATA "/commands.tsv");
  std::ifstream menus(TONESMITH_COMMAND_DATA "/menus.tsv");
  std::vector<std::string> errors;
  return CommandTable::read(commands, menus, errors);
}

// Dialogs close at once; what they showed is kept.
class RecordedAnswers : public ScriptedAnswers {
 public:
  std::optional<std::string> nextAnswer() override { return std::nullopt; }
  void print(std::string_view text) override { shown.emplace_back(text); }
  std::vector<std::string> shown;
};

class MainFrameTest : public ::testing::Test {
 protected:
  MainFrameTest()
      : m_settings(m_folder.filePath("settings.ini"), QSettings::IniFormat),
        m_frame(m_table, m_settings),
        m_drives(m_folder.path().toStdString()),
        m_engine(m_frame.bridge(), m_drives) {
    m_frame.platform().dialogs().setScriptedAnswers(&m_answers);
    m_frame.attachEngine(m_engine);
  }

  void typeLine(const QString& line) {
    m_frame.commandLine().moveCursor(QTextCursor::End);
    m_frame.commandLine().insertPlainText(line);
    QTest::keyClick(&m_frame.commandLine(), Qt::Key_Return);
  }

  RecordedAnswers m_answers;
  QTemporaryDir m_folder;
  CommandTable m_table = readTable();
  QSettings m_settings;
  CMainFrame m_frame;
  DriveMap m_drives;
  Engine m_engine;
};

TEST_F(MainFrameTest, EveryCommandIsReachable) {
  std::set<int> reachable;
  for (const EditMenuInfo& menu : m_table.menus())
    for (QAction* action : m_frame.editMenuActions(menu.number)) reachable.insert(action->data().toInt());
  for (QAction* action : m_frame.menuBarCommandActions()) {
    EXPECT_TRUE(action->associatedObjects().size() > 0) << "menu-bar entry " << action->data().toInt() << " is in no menu";
    reachable.insert(action->data().toInt());
  }
  std::set<int> ids;
  for (const CommandRow& row : m_table.rows()) ids.insert(row.id);
  EXPECT_EQ(reachable, ids);
}

TEST_F(MainFrameTest, ButtonsKeysAndTypedLinesReachTheEngine) {
  typeLine(QStringLiteral("STAFF"));
  EXPECT_EQ(m_engine.page().itemCount(), 1);
  QAction* treble = m_frame.actionForCommand("TR/");
  ASSERT_TRUE(treble) << "the input tools bar holds the clef buttons";
  m_frame.bridge().sendCommand("TREB");
  EXPECT_EQ(m_engine.page().itemCount(), 2);
  typeLine(QStringLiteral("I"));
  ASSERT_TRUE(m_engine.editing());
  EXPECT_EQ(m_frame.itemBar().fieldText(kItemControl).toStdString(), "2/2");
  EXPECT_EQ(m_frame.itemBar().fieldText(1037).toStdString(), " 3") << "P1 of a clef";
  const float step = m_engine.editRecord()[3];
  QTest::keyClick(&m_frame.commandLine(), Qt::Key_Up);
  EXPECT_EQ(m_engine.editRecord()[3], step + 1);
  EXPECT_EQ(m_frame.itemBar().fieldText(1022).toStdString(), QString::asprintf("%8.3f", static_cast<double>(step + 1)).toStdString());
  typeLine(QStringLiteral("X"));
  EXPECT_EQ(m_frame.itemBar().fieldText(kItemControl).toStdString(), "0/2");
  EXPECT_EQ(m_frame.itemBar().fieldText(1037).toStdString(), "");
}

TEST_F(MainFrameTest, AMenuButtonSwitchesTheEditMenu) {
  EXPECT_EQ(m_frame.shownEditMenu(), kMainEditMenu);
  QAction* items = m_frame.actionForCommand("QQ165 ");
  ASSERT_TRUE(items);
  items->trigger();
  QCoreApplication::processEvents();
  EXPECT_EQ(m_frame.shownEditMenu(), kItemsEditMenu);
  EXPECT_EQ(m_frame.shownButtons(Bar::SecondToolBar), m_frame.editMenuActions(kItemsEditMenu));
}

// Every button of the shown edit menu and of the input tools lies whole
// inside the window at its first size, none hidden in an overflow menu,
// for the default menu and for the longest menus.
TEST_F(MainFrameTest, EveryEditButtonIsInViewAtTheFirstWindowSize) {
  m_frame.resize(1200, 860);
  m_frame.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_frame));
  const QRect window = m_frame.rect();
  for (const int menu : {kMainEditMenu, 158, 227}) {
    m_frame.showEditMenu(menu);
    QCoreApplication::processEvents();
    QTest::qWait(20);
    for (const Bar which : {Bar::SecondToolBar, Bar::InputTools}) {
      const QToolButton* overflow = m_frame.bar(which)->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button"));
      EXPECT_TRUE(!overflow || !overflow->isVisible()) << "menu " << menu;
      for (QAction* action : m_frame.shownButtons(which)) {
        const QWidget* button = nullptr;
        for (QObject* shown : action->associatedObjects())
          if (auto* b = qobject_cast<QToolButton*>(shown); b && b->isVisible()) button = b;
        ASSERT_TRUE(button) << "menu " << menu << " button " << action->data().toInt();
        const QRect box(button->mapTo(&m_frame, QPoint(0, 0)), button->size());
        EXPECT_TRUE(window.contains(box)) << "menu " << menu << " button " << action->data().toInt();
      }
    }
  }
  EXPECT_EQ(m_frame.toolBarArea(m_frame.bar(Bar::SecondToolBar)), Qt::LeftToolBarArea);
}

TEST_F(MainFrameTest, SettingsWrittenAtCloseReadBack) {
  m_frame.bridge().setZoom(80);
  m_frame.writeSettings();
  const std::string state = m_settings.value("Settings/ToolbarState").toString().toStdString();
  const std::optional<std::vector<int64_t>> values = readNumberList(state, kToolbarStateValues);
  ASSERT_TRUE(values) << state;
  EXPECT_EQ((*values)[10], 80);
  EXPECT_TRUE(readNumberList(m_settings.value("Settings/TbarRects").toString().toStdString(), kRectValues));
  EXPECT_TRUE(readNumberList(m_settings.value("Settings/TbarDocks").toString().toStdString(), kBars));
  EXPECT_TRUE(readWindowPos(m_settings.value("Settings/WindowPos").toString().toStdString()));
  CMainFrame again(m_table, m_settings);
  EXPECT_EQ(again.bar(Bar::CommandBar)->isVisibleTo(&again), true);
}

}  // namespace
}  // namespace ts::shell

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
