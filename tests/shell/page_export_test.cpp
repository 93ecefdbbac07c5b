// Export of the open page from the desktop program: every format reaches
// its file whole, and a failed export says so and leaves an earlier file
// of the same name as it was.

#include "shell/page_export.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QMenuBar>
#include <fstream>
#include <set>

#include "engine/engine.h"
#include "platform/drive_map.h"
#include "shell/file_menu.h"
#include "shell/main_frame.h"
#include "shell/musicxml_files.h"

namespace ts::shell {
namespace {

CommandTable readTable() {
  std::ifstream commands(TONESMITH_COMMAND_DATA "/commands.tsv"), menus(TONESMITH_COMMAND_DATA "/menus.tsv");
  std::vector<std::string> errors;
  return CommandTable::read(commands, menus, errors);
}

class SilentAnswers : public ScriptedAnswers {
 public:
  std::optional<std::string> nextAnswer() override { return std::nullopt; }
  void print(std::string_view text) override { shown.emplace_back(text); }
  std::vector<std::string> shown;
};

QByteArray contents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class PageExportTest : public ::testing::Test {
 protected:
  PageExportTest()
      : m_settings(m_folder.filePath("settings.ini"), QSettings::IniFormat),
        m_frame(m_table, m_settings),
        m_drives(m_folder.path().toStdString()),
        m_engine(m_frame.bridge(), m_drives, TONESMITH_CANTLIB) {
    m_frame.platform().dialogs().setScriptedAnswers(&m_answers);
    m_frame.attachEngine(m_engine);
    m_frame.bridge().sendCommand("STAFF ");
    m_frame.bridge().sendCommand("TREB");
  }

  SilentAnswers m_answers;
  QTemporaryDir m_folder;
  CommandTable m_table = readTable();
  QSettings m_settings;
  CMainFrame m_frame;
  DriveMap m_drives;
  Engine m_engine;
};

TEST_F(PageExportTest, EveryFormatIsWrittenWhole) {
  struct Case {
    const char* name;
    QByteArray start;
  };
  const Case cases[] = {{"page.png", "\x89PNG"}, {"page.svg", "<?xml"}, {"page.pdf", "%PDF-"},
                        {"page.ps", "%!PS-Adobe"}, {"page.eps", "%!PS-Adobe-2.0 EPSF"}};
  for (const Case& c : cases) {
    const QString path = m_folder.filePath(c.name);
    EXPECT_TRUE(exportOpenPage(m_frame, path)) << c.name;
    EXPECT_TRUE(contents(path).startsWith(c.start)) << c.name << ": " << contents(path).left(20).toStdString();
    EXPECT_TRUE(m_frame.messageField().text().startsWith(export_messages::kWritten)) << c.name;
  }
  EXPECT_TRUE(contents(m_folder.filePath("page.svg")).contains("<path")) << "the staff and the clef are drawn";
}

TEST_F(PageExportTest, AFailedExportKeepsTheEarlierFile) {
  const QString kept = m_folder.filePath("kept.pdf");
  {
    QFile file(kept);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("earlier");
  }
  QFile::setPermissions(kept, QFileDevice::ReadOwner);
  EXPECT_FALSE(exportOpenPage(m_frame, kept));
  EXPECT_EQ(contents(kept), QByteArray("earlier"));
  EXPECT_FALSE(exportOpenPage(m_frame, m_folder.filePath("no-folder/page.png")));
  EXPECT_FALSE(QFile::exists(m_folder.filePath("no-folder/page.png")));
  EXPECT_FALSE(m_answers.shown.empty()) << "the failure is shown";
  EXPECT_FALSE(exportOpenPage(m_frame, m_folder.filePath("page.doc"))) << "no format of that name";
}

TEST_F(PageExportTest, PagesExportInTurnAndStopBetweenPages) {
  const QString first = m_folder.filePath("first.mus"), second = m_folder.filePath("second.mus");
  ASSERT_TRUE(m_frame.bridge().savePage(first.toStdString()));
  m_frame.bridge().sendCommand("BASS");
  ASSERT_TRUE(m_frame.bridge().savePage(second.toStdString()));
  const QString damaged = m_folder.filePath("damaged.mus");
  {
    QFile file(damaged);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a page");
  }
  const QString out = m_folder.filePath("out");
  ASSERT_TRUE(QDir().mkpath(out));
  std::vector<int> asked;
  const int exported = exportPages(m_frame, {first, damaged, second}, out, ExportFormat::Png, [&](int done, const QString&) {
    asked.push_back(done);
    return true;
  });
  EXPECT_EQ(exported, 2);
  EXPECT_EQ(asked, (std::vector<int>{0, 1, 2}));
  EXPECT_TRUE(contents(out + "/first.png").startsWith("\x89PNG"));
  EXPECT_TRUE(contents(out + "/second.png").startsWith("\x89PNG"));
  EXPECT_FALSE(QFile::exists(out + "/damaged.png")) << "the page before it is not exported under its name";
  EXPECT_NE(contents(out + "/first.png"), contents(out + "/second.png"));

  const QString stopped = m_folder.filePath("stopped");
  ASSERT_TRUE(QDir().mkpath(stopped));
  EXPECT_EQ(exportPages(m_frame, {first, second}, stopped, ExportFormat::Pdf, [](int done, const QString&) { return done < 1; }), 1);
  EXPECT_TRUE(QFile::exists(stopped + "/first.pdf"));
  EXPECT_FALSE(QFile::exists(stopped + "/second.pdf"));
}

TEST_F(PageExportTest, PagesAreNotExportedOverChangesNotSaved) {
  ASSERT_TRUE(m_engine.modified());
  const QString page = m_folder.filePath("other.mus");
  EXPECT_EQ(exportPages(m_frame, {page}, m_folder.path(), ExportFormat::Png, [](int, const QString&) { return true; }), 0);
  EXPECT_EQ(m_engine.page().itemCount(), 2) << "the page with its changes is still there";
  EXPECT_FALSE(m_answers.shown.empty());
}

// The import asks before each page it writes; a stop leaves the pages
// before it written whole, the rest never begun, and says so.
TEST_F(PageExportTest, AScoreImportStepsThroughItsPagesAndStopsBetweenThem) {
  const QString kTwoPageScore = TONESMITH_INTERCHANGE_DATA "/piano32.musicxml";
  struct Step {
    int done, total;
    std::string page;
  };
  std::vector<Step> steps;
  const MusicXmlOutcome all = importMusicXml(m_frame, kTwoPageScore, m_folder.filePath("all"),
                                             [&steps](int done, int total, std::string_view page) {
                                               steps.push_back({done, total, std::string(page)});
                                               return true;
                                             });
  ASSERT_TRUE(all.done) << all.message;
  ASSERT_GE(all.written.size(), 2u) << "a score of more than one page";
  ASSERT_EQ(steps.size(), all.written.size());
  for (size_t i = 0; i < steps.size(); ++i) {
    EXPECT_EQ(steps[i].done, static_cast<int>(i));
    EXPECT_EQ(steps[i].total, static_cast<int>(all.written.size()));
    EXPECT_EQ(steps[i].page, all.written[i]);
  }
  for (const int stopAt : {0, 1}) {
    const QString stem = m_folder.filePath("stopped" + QString::number(stopAt));
    const MusicXmlOutcome stopped = importMusicXml(m_frame, kTwoPageScore, stem,
                                                   [stopAt](int done, int, std::string_view) { return done < stopAt; });
    EXPECT_EQ(stopped.done, stopAt > 0);
    EXPECT_EQ(stopped.written.size(), static_cast<size_t>(stopAt));
    EXPECT_EQ(stopped.message.rfind(musicxml_messages::kImportCancelled, 0), 0u) << stopped.message;
    for (size_t i = 0; i < all.written.size(); ++i) {
      const QString name = stem + QString::number(i + 1) + ".MUS";
      EXPECT_EQ(QFile::exists(name), i < static_cast<size_t>(stopAt)) << name.toStdString();
      if (i < static_cast<size_t>(stopAt)) {
        EXPECT_EQ(contents(name), contents(QString::fromStdString(all.written[i])));
      }
    }
  }
}

TEST_F(PageExportTest, AScoreImportsIntoPagesAndThePageExportsAsAScore) {
  const QString stem = m_folder.filePath("song");
  const MusicXmlOutcome imported = importMusicXml(m_frame, TONESMITH_INTERCHANGE_DATA "/elements.musicxml", stem);
  ASSERT_TRUE(imported.done) << imported.message;
  ASSERT_FALSE(imported.written.empty());
  EXPECT_TRUE(QFile::exists(QString::fromStdString(imported.written.front())));
  EXPECT_GT(m_engine.page().itemCount(), 2) << "the first page is open";
  const QString score = m_folder.filePath("song.musicxml");
  const MusicXmlOutcome exported = exportMusicXml(m_frame, score);
  ASSERT_TRUE(exported.done) << exported.message;
  EXPECT_TRUE(contents(score).contains("<score-partwise"));

  const QString damaged = m_folder.filePath("damaged.musicxml");
  {
    QFile file(damaged);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<score-partwise><part");
  }
  const int before = m_engine.page().itemCount();
  const MusicXmlOutcome refused = importMusicXml(m_frame, damaged, m_folder.filePath("broken"));
  EXPECT_FALSE(refused.done);
  EXPECT_FALSE(refused.message.empty());
  EXPECT_TRUE(refused.written.empty());
  EXPECT_FALSE(QFile::exists(m_folder.filePath("broken1.MUS")));
  EXPECT_EQ(m_engine.page().itemCount(), before) << "the open page stays";
}

// The entries of one menu-bar menu, submenus' entries after their own, without '&'.
QStringList entriesOf(QMenu* menu) {
  QStringList names;
  for (QAction* action : menu->actions()) {
    names.append(action->text().remove('&'));
    if (action->menu()) names.append(entriesOf(action->menu()));
  }
  return names;
}

QMenu* menuNamed(CMainFrame& frame, const QString& name) {
  for (QAction* action : frame.menuBar()->actions())
    if (action->text().remove('&') == name) return action->menu();
  return nullptr;
}

TEST_F(PageExportTest, TheMainJobsAreWhereDesktopUsersLook) {
  QMenu* file = menuNamed(m_frame, "File");
  QMenu* output = menuNamed(m_frame, "Output");
  ASSERT_TRUE(file && output);
  const QStringList files = entriesOf(file), outputs = entriesOf(output);
  for (const char* entry : {"Open...", "Save", "Save As...", "Export", "PNG Picture...", "SVG Picture...", "PDF...",
                            "PostScript...", "EPS...", "MusicXML...", "Export Pages...", "Import MusicXML...", "Print...",
                            "Recent Pages"})
    EXPECT_TRUE(files.contains(QString::fromLatin1(entry))) << entry;
  for (const char* entry : {"Play", "Pause / Resume", "Stop"}) EXPECT_TRUE(outputs.contains(QString::fromLatin1(entry))) << entry;
  // The documented keys stay the command line's: no shortcut takes a bare
  // function key, arrow or page key, and no two entries share one.
  std::set<QString> taken;
  for (QMenu* menu : m_frame.menuBar()->findChildren<QMenu*>()) {
    for (QAction* action : menu->actions()) {
      const QKeySequence keys = action->shortcut();
      if (keys.isEmpty()) continue;
      const int key = keys[0].key(), modifiers = keys[0].keyboardModifiers().toInt();
      EXPECT_FALSE(modifiers == 0 && ((key >= Qt::Key_F1 && key <= Qt::Key_F12) || (key >= Qt::Key_Home && key <= Qt::Key_PageDown)))
          << action->text().toStdString();
      EXPECT_TRUE(taken.insert(keys.toString()).second) << keys.toString().toStdString() << " twice";
    }
  }
}

TEST(ExportNames, TheExtensionNamesTheFormat) {
  EXPECT_EQ(exportFormatFor("a/b.PNG"), ExportFormat::Png);
  EXPECT_EQ(exportFormatFor("b.eps"), ExportFormat::Eps);
  EXPECT_EQ(exportFormatFor("b.mus"), std::nullopt);
  EXPECT_EQ(withExtension("out", ExportFormat::Pdf), "out.pdf");
  EXPECT_EQ(withExtension("out.PDF", ExportFormat::Pdf), "out.PDF");
  EXPECT_EQ(withExtension("out.png", ExportFormat::Svg), "out.png.svg");
}

}  // namespace
}  // namespace ts::shell
