#pragma once
// The drawing editor's messages and prompts, as the user sees them.

#include <string>
#include <string_view>

#include "draw/drawing_file_writer.h"
#include "draw/work_drawing_file.h"

namespace ts::draw_mode_messages {

inline constexpr const char* kDrawMode = "**** Draw Mode ****";
inline constexpr const char* kLeaving = "**** Leaving Draw Mode ****";
inline constexpr const char* kMenuTitle = "Draw Mode";
inline constexpr const char* kJump = "**** Jump ****";
inline constexpr const char* kJumpFill = "**** Jump/fill ****";
inline constexpr const char* kNotSavedExit = "Drawing not saved --   continue to exit?";
inline constexpr const char* kOutputFile = "Type output file name. (Default = DRW.TMP)";
inline constexpr const char* kInputFile = "Type input file name. (Default = DRW.TMP)";
inline constexpr const char* kMoveFirstLast = "Move to 1st point, hit F4, then move to last point and hit F4.";
inline constexpr const char* kMoving = "Moving selected points.  \"X\" = finish.";
inline constexpr const char* kSizePrompt = "Type numbers for size x, size y.";
inline constexpr const char* kPointsPerSegment = "Number of points per segment?";
inline constexpr const char* kTooFewCurvePoints = "*** Must have more than 2 points.";
inline constexpr const char* kTooManyCurvePoints = "*** Too many points. Limit=50";
inline constexpr const char* kNoCurveMarkers = "*** Can't locate curve markers";
inline constexpr const char* kNumberAndName = "Type Drawing number and name.";
inline constexpr const char* kNoNumber = "**** No number given, ****";
inline constexpr const char* kPermanentNumbers =
    "\r\nNumbers 0 to 4999 are permanent library numbers.\r\nDo you wish to continue?";
inline constexpr const char* kSaved = "**** Drawing saved ****";
inline constexpr const char* kDeleteQuestion = "\nAre you sure you want to delete this library item?";

// Beyond the documented texts.
inline constexpr const char* kNumberPrompt = "Type Drawing number.";
inline constexpr const char* kBadNumber = "*** Drawing numbers run from 0 to 9999.";
inline constexpr const char* kDeleted = "**** Drawing deleted ****";
inline constexpr const char* kNothingToSave = "*** The drawing has no points to save.";
inline constexpr const char* kNoPoints = "*** The drawing has no points.";
inline constexpr const char* kDrawingFull = "*** A drawing holds at most 32766 points.";
inline constexpr const char* kBadSize = "*** A size is one or two numbers from -100 to 100, not 0.";
inline constexpr const char* kBeyondBounds = "*** The points would go beyond the drawing's bounds: nothing changed.";
inline constexpr const char* kCurveStart = "**** Curve start ****";
inline constexpr const char* kNotSavedReplace = "Drawing not saved --   continue and replace it?";

// "***** Drawing - 1234 Points" or "***** Editing - 1234 Points".
std::string pointCountMessage(bool editing, size_t points);
// Why a save or delete left the library as it was; empty when written.
std::string libraryWriteMessage(LibraryWriteStatus status, int number);
std::string workDrawingReadMessage(const WorkDrawingRead& read, std::string_view name);
std::string workDrawingWritten(std::string_view name);

}  // namespace ts::draw_mode_messages
