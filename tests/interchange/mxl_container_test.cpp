#include "interchange/mxl_container.h"

#include <gtest/gtest.h>
#include <zip.h>

#include "interchange/interchange_messages.h"
#include "interchange/musicxml_reader.h"

namespace ts::interchange {
namespace {

// A zip made in memory with libzip, its entries deflated.
std::vector<uint8_t> zipOf(const std::vector<std::pair<std::string, std::string>>& entries) {
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
  zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
  zip_source_keep(buffer);
  for (const auto& [name, content] : entries) {
    zip_source_t* source = zip_source_buffer(archive, content.data(), content.size(), 0);
    zip_file_add(archive, name.c_str(), source, ZIP_FL_OVERWRITE);
  }
  zip_close(archive);
  zip_source_open(buffer);
  zip_source_seek(buffer, 0, SEEK_END);
  const zip_int64_t size = zip_source_tell(buffer);
  zip_source_seek(buffer, 0, SEEK_SET);
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  zip_source_read(buffer, bytes.data(), bytes.size());
  zip_source_close(buffer);
  zip_source_free(buffer);
  zip_error_fini(&error);
  return bytes;
}

const std::string kContainer =
    "<container><rootfiles><rootfile full-path='score/piece.xml'/></rootfiles></container>";

TEST(MxlContainer, TheContainerNamesTheScore) {
  const std::vector<uint8_t> zip = zipOf({{"META-INF/container.xml", kContainer}, {"score/piece.xml", "<score-partwise/>"},
                                         {"other.xml", "<no/>"}});
  ASSERT_TRUE(looksLikeZip(zip));
  const ContainerOutcome outcome = readMxlContainer(zip);
  EXPECT_EQ(outcome.error, "");
  EXPECT_EQ(outcome.score, "<score-partwise/>");
}

TEST(MxlContainer, WithoutAContainerTheTopScoreIsTaken) {
  const ContainerOutcome outcome = readMxlContainer(zipOf({{"dir/a.xml", "<a/>"}, {"piece.musicxml", "<b/>"}}));
  EXPECT_EQ(outcome.score, "<b/>");
}

TEST(MxlContainer, DamagedOrHostileArchivesAreRefused) {
  const std::vector<uint8_t> good = zipOf({{"META-INF/container.xml", kContainer}, {"score/piece.xml", std::string(5000, 'a')}});
  std::vector<uint8_t> truncated(good.begin(), good.begin() + static_cast<long>(good.size() / 2));
  std::vector<uint8_t> garbled = good;
  for (size_t i = 60; i < 160 && i < garbled.size(); ++i) garbled[i] ^= 0x5a;
  const std::vector<uint8_t> bomb = zipOf({{"META-INF/container.xml", kContainer},
                                           {"score/piece.xml", std::string(kMaxFileBytes + 1, '\0')}});
  const std::vector<uint8_t> missing = zipOf({{"META-INF/container.xml", kContainer}});
  const std::vector<uint8_t> nameless = zipOf({{"META-INF/container.xml", "<container/>"}});
  const std::pair<std::vector<uint8_t>, std::string> cases[] = {
      {truncated, messages::kZipUnreadable},
      {bomb, messages::kZipEntryTooLarge},
      {missing, messages::kZipMissingEntry},
      {nameless, messages::kZipNoRootfile},
  };
  for (const auto& [bytes, error] : cases) {
    const ContainerOutcome outcome = readMxlContainer(bytes);
    EXPECT_EQ(outcome.error.substr(0, error.size()), error);
    EXPECT_TRUE(outcome.score.empty());
  }
  EXPECT_FALSE(readMxlContainer(garbled).error.empty());
}

}  // namespace
}  // namespace ts::interchange
