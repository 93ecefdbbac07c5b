#pragma once
// `tsm layout PAGE --bars LIST [--out DIR]`: the page, a continuous run of
// bars, laid out by the bar list as the user types it ("4", "2,5",
// "4 4 4 0 4 4", "40 208 64 304") and written as page files named after
// the page with the page number added (SONG.MUS -> SONG1.PAG, SONG2.PAG,
// ...) into DIR, or beside the page. The layout settings are those of the
// settings file when there is one. Every page is made before any is
// written; a list that does not fit or a folder that cannot be written
// leaves every page file as it was.

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

namespace ts {
class HostFiles;
}  // namespace ts

namespace tsm {

// 0 written, 1 not done, 2 usage error.
int layoutVerb(const std::vector<std::string>& arguments, const ts::HostFiles& files,
               const std::filesystem::path& library, std::ostream& out);

}  // namespace tsm
