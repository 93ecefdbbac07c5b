#pragma once
// The print command's texts.

namespace ts::print_messages {

inline constexpr const char* kOptionsTitle = "PRINT OPTIONS";
inline constexpr const char* kPrintChoice = "PRINT";
inline constexpr const char* kPaperTitle = "PAPER";
inline constexpr const char* kSizeTitle = "SIZE";
inline constexpr const char* kOffsetsTitle = "OFFSETS";
inline constexpr const char* kResolutionTitle = "RESOLUTION";
inline constexpr const char* kLineWidthTitle = "LINE_width";
inline constexpr const char* kEpsNameTitle = "EPS NAME";
inline constexpr const char* kNetNameTitle = "NET NAME";
inline constexpr const char* kBadSize = "*** SIZE is a number from 0.05 to 20.";
inline constexpr const char* kBadOffsets = "*** OFFSETS are two numbers from -50 to 50 inches.";
inline constexpr const char* kBadResolution = "*** RESOLUTION is a whole number of dots per inch from 1 to 10000.";
inline constexpr const char* kBadLineWidth = "*** LINE_width is a whole number of dots from 0 to 100.";
inline constexpr const char* kBadName = "*** A file name is wanted.";
inline constexpr const char* kTooManyAnswers = "*** Too many changes to the print options: nothing printed.";
inline constexpr const char* kCancelled = "Printing cancelled.";
inline constexpr const char* kEpsWritten = "EPS file written:";
inline constexpr const char* kNetWritten = "PostScript file written:";
inline constexpr const char* kSentToPrinter = "Sent to the printer:";
inline constexpr const char* kFileNotFound = "*** File not found. ***";
inline constexpr const char* kPictureNotInPdf =
    "*** An EPS picture cannot be placed in a PDF (print the page to PostScript or EPS for it):";
inline constexpr const char* kNoBoundingBox = "*** No %%BoundingBox: line in the EPS file:";
inline constexpr const char* kBatchList = "PRINT.SCR";
inline constexpr const char* kLeavingBatch = "Leaving Batch Printing.";
inline constexpr const char* kBatchPrinting = "Batch printing:";
inline constexpr const char* kNoPrinter =
    "*** No printer is set up: this program has no print queue to send the page to. Choose EPS or NET.";

}  // namespace ts::print_messages
