#pragma once
// Page layout: a long piece entered as one continuous run of bars, broken
// into lines (systems) and pages.
//
// The run is a page whose one system (staves 1..k) runs left to right past
// the right edge as far as the music goes, bar lines (code 14) dividing the
// bars. A bar's natural width is the distance between its bar lines. A
// distribution says which bars go on each line and how many lines go on
// each page; `layOutPages` then makes one page per page of the
// distribution, each line moved to staves of its own and justified between
// its indent and the right edge.
//
// These functions are pure (standard library and the page model only) and
// other parts of the program call them to lay out imported pieces: keep
// their signatures stable. Bar indices are counted from 0.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/page_store.h"

namespace ts {

struct Preferences;

constexpr int kMaxLayoutLines = 200;       // lines of one layout ("nbar OVERFLOW >200")
constexpr int kMaxBarListEntries = 1000;   // entries of a bar list read
constexpr float kLayoutRightEdge = 200.0f; // P3 of the right margin of every line

enum class LengthUnit { Inches, Centimeters, Points };

// The "Page Layout" settings. Lengths are in `unit`; indents are P3 units.
struct LayoutSettings {
  bool americanRests = true;        // "American" or "European" multi-bar rests
  bool numberOnOneBarRest = false;  // "Number on 1-bar rest."
  bool measureNumbers = false;      // "Measure Numbers"
  int firstMeasureNumber = 1;       // "First number"
  bool numbersAtFrontOnly = true;   // "At front of line only"
  int firstIndent = 10;             // "First Line", P3 units
  int otherIndent = 0;              // "Other Lines", P3 units
  bool pageNumbers = true;          // "Page Numbers"
  int firstPageNumber = 1;          // "First page number."
  bool pageNumbersCentered = true;  // "Centered" or "At Sides"
  float pageHeight = 9.0f;          // "Page Height": the height the systems share
  int staffSize = 100;              // "StaffSize", percent of the natural size
  LengthUnit unit = LengthUnit::Inches;
};

// --- Sizes ---------------------------------------------------------------

// int(natural x staffSize x 0.01 + 0.5), saturating.
int scaledBarWidth(double naturalWidth, int staffSize);
// Every bar scaled; the first also gets the first-line indent added and the
// other-lines indent taken off.
std::vector<int> layoutBarWidths(std::span<const double> naturalWidths, const LayoutSettings& settings);
// The width a line offers its bars: the usable width less the other-lines
// indent (never below 1).
int lineWidthFor(int usableWidth, const LayoutSettings& settings);
// int(total / lineWidth + 0.6), at least 1.
int lineCountForPiece(long long totalWidth, int lineWidth);
// Page height in inches over the height of one system (inches, at staff
// size 100; it grows with the staff size), fraction dropped, at least 1.
int linesPerPage(const LayoutSettings& settings, double systemHeightInches);
// Lines / lines per page, one more for a remainder.
int pageCountFor(int lines, int linesPerPage);

// --- Distributions ---------------------------------------------------------

struct BalancedLines {
  std::vector<int> firstBars;  // index of each line's first bar
  std::vector<int> widths;     // each line's width
};

// Balances the bars over `lines` lines: the greedy start, the search for
// the smallest longest line and spread, then the finishing moves. Empty
// when there are fewer bars than lines or lines < 1.
BalancedLines balanceBars(std::span<const int> widths, int lines);

struct LayoutLine {
  int firstBar = 0;
  int barCount = 0;
  int width = 0;
};

struct Distribution {
  std::vector<LayoutLine> lines;
  std::vector<int> pageLines;  // lines on each page, in page order
  std::vector<int> turnBars;   // bars after which a page may turn (from negative entries)
};

struct DistributionOutcome {
  bool ok = false;
  Distribution distribution;
  std::string message;  // the refusal, when not ok
};

// The single-number form: the piece balanced over `lines` lines, pages of
// `perPage` lines.
DistributionOutcome linesForm(std::span<const int> widths, int lines, int perPage);
// "X,Y": X pages of Y lines each.
DistributionOutcome pagesForm(std::span<const int> widths, int pages, int perPage);
// Bars per line; 0 ends a page, two zeros end the list; a negative entry
// -X is a line of X bars after whose last bar a page may turn. Lines that
// no zero closes go to pages of `perPage` lines.
DistributionOutcome explicitForm(std::span<const int> widths, std::span<const int> entries, int perPage);
// Pairs N, X0A: bars after the previous N up to bar N (counted from 1)
// balanced over X pages of A lines. A negative N marks bar N as a page turn.
DistributionOutcome pairedForm(std::span<const int> widths, std::span<const int> entries);

// "Line lengths: Average=     Minimum=     Maximum=" with the fields filled.
std::string lineLengthsReport(const Distribution& distribution);
// "Wrong number of bars.    /    needed." with the counts filled.
std::string wrongBarsMessage(int listed, int needed);

// --- Page turns ----------------------------------------------------------

struct PageTurnOutcome {
  Distribution distribution;
  std::vector<int> pagesWithoutTurn;  // page numbers whose end found no marked bar
};

// The reader turns after every odd-numbered page (a right-hand page). Each
// such page end that is not at a marked bar moves to the nearest line end
// that is, from the page's own second line up to two lines into the next
// page (the earlier of two equally near); a page without one stays.
PageTurnOutcome findPageTurns(const Distribution& distribution, int firstPageNumber);

// --- Bar lists ---------------------------------------------------------------

enum class BarListForm { Lines, PagesAndLines, PerLine, Paired, Invalid };

struct BarList {
  BarListForm form = BarListForm::Invalid;
  std::vector<int> entries;  // the numbers as typed, in order
};

// Reads a bar list as the user types it: "4", "2,5", "4 4 4 0 4 4",
// "40 208 64 304". Numbers are separated by blanks or commas; at most
// kMaxBarListEntries are read.
BarList parseBarList(std::string_view text);
// The distribution a bar list asks for.
DistributionOutcome distributeBars(std::span<const int> widths, const BarList& list, int perPage);

// --- The run and its pages -----------------------------------------------

struct RunBars {
  int staffCount = 0;              // staves 1..k of the system
  std::vector<float> barLines;     // P3 of each bar line of the lowest staff with bars
  std::vector<double> widths;      // natural width of each bar
};

// The bars of a continuous run.
RunBars findRunBars(const PageStore& run);

// The height one system of the run takes on a page, with the clearance
// kept below it, in inches at the run's own staff sizes.
double systemHeightInches(const PageStore& run);

struct PagesOutcome {
  std::vector<PageStore> pages;
  std::vector<std::string> messages;  // notices ("Some items already on other page.")
};

// The pages of a distribution: each line's items moved to staves of their
// own, placed top to bottom, and justified between the line's indent and
// the right edge.
PagesOutcome layOutPages(const PageStore& run, const Distribution& distribution, const LayoutSettings& settings,
                         const Preferences& preferences);

}  // namespace ts
