#include "engine/creation_keywords.h"

#include <gtest/gtest.h>

#include <string>

namespace ts {
namespace {

// The creation keywords in the order users rely on: the position selects the
// item template, so a word added or moved changes what every later word makes.
constexpr const char* kKeywordOrder[] = {
    "NOT", "RES", "CLE", "LIN", "SLU", "BEA", "BAR", "STA", "LIB", "NUM", "CRH", "DCH", "KSI", "MET",
    "END", "END", "8VA", "8BA", "15M", "TRI", "ARP", "BOX", "CIR", "GUI", "TIE", "BRA", "PPP", "PP",
    "P",   "MP",  "MF",  "F",   "FF",  "FFF", "DCR", "FP",  "SF",  "SFZ", "CRS", "DIM", "RIT", "PIZ",
    "ARC", "ACL", "WED", "ACN", "TEN", "STA", "WED", "ACN", "TEN", "DNB", "UPB", "HAR", "FER", "MEN",
    "PIU", "MOR", "INV", "HVW", "PLU", "ACT", "ATM", "MOL", "ESP", "GLI", "SUB", "RAL", "LOG", "TUR",
    "PED", "POC", "TRE", "BAS", "ALT", "PER", "CUT", "COM", "DAS", "USE", "POS", "AST", "WNO", "HNO",
    "ENO", "SNO", "WRE", "HRE", "ERE", "SRE", "OVA", "OBA", "OMA", "ACC", "CR-", "DC-"};

TEST(CreationKeywords, NinetySixPrefixesInTheirOrder) {
  static_assert(std::size(kKeywordOrder) == kCreationKeywordCount);
  for (int i = 1; i <= kCreationKeywordCount; ++i) EXPECT_EQ(creationPrefix(i), kKeywordOrder[i - 1]) << i;
  EXPECT_EQ(creationPrefix(0), "");
  EXPECT_EQ(creationPrefix(97), "");
}

TEST(CreationKeywords, WordsAndThePositionTheySelect) {
  struct Case {
    const char* word;
    std::optional<int> position;
  } cases[] = {
      {"NOTE", 1},  {"note", 1},   {"REST", 2},   {"RESTO", std::nullopt}, {"RES", std::nullopt},
      {"CLEF", 3},  {"BARS", 7},   {"STAFF", 8},  {"STACCATO", 8},         {"NUM", 10},
      {"END", 15},  {"8VA", 17},   {"15M", 19},   {"PPP", 27},             {"PP", 28},
      {"P", 29},    {"p", 29},     {"PIANO", std::nullopt}, {"PED", 71},   {"F", 32},
      {"FF", 33},   {"FFF", 34},   {"FP", 36},    {"FOO", std::nullopt},   {"FER", 55},
      {"TREB", 73}, {"TREBLE", 73}, {"BASS", 74}, {"CR-", 95},             {"DC-", 96},
      {"", std::nullopt}, {"ZZZZ", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(findCreationKeyword(c.word), c.position) << c.word;
}

TEST(CreationKeywords, TheFirstTenCreateTheBasicCodes) {
  const int codes[] = {kCodeNote, kCodeRest, kCodeClef,  kCodeLine,    kCodeSlur,
                       kCodeBeam, kCodeBars, kCodeStaff, kCodeLibrary, kCodeNumber};
  for (int i = 1; i <= 10; ++i) EXPECT_EQ(makeCreatedItem(i, {}, std::nullopt).code(), codes[i - 1]) << i;
}

TEST(CreationKeywords, EveryTemplateMakesAnItemThePageKeeps) {
  for (int i = 1; i <= kCreationKeywordCount; ++i) {
    const ItemRecord item = makeCreatedItem(i, {2, 30, 3}, std::nullopt);
    const int code = item.code();
    EXPECT_TRUE(code >= 1 && code <= kHighestCode && code != kCodeDummy) << creationPrefix(i) << " " << code;
    EXPECT_GE(item.params.size(), 3u) << creationPrefix(i);
    if (code == kCodeStaff) continue;  // a new staff goes below the others, at the left edge
    EXPECT_EQ(item.p(2), 2.0f) << creationPrefix(i);
    EXPECT_GE(item.p(3), 30.0f) << creationPrefix(i);
  }
}

TEST(CreationKeywords, PlacementAndArguments) {
  const CreationPlace place{3, 40, 5};
  const ItemRecord treble = makeCreatedItem(*findCreationKeyword("TREB"), place, std::nullopt);
  EXPECT_EQ(treble.code(), kCodeClef);
  EXPECT_EQ(treble.p(5), 0.0f);
  EXPECT_EQ(makeCreatedItem(*findCreationKeyword("BASS"), place, std::nullopt).p(5), 1.0f);
  EXPECT_EQ(treble.p(3), 50.0f);  // one step right of the last item

  const ItemRecord staff = makeCreatedItem(*findCreationKeyword("STAFF"), place, std::nullopt);
  EXPECT_EQ(staff.p(2), 6.0f);  // below the highest staff
  EXPECT_EQ(staff.p(3), 0.0f);

  const ItemRecord slur = makeCreatedItem(*findCreationKeyword("SLUR"), place, std::nullopt);
  EXPECT_EQ(slur.p(3), 40.0f);
  EXPECT_EQ(slur.p(6), 60.0f);  // right end
  EXPECT_EQ(slur.p(5), slur.p(4));

  const ItemRecord ending = makeCreatedItem(15, place, 3.0);
  EXPECT_EQ(ending.code(), kCodeLine);
  EXPECT_EQ(ending.p(8), 3.0f);
  EXPECT_EQ(makeCreatedItem(16, place, std::nullopt).p(8), 2.0f);
  EXPECT_EQ(makeCreatedItem(*findCreationKeyword("NUM"), place, 5.0).p(5), 5.0f);

  const ItemRecord loco = makeCreatedItem(*findCreationKeyword("LOG"), place, std::nullopt);
  EXPECT_EQ(loco.code(), kCodeText);
  EXPECT_EQ(loco.text, "loco");
  EXPECT_EQ(loco.p(12), 4.0f);
}

}  // namespace
}  // namespace ts
