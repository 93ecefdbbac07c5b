// Every screen face of the font table is painted with an installed URW
// base35 face, with the weight and slant its name says.

#include "render/screen_fonts.h"

#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <set>

#include "draw/font_table.h"

namespace ts {
namespace {

const std::set<QString> kUrwFamilies = {"Nimbus Roman", "Nimbus Sans", "Nimbus Sans Narrow", "P052", "C059",
                                        "Z003", "Nimbus Mono PS", "Standard Symbols PS", "D050000L"};

TEST(ScreenFonts, EveryFontTableFaceRendersWithAUrwFace) {
  for (int font = 0; font < kScreenFontCount; ++font) {
    const std::string_view face = screenFace(font);
    const ScreenFace screen = screenFaceFamily(face);
    EXPECT_TRUE(kUrwFamilies.count(screen.family)) << face;
    EXPECT_TRUE(QFontDatabase::hasFamily(screen.family)) << face << ": not installed";
    const QFontInfo painted(blockFont(screenFont(font, 640.0f, 0), 64));
    // Qt adds the foundry ("Nimbus Roman [urw]") when several have the family.
    EXPECT_EQ(painted.family().section(" [", 0, 0), screen.family) << face;
    EXPECT_EQ(painted.bold(), face.find("Bold") != std::string_view::npos) << face;
    EXPECT_EQ(painted.italic(), face.find("Italic") != std::string_view::npos || screen.family == "Z003") << face;
  }
}

}  // namespace
}  // namespace ts

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
