#pragma once
// The texts of the preferences.

namespace ts::preference_messages {

inline constexpr const char* kTitle = "Preferences";
inline constexpr const char* kPathMissing = "Path missing.";
inline constexpr const char* kSave = "&Save Prefs.";
inline constexpr const char* kLoad = "&Load Prefs.";
inline constexpr const char* kReset = "&Reset Defaults";
inline constexpr const char* kUseUnsaved = "&Use them without saving";
inline constexpr const char* kFileField = "Preference file name and location";
inline constexpr const char* kUnchanged = "Preferences unchanged.";
inline constexpr const char* kInUse = "Preferences in use (not saved).";
inline constexpr const char* kSaved = "Preferences saved:";
inline constexpr const char* kLoaded = "Preferences read:";
inline constexpr const char* kNotUnderstood = "*** Not understood, kept as it was:";
// The network printer the dialog offers until one is named.
inline constexpr const char* kPlaceholderPrinter = "\\\\COMPUTER\\PRINTER";

}  // namespace ts::preference_messages
