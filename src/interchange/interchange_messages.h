#pragma once
// What the exchange with other notation programs tells the user. Hosts put
// "tsm: FILE: " (or their own frame) before the ones that stop the work.

namespace ts::interchange::messages {

inline constexpr const char* kTooLarge = "the file is larger than 32 MB";
inline constexpr const char* kNotXml = "not well-formed XML: ";
inline constexpr const char* kAtByte = " at byte ";
inline constexpr const char* kNotPartwise = "not a MusicXML score (no score-partwise element)";
inline constexpr const char* kTimewise = "a timewise MusicXML score; only partwise scores are read";
inline constexpr const char* kTooManyElements = "more than 2,000,000 XML elements";
inline constexpr const char* kNoParts = "the score has no parts";
inline constexpr const char* kTooManyParts = "more than 64 parts";
inline constexpr const char* kTooManyMeasures = "a part has more than 5,000 measures";
inline constexpr const char* kTooManyNotes = "more than 200,000 notes";
inline constexpr const char* kBadStaves = "a part asks for a number of staves outside 1 to 16";
inline constexpr const char* kBadDivisions = "divisions outside 1 to 1,000,000 in measure ";
inline constexpr const char* kBadDuration = "a duration that is negative, not a number or over 64 quarters in measure ";
inline constexpr const char* kMeasureTooLong = "a measure longer than 256 quarters: measure ";
inline constexpr const char* kBadPitch = "a pitch without a step A to G or an octave 0 to 9 in measure ";
inline constexpr const char* kBadTuplet = "a time modification outside 1 to 64 notes in measure ";
inline constexpr const char* kNoDivisions = "a note before any divisions in measure ";
inline constexpr const char* kTooManyStaves = "more staves than one system of a page holds (at most 10)";
inline constexpr const char* kMeasureTooFull = "more items than one page holds in measure ";
inline constexpr const char* kNoMeasures = "the score has no measures";
inline constexpr const char* kTooManyPages = "the score needs more than 200 pages";

inline constexpr const char* kZipUnreadable = "not a readable compressed MusicXML (.mxl) file";
inline constexpr const char* kZipNoRootfile = "the .mxl file names no score (META-INF/container.xml)";
inline constexpr const char* kZipMissingEntry = "the .mxl file lacks the score it names: ";
inline constexpr const char* kZipEntryTooLarge = "an entry of the .mxl file inflates to more than 32 MB";
inline constexpr const char* kZipDamaged = "a damaged entry in the .mxl file: ";

inline constexpr const char* kCannotMap = "cannot map ";
inline constexpr const char* kInMeasure = " (first in measure ";

inline constexpr const char* kNoPages = "no pages to export";
inline constexpr const char* kNoStaves = "the pages have no staves";

}  // namespace ts::interchange::messages
