#pragma once
#include <string>

namespace quillmark {

struct Platform;

// Where the copy of Quillmark and its desktop shortcut go.
struct DesktopCopyPlan {
    std::wstring program;      // the running program's full path
    std::wstring desktop;      // the user's desktop folder; empty when unknown
    std::wstring programCopy;  // `ProgramCopyPath`: DataFolder + "\" + the program's file name
};

// The first steps of `InstallDesktopCopy`: the program's path, the desktop
// folder, `DataFolder` (created with its parents when missing) and
// `ProgramCopyPath`, all in UTF-16. Throws Error when the program's path or
// the documents folder cannot be found, so nothing lands at a drive's root.
DesktopCopyPlan PlanDesktopCopy(const Platform& platform);

// Copies the program over `ProgramCopyPath` (a failed copy, for example onto
// itself, is ignored) and writes the desktop shortcut "Quillmark" to it.
// True when the shortcut was written; otherwise `failure` says why. Throws
// Error only when the shell's link object cannot be had.
bool CopyProgramWithShortcut(const Platform& platform, const DesktopCopyPlan& plan, std::wstring& failure);

// `InstallDesktopCopy`: all of the above; throws Error when the shortcut
// could not be written.
void InstallDesktopCopy(const Platform& platform);

// Minimises or restores the open windows so the desktop comes into view.
// A shell without the method (Wine's answers DISP_E_EXCEPTION) is skipped;
// any other failure throws Error with the system's text.
void ShowDesktop(const Platform& platform);

}  // namespace quillmark
