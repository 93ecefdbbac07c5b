// Which soundfont the built-in synthesizer loads: the user's when given
// (and only if it exists), else the best packaged one installed.

#include "platform/soundfont_choice.h"

#include <gtest/gtest.h>

#include <set>

namespace ts {
namespace {

TEST(SoundfontChoice, TheUsersThenTheBestInstalled) {
  const std::string fluid = kPackagedSoundfonts[0];
  const std::string small = kPackagedSoundfonts[1];
  const std::string system = kPackagedSoundfonts[2];
  struct Case {
    std::string chosen;
    std::set<std::string> installed;
    std::optional<std::string> expected;
  };
  for (const Case& c : {
           Case{"", {fluid, small, system}, fluid},
           Case{"", {small, system}, small},
           Case{"", {system}, system},
           Case{"", {}, std::nullopt},
           Case{"/home/ann/organ.sf2", {"/home/ann/organ.sf2", fluid}, "/home/ann/organ.sf2"},
           Case{"/home/ann/missing.sf2", {fluid}, std::nullopt},
       }) {
    const auto exists = [&](const std::string& path) { return c.installed.count(path) > 0; };
    EXPECT_EQ(chooseSoundfont(c.chosen, exists), c.expected) << c.chosen << " with " << c.installed.size();
  }
}

}  // namespace
}  // namespace ts
