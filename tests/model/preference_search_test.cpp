#include "model/preference_search.h"

#include <gtest/gtest.h>

#include <set>

#include "model/host_files.h"

namespace ts {
namespace {

// A disk of only these names.
class NamedFiles : public NoHostFiles {
 public:
  explicit NamedFiles(std::set<std::string> names) : m_names(std::move(names)) {}
  std::optional<std::filesystem::path> findExisting(std::string_view name) const override {
    if (!m_names.contains(std::string(name))) return std::nullopt;
    return std::filesystem::path(name);
  }

 private:
  std::set<std::string> m_names;
};

TEST(PreferenceSearch, FirstFormOnEveryDriveBeforeTheProgramFolders) {
  const std::vector<std::string> names = preferenceSearchNames();
  ASSERT_EQ(names.size(), 3u * 23u);  // C: to Y:
  EXPECT_EQ(names.front(), "C:\\tonesmith\\cantlib\\PREF.DAT");
  EXPECT_EQ(names[22], "Y:\\tonesmith\\cantlib\\PREF.DAT");
  EXPECT_EQ(names[23], "C:\\Program Files\\tonesmith\\cantlib\\PREF.DAT");
  EXPECT_EQ(names.back(), "Y:\\Program Files (x86)\\tonesmith\\cantlib\\PREF.DAT");

  const NamedFiles both({"D:\\tonesmith\\cantlib\\PREF.DAT", "C:\\Program Files\\tonesmith\\cantlib\\PREF.DAT"});
  const std::optional<FoundPreferences> found = findPreferenceFile(both);
  ASSERT_TRUE(found);
  EXPECT_EQ(found->installDirectory, "D:\\tonesmith");
  EXPECT_FALSE(found->underProgramFiles);

  const NamedFiles program({"E:\\Program Files (x86)\\tonesmith\\cantlib\\PREF.DAT"});
  const std::optional<FoundPreferences> x86 = findPreferenceFile(program);
  ASSERT_TRUE(x86);
  EXPECT_EQ(x86->installDirectory, "E:\\Program Files (x86)\\tonesmith");
  EXPECT_TRUE(x86->underProgramFiles);
  EXPECT_FALSE(findPreferenceFile(NamedFiles({"Z:\\tonesmith\\cantlib\\PREF.DAT"})));
}

TEST(PreferenceSearch, RepairRewritesOnlyTheLibraryLines) {
  const std::string longLine = "PRNT  " + std::string(100, 'x');  // longer than any fixed line: kept whole
  const std::string text = "REST    6\r\nsymb  A:\\old\\\r\nFONT\r\n" + longLine + "\nTXTD  /";
  EXPECT_EQ(repairedLibraryPaths(text, "C:\\Program Files (x86)\\tonesmith"),
            "REST    6\r\nSYMB  C:\\Program Files (x86)\\tonesmith\\CANTLIB\\\r\n"
            "FONT  C:\\Program Files (x86)\\tonesmith\\FONTLIB\\\r\n" +
                longLine + "\nTXTD  /");
}

}  // namespace
}  // namespace ts
