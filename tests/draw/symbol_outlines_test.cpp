#include "draw/symbol_outlines.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

namespace ts {
namespace {

SymbolOutlines smallTable() {
  SymbolOutlines table;
  table.setSymbol(24, std::vector<DrawingPoint>{{0, 0, 2}, {1, 0, 0}, {1, 1, 0}, {0, 0, 0}});
  table.setSymbol(0, std::vector<DrawingPoint>{{5, 5, 2}, {6, 5, 0}, {6, 6, 0}, {5, 5, 0},
                                               {5.5f, 5.5f, 3}, {5.6f, 5.5f, 0}, {5.5f, 5.6f, 0}});
  return table;
}

TEST(SymbolOutlinesTest, RoundTripKeepsEveryRun) {
  const SymbolOutlines table = smallTable();
  SymbolOutlines back;
  ASSERT_EQ(decodeSymbolOutlines(encodeSymbolOutlines(table), back), SymbolFileStatus::Ok);
  EXPECT_EQ(back.runs[24].first, 1);
  EXPECT_EQ(back.runs[24].last, 4);
  EXPECT_EQ(back.runs[0].first, 5);
  EXPECT_EQ(back.runs[0].last, 11);
  ASSERT_EQ(back.symbol(0).size(), 7u);
  EXPECT_EQ(back.symbol(0)[4], (DrawingPoint{5.5f, 5.5f, 3}));
  EXPECT_TRUE(back.symbol(7).empty());
  EXPECT_TRUE(back.symbol(45).empty());
  EXPECT_TRUE(back.symbol(-1).empty());
}

TEST(SymbolOutlinesTest, RefusesEveryShortenedFile) {
  const std::vector<uint8_t> bytes = encodeSymbolOutlines(smallTable());
  for (size_t length = 0; length < bytes.size(); ++length) {
    SymbolOutlines target = smallTable();
    const std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<long>(length));
    EXPECT_NE(decodeSymbolOutlines(cut, target), SymbolFileStatus::Ok) << length;
    EXPECT_EQ(target.symbol(0).size(), 7u);
  }
}

TEST(SymbolOutlinesTest, RefusesDamagedContents) {
  const std::vector<uint8_t> bytes = encodeSymbolOutlines(smallTable());
  auto changed = [&](size_t offset, int32_t value) {
    std::vector<uint8_t> damaged = bytes;
    std::memcpy(damaged.data() + offset, &value, 4);
    return damaged;
  };
  SymbolOutlines runOutside = smallTable();
  runOutside.runs[3] = SymbolRun{5, 900};
  SymbolOutlines notANumber = smallTable();
  notANumber.points[2].x = std::numeric_limits<float>::quiet_NaN();

  const struct { std::vector<uint8_t> bytes; SymbolFileStatus status; } cases[] = {
      {changed(0, 0x21212121), SymbolFileStatus::BadMagic},
      {changed(8, 44), SymbolFileStatus::BadCounts},                       // symbol count
      {changed(12, -1), SymbolFileStatus::BadCounts},                      // point count
      {changed(12, kSymbolMaxPoints + 1), SymbolFileStatus::BadCounts},
      {changed(12, 12), SymbolFileStatus::Truncated},                      // one point too many
      {changed(16 + 8 * 45, 0x7F7F7F7F), SymbolFileStatus::BadChecksum},   // a coordinate
      {encodeSymbolOutlines(runOutside), SymbolFileStatus::BadRun},
      {encodeSymbolOutlines(notANumber), SymbolFileStatus::BadPoint},
  };
  for (const auto& c : cases) {
    SymbolOutlines target;
    EXPECT_EQ(decodeSymbolOutlines(c.bytes, target), c.status);
    EXPECT_TRUE(target.points.empty());
  }
}

TEST(SymbolOutlinesTest, MissingFileIsReportedAsMissing) {
  SymbolOutlines target;
  EXPECT_EQ(readSymbolFile("/nonexistent/folder/TSMITH.DAT", target), SymbolFileStatus::Missing);
}

}  // namespace
}  // namespace ts
