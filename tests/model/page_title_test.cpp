#include "model/page_title.h"

#include <gtest/gtest.h>

namespace ts {
namespace {

TEST(PageTitle, SavedModifiedEmptyAndPaper) {
  struct Case {
    int items;
    bool modified;
    PaperSize paper;
    const char* title;
  } cases[] = {
      {1234, false, PaperSize::Letter, "SONG.MUS (saved - 1234 Items)"},
      {12, true, PaperSize::Letter, "SONG.MUS* (not saved - 0012 Items)"},
      {0, false, PaperSize::Letter, "SONG.MUS"},
      {0, true, PaperSize::A4, "SONG.MUS"},
      {7, false, PaperSize::A4, "SONG.MUS (saved - 0007 Items) <A4>"},
      {6000, true, PaperSize::Custom, "SONG.MUS* (not saved - 6000 Items) <Custom>"},
  };
  for (const Case& c : cases) EXPECT_EQ(pageTitle("SONG.MUS", c.items, c.modified, c.paper), c.title) << c.title;
}

TEST(PageTitle, PaperTags) {
  struct Case {
    PaperSize paper;
    const char* tag;
  } cases[] = {{PaperSize::Letter, ""},     {PaperSize::Legal, "<Legal>"}, {PaperSize::Ledger, "<Ledger>"},
               {PaperSize::Double, "<Double>"}, {PaperSize::A3, "<A3>"},  {PaperSize::A4, "<A4>"},
               {PaperSize::B4, "<B4>"},     {PaperSize::Custom, "<Custom>"}};
  for (const Case& c : cases) EXPECT_STREQ(paperTag(c.paper), c.tag);
}

}  // namespace
}  // namespace ts
