#pragma once
// `tsm import SCORE.musicxml|SCORE.mxl OUT`: the score made into pages
// OUT1.MUS, OUT2.MUS, ... (written only once the whole import succeeded);
// `tsm export PAGE... OUT.musicxml`: the pages, in order, as one score.

#include <iosfwd>
#include <string>
#include <vector>

namespace tsm {

// An export whose last file argument ends in ".musicxml" or ".xml".
bool isMusicXmlExport(const std::vector<std::string>& arguments);

// Both return 0 done, 1 not done, 2 usage error; `out` names what was
// written, `err` says what went wrong and what could not be carried over.
int importMusicXml(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);
int exportMusicXml(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace tsm
