#pragma once
// The engine's own message texts, kept in one place so that code and tests
// cite the same strings.

namespace ts::messages {

inline constexpr const char* kUnknownWord = "ERROR -- unknown word in this context:";
inline constexpr const char* kDoneEditingFirst = "Cannot perform function until done editing current item.";
inline constexpr const char* kNoUndeleteWhileEditing = "Cannot do UNDELETE while still in Edit Mode.";
inline constexpr const char* kGoDirectOn = "New items will go direct to edit.";
inline constexpr const char* kGoDirectOff = "New items will NOT go direct to edit.";
inline constexpr const char* kInvisibleShown = "Invisible items are visible on screen.";
inline constexpr const char* kInvisibleHidden = "Invisible items are NOT visible on screen.";
inline constexpr const char* kFreeze = "Freeze Screen Position";
inline constexpr const char* kUnfreeze = "Unfreeze Screen Position";
inline constexpr const char* kUnknownCode =
    "Item     , Unknown Code Number - this item will be deleted.\nP1=  , P2=   , P3=";
inline constexpr const char* kNotAvailable = "is not available yet in this version.";
inline constexpr const char* kPageFull = "*** The page is full: the item was not added.";
inline constexpr const char* kNoItems = "*** There are no items on this page.";

// Files.
inline constexpr const char* kReading = "Reading - ";
inline constexpr const char* kFileSaved = "File saved:";
inline constexpr const char* kNoFileName = "No file name given.";
inline constexpr const char* kAddExtension = "-- Add .MUS extension?";
inline constexpr const char* kErrorOpeningFile = "Error opening file.";
inline constexpr const char* kTypeFileName = "Type file name.";
inline constexpr const char* kBackupQuestion = "Read this backup copy in place of the page?";
inline constexpr const char* kNoPreviousFile = "*** No previous file.";
inline constexpr const char* kSaveChanges = "The page has changed since it was saved. Save it first?";
inline constexpr const char* kNoNextFile = "*** No further .MUS file in this directory.";

}  // namespace ts::messages
