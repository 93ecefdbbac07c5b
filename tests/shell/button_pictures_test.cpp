// The buttons' pictures, offscreen: drawn music symbols come out of the
// engine's drawing at both display scalings, differ as their symbols do,
// and fall back to labels without a symbol library; every button of the
// start-up bars shows a picture or a label that is not its mnemonic.

#include "shell/button_pictures.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <fstream>
#include <sstream>

#include "platform/drive_map.h"
#include "shell/main_frame.h"

namespace ts::shell {
namespace {

PictureTable shippedPictures() {
  std::ifstream rows(TONESMITH_COMMAND_DATA "/pictures.tsv");
  std::vector<std::string> errors;
  return PictureTable::read(rows, errors);
}

CommandTable shippedCommands() {
  std::ifstream commands(TONESMITH_COMMAND_DATA "/commands.tsv"), menus(TONESMITH_COMMAND_DATA "/menus.tsv");
  std::vector<std::string> errors;
  return CommandTable::read(commands, menus, errors);
}

// Pixels darker than mid grey and not transparent.
int inkedPixels(const QImage& image) {
  int inked = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      inked += (c.alpha() > 128 && c.lightness() < 128) ? 1 : 0;
    }
  return inked;
}

QImage imageAt(const QIcon& icon, double scale) {
  return icon.pixmap(QSize(kButtonPictureSize, kButtonPictureSize), scale).toImage();
}

class ButtonPicturesTest : public ::testing::Test {
 protected:
  QTemporaryDir m_folder;
  DriveMap m_drives{m_folder.path().toStdString()};
  ButtonPictures m_pictures{shippedPictures(), m_drives, TONESMITH_CANTLIB};
};

TEST_F(ButtonPicturesTest, MusicSymbolsAreDrawnCrispAtBothScalings) {
  struct Case {
    PictureKind kind;
    const char* argument;
  };
  const Case cases[] = {{PictureKind::Made, "TRE"}, {PictureKind::Made, "BAS"}, {PictureKind::Made, "REST"},
                        {PictureKind::Made, "ENO"}, {PictureKind::Staff, "3 1 0 0; 17 1 1.5 0 -3"},
                        {PictureKind::Items, "9 1 0 0 56"}, {PictureKind::Staff, "14 1 1 1 3"}};
  std::vector<QImage> seen;
  for (const Case& c : cases) {
    const QIcon icon = m_pictures.iconFor(Picture{c.kind, c.argument, ""});
    ASSERT_FALSE(icon.isNull()) << c.argument;
    const QImage single = imageAt(icon, 1.0), doubled = imageAt(icon, 2.0);
    EXPECT_EQ(single.size(), QSize(kButtonPictureSize, kButtonPictureSize)) << c.argument;
    EXPECT_EQ(doubled.size(), QSize(2 * kButtonPictureSize, 2 * kButtonPictureSize)) << c.argument << " is not scaled up";
    EXPECT_GT(inkedPixels(single), 8) << c.argument;
    EXPECT_GT(inkedPixels(doubled), 2 * inkedPixels(single)) << c.argument << " has its own doubled drawing";
    for (const QImage& other : seen) EXPECT_NE(single, other) << c.argument << " looks like another picture";
    seen.push_back(single);
  }
  EXPECT_GT(m_pictures.milliseconds(), 0.0);
}

TEST_F(ButtonPicturesTest, LabelsAndUndrawableItemsGiveNoPicture) {
  EXPECT_TRUE(m_pictures.iconFor(Picture{PictureKind::Label, "Height", ""}).isNull());
  EXPECT_TRUE(m_pictures.iconFor(Picture{PictureKind::Made, "NOSUCHWORD", ""}).isNull());
  EXPECT_TRUE(m_pictures.iconFor(Picture{PictureKind::Items, "8 0 0 0", ""}).isNull()) << "draws nothing";
}

TEST(ButtonPicturesWithoutLibrary, ButtonsShowTheirLabels) {
  QTemporaryDir folder;
  DriveMap drives(folder.path().toStdString());
  ButtonPictures pictures(shippedPictures(), drives, folder.filePath("no-library").toStdString());
  CommandRow row;
  row.id = 1;
  row.strings = {"TR/"};
  row.tooltip = "Create Treble Clef (TR/  F2)";
  QAction action(QStringLiteral("TR/"));
  pictures.decorate(action, row);
  EXPECT_TRUE(action.icon().isNull());
  EXPECT_EQ(action.text(), QStringLiteral("Treble"));
}

TEST_F(ButtonPicturesTest, TheStartUpBarsShowPicturesNotMnemonics) {
  const CommandTable table = shippedCommands();
  QTemporaryDir settingsFolder;
  QSettings settings(settingsFolder.filePath("settings.ini"), QSettings::IniFormat);
  CMainFrame frame(table, settings, &m_pictures);
  int pictures = 0;
  for (const int menu : {kMainEditMenu, kInputToolsMenu}) {
    for (QAction* action : frame.editMenuActions(menu)) {
      const CommandRow* row = table.byId(action->data().toInt());
      ASSERT_TRUE(row);
      pictures += action->icon().isNull() ? 0 : 1;
      EXPECT_FALSE(action->text().trimmed().isEmpty()) << row->id;
      EXPECT_NE(action->text().toStdString(), commandText(*row)) << row->id;
    }
  }
  EXPECT_GE(pictures, 35) << "the clefs, keys and meters of the input tools at least";
  EXPECT_EQ(frame.bar(Bar::InputTools)->toolButtonStyle(), Qt::ToolButtonIconOnly);
  RecordProperty("start_up_picture_ms", std::to_string(m_pictures.milliseconds()));
}

}  // namespace
}  // namespace ts::shell

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
