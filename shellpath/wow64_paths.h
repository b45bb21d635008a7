#pragma once
#include <optional>
#include <string>

namespace quillmark {

struct Platform;

// Windows starts every startup entry from its 64-bit shell, so an entry names
// its files as a 64-bit process sees them. A 32-bit process on 64-bit Windows
// (WOW64) sees some of them elsewhere; these functions bridge the two. In any
// other process they hand their input back.

// The path at which this process reaches the file an entry names. Under WOW64
// the file system shows SysWOW64 at System32, so a path in System32 (outside
// the subfolders the redirector leaves alone) goes through the Sysnative
// alias, which only 32-bit processes see. For looking at a file, its icon,
// starting it or its property sheet; not for a folder handed to Explorer, a
// 64-bit process without that alias.
std::wstring ReachablePath(const Platform& platform, const std::wstring& path);
// The reverse, for a path this process was handed through the alias (a file
// picked in a picker opened there): the name Windows knows it by.
std::wstring WindowsNamedPath(const Platform& platform, const std::wstring& path);

// The variable whose value an entry's %NAME% has where Windows starts it.
// Under WOW64 ProgramFiles and CommonProgramFiles name the "(x86)" folders;
// the 64-bit shell's values are in ProgramW6432 and CommonProgramW6432.
std::wstring EntryVariableName(const Platform& platform, const std::wstring& name);
// Every %NAME% of the text expanded with those values; nothing when a
// reference names no variable. A lone "%" stays.
std::optional<std::wstring> ExpandEntryVariables(const Platform& platform, const std::wstring& text);

// The folder a picker of this process opens for the CSIDL: under WOW64 the
// 64-bit Program Files and Common Files, and System32 through the alias (the
// picker runs in this process); otherwise SpecialFolderPath's.
std::wstring PickerFolderPath(const Platform& platform, int csidl);
// Under WOW64, the 64-bit Program Files or Common Files for their CSIDLs, by
// path; empty for every other folder and process, whose shell answer stands.
std::wstring SixtyFourBitProgramFolder(const Platform& platform, int csidl);

}  // namespace quillmark
