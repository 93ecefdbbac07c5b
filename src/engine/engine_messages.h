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

inline constexpr const char* kOpenItemFirst = "*** No item is being edited: open one first (I).";
inline constexpr const char* kEndOfPage = "*** End of page.";
inline constexpr const char* kStartOfPage = "*** Start of page.";
inline constexpr const char* kNothingSet = "*** Nothing has been set.";
inline constexpr const char* kNothingToRestore = "*** Nothing to restore.";
inline constexpr const char* kWhichParameter = "*** Give a parameter number from 1 to 50.";
inline constexpr const char* kNoNoteOnStaff = "*** No note or rest on this staff.";
inline constexpr const char* kSelectSlider = "Select parameter for SLIDER editing.";
inline constexpr const char* kMoveLeftEnd = "Move Left End -- P3/P4";
inline constexpr const char* kMoveRightEnd = "Move Right End -- P5/P6";
inline constexpr const char* kMoveAll = "Move All";
inline constexpr const char* kHalfStepOn = "Steps of 1/2 on.";
inline constexpr const char* kHalfStepOff = "Steps of 1/2 off.";

inline constexpr const char* kPaperSizeTitle = "Paper Size";
inline constexpr const char* kCustomSizeTitle = "Custom paper size in inches: width, height.";
inline constexpr const char* kBadPaperSize = "*** A paper size is two numbers of inches, above 0.";

// Beams and their stems.
inline constexpr const char* kAdjustingStems = "*** Adjusting stem to beam.";
inline constexpr const char* kAdjustStemsOnly = "Adjust stems only for 1/8, 1/16, etc.";
inline constexpr const char* kBeamMismatch = "*** beam/note mismatch - can't flip Item";
inline constexpr const char* kBeamOutOfRange = "*** end of beam out of range, or tremolo, or P7 rhythm >= 1.";
inline constexpr const char* kOpenBeamFirst = "*** No beam is being edited: open one first (I).";

// Texts.
inline constexpr const char* kTypeText = "Type text.";
inline constexpr const char* kOpenTextFirst = "*** No text is being edited: open one first (I).";
inline constexpr const char* kTextTooLong = "*** A text holds at most 400 characters.";
inline constexpr const char* kPictureName = "EPS file name?";
inline constexpr const char* kPictureNameNow = "EPS file name? Enter keeps";
inline constexpr const char* kPictureNameUnfit =
    "*** An EPS file name is at most 57 characters of plain ASCII (letters, digits, blanks, punctuation).";

inline constexpr const char* kWhichFont = "*** FNT wants a font number from 00 to 99 (FNT05).";

// Undo, redo, undelete.
inline constexpr const char* kNothingToUndo = "*** Nothing to UNDO.";
inline constexpr const char* kNothingToRedo = "*** Nothing to REDO.";
inline constexpr const char* kNothingToUndelete = "*** Nothing to UNDELETE.";
inline constexpr const char* kUndone = "UNDO done.";
inline constexpr const char* kRedone = "REDO done.";
inline constexpr const char* kRecentFiles = "Recent Files";

// Group operations.
inline constexpr const char* kAreaPrompt = "Enter Staff#, Left pos., Right pos., [Upper Staff#] -- or Draw Box.";
inline constexpr const char* kDestinationPrompt = "Enter new Staff#, Left pos, Right pos, (Upper staff), -- or draw box.";
inline constexpr const char* kStepsPrompt = "Enter steps to move up/down.";
inline constexpr const char* kSystemArea = "Enter Lowest Staff# of system and how many staves in system - or Draw Box.";
inline constexpr const char* kSystemDestination = "Enter Bottom Staff# of New System -- or Draw Box.";
inline constexpr const char* kStavesPrompt = "Enter the staff numbers to copy to.";
inline constexpr const char* kSelectCodesToDelete = "Select Code Numbers to DELETE.";
inline constexpr const char* kSamePlace = "Cannot move or copy to same place.";
inline constexpr const char* kNothingToDo = "Nothing to do.";
inline constexpr const char* kLeavingGroupEdit = "IN* Leaving Group Edit.";
inline constexpr const char* kBoxWithoutCommand = "Choose a group command first (M, CO, DG, MU, MD, CT), then draw the box.";
inline constexpr const char* kAvailablePaste = "Available PST numbers:";

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
