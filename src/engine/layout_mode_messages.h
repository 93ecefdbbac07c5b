#pragma once
// The words of the layout dialogue: prompts, menus and what it reports.
// The refusals the layout rules give are in layout/page_layout_messages.h.

#include <array>

namespace ts::layout_mode_text {

inline constexpr const char* kSettingsTitle = "Page Layout";
inline constexpr const char* kTotalBarLines = "Total Bar Lines";
inline constexpr const char* kSaveSettings = "Save settings";
inline constexpr const char* kNumberOfPages = "Number of pages.";
inline constexpr const char* kLinesPerPage = "Lines per page.";
inline constexpr const char* kReturnToStartup = "Return to Layout startup. Y/N";

inline constexpr std::array<const char*, 6> kFirstMenu = {
    "List number of lines on each page.", "Numbers of bars per line. Zeros = ends of pages.",
    "Layout up.", "Layout down.", "Find page turns.", "Exit from layout."};
inline constexpr std::array<const char*, 2> kProposalMenu = {"Yes, this layout is accepted.",
                                                             "Return to first layout menu."};
inline constexpr std::array<const char*, 5> kSecondMenu = {"&Change to above layout.", "Move layout &up",
                                                           "Move layout &down", "&Find page turns in parts.",
                                                           "Return to main &CANTO program."};

inline constexpr std::array<const char*, 10> kBarListHelp = {
    "For specification of how many bars on each line",
    "A single number = number of lines only.",
    "Type X,Y for X pages, Y lines per page.",
    "2,5=2 pages, 5 lines, 4,10=4 pages, 10 lines, etc.",
    "X, X, X, 0, X, X, X, X, 0  -- zeros are page marks.",
    "X's are number of bars per line.",
    "N X0A   N X0A   N X0A   etc. = ",
    "N=num. of last bar on this page(s), X=num. of pages, A=num. of lines/page.",
    "Example: 40 208  = 8 lines/page, bar 40 is last on 2nd page.",
    "Negative numbs in bar list are possible page turn points."};
inline constexpr const char* kBarListLastLine = "-2 = return to Staff size, -3 = Page turn mode.";
inline constexpr int kBackToStaffSize = -2;
inline constexpr int kPageTurnMode = -3;

inline constexpr const char* kReadBarsLine = "Read BARS-LINE file.";
inline constexpr const char* kListSystems = "&List  how many systems on each page.";
inline constexpr const char* kListSystemsHint = "(<enter>=read SYS-PAGE file.>";
inline constexpr const char* kNoWorkFile = "*** No such work file: ";

inline constexpr const char* kPartStaff = "Staff of the part to extract.";
inline constexpr const char* kNoSuchStaff = "*** No such staff in the system.";
inline constexpr const char* kReplaceFile = "Replace file";
inline constexpr const char* kNewName = "New name";
inline constexpr const char* kCancel = "Cancel";
inline constexpr const char* kExists = " already exists.";
inline constexpr const char* kWritten = "Layout written: ";
inline constexpr const char* kNoTurnOnPage = "*** No page turn point for the end of page ";
inline constexpr const char* kLayoutLeft = "Layout left, no pages written.";

// Work files of the layout, rewritten whole each time.
inline constexpr const char* kBarsFile = "C:\\!TMP\\BARS.TMP";
inline constexpr const char* kBarsLineFile = "C:\\!TMP\\bars-line";
inline constexpr const char* kSystemsFile = "C:\\!TMP\\SYS-PAGE";

}  // namespace ts::layout_mode_text
