#pragma once
#include <string>

// The texts the main window shows a user: message boxes' captions, questions
// and errors. Captions of controls live with them in the layout table.
namespace quillmark::texts {

// Message box captions.
inline constexpr wchar_t kInformation[] = L"Information";
inline constexpr wchar_t kError[] = L"Error";
inline constexpr wchar_t kWarning[] = L"Warning";

// Delete.
inline constexpr wchar_t kDeleteQuestion[] = L"Are you sure you want to remove selected item?";
// Added to the question when a selected entry comes from the policy's Run key.
inline constexpr wchar_t kPolicyMayPutBack[] =
    L"\n\nA policy set the entries marked \"Policy\": Windows may put them back the next time it applies "
    L"the policy.";
inline constexpr wchar_t kNothingSelectedToDelete[] = L"No item selected for deletion!!!";
inline constexpr wchar_t kRemovalReportHeading[] = L"These entries could not be removed:\n";
inline constexpr wchar_t kRestartToRemoveQuestion[] = L"\n\nRestart Quillmark as administrator to remove them?";
inline constexpr wchar_t kMarksLeftHeading[] =
    L"These entries were removed, but Windows' note of whether they were switched on or off was left behind:";

// Disable, Enable and Undo removal.
inline constexpr wchar_t kDisableReportHeading[] = L"These entries could not be switched off:\n";
inline constexpr wchar_t kEnableReportHeading[] = L"These entries could not be switched on:\n";
inline constexpr wchar_t kUndoReportHeading[] = L"These entries could not be put back:\n";
inline constexpr wchar_t kRestartToChangeQuestion[] = L"\n\nRestart Quillmark as administrator to change them?";
// Asked before Undo removal writes anything: `entries` holds one line per
// entry, each after a line break.
inline std::wstring UndoQuestion(const std::wstring& entries) {
    return L"Undo removal will put back:" + entries + L"\n\nPut these back?";
}
// The newest record of the tab was not used, and why.
inline std::wstring UndoRefused(const std::wstring& record, const std::wstring& why) {
    return L"The newest removal record, \"" + record + L"\", was not used: " + why +
           L"\n\nNothing was put back, and the record was left as it is.";
}

// The restart as administrator, when the shell could not start it.
inline std::wstring RestartFailed(const std::wstring& reason) {
    return L"Quillmark could not be restarted as administrator: " + reason;
}

// The system tools' launchers.
inline constexpr wchar_t kTaskScheduler[] = L"Task Scheduler";
inline constexpr wchar_t kServices[] = L"Services";
inline std::wstring ToolNotOpened(const std::wstring& tool, const std::wstring& reason) {
    return L"Quillmark could not open " + tool + L": " + reason;
}

// The add panel.
inline constexpr wchar_t kChooseFolderPrompt[] = L"Please specify a folder";
inline constexpr wchar_t kPathMissing[] = L"Please input the path";
inline constexpr wchar_t kNameMissing[] = L"Please input the name";
inline constexpr wchar_t kWebPagePreset[] = L"http://";
inline constexpr wchar_t kRestartToAddQuestion[] = L"\n\nRestart Quillmark as administrator to add it?";
inline std::wstring ReplaceQuestion(const std::wstring& file) {
    return L"A startup entry named '" + file + L"' already exists. Replace it?";
}

// Send to Desktop and the offer made at the first close.
inline constexpr wchar_t kSendToDesktopQuestion[] =
    L"Would you like to send Quillmark to My Documents and create a desktop shortcut?";

// An instance running as administrator under another account than the user who asked for it.
inline std::wstring OtherAccountTabCaption(const std::wstring& account) {
    return L"   " + account + L"'s startup items   ";
}
inline std::wstring OtherAccountsItems(const std::wstring& account) {
    return L"Quillmark runs as administrator under the account " + account +
           L", not under yours. This tab would show and change that account's startup items, so this window "
           L"changes only the all users' items. Change your own in the Quillmark you started yourself.";
}
inline std::wstring NotStartedAsAdministrator(const std::wstring& account) {
    return L"Quillmark runs as administrator under the account " + account +
           L", not under yours, and starts no programs and opens no web pages with those rights. "
           L"Open it from the Quillmark you started yourself.";
}

// What a handler's default error box says when its window is not fully set up.
inline constexpr wchar_t kSettingsNotOpen[] = L"The settings file is not open";
inline constexpr wchar_t kInventoryNotAvailable[] = L"The startup inventory is not available";
inline constexpr wchar_t kAboutNotAvailable[] = L"The About window is not available";

}  // namespace quillmark::texts
