#pragma once
#include <optional>
#include <string>

namespace quillmark {

struct Platform;

// Starts the program again with an administrator's rights through the
// shell's "runas" verb (Windows asks the user first), on the given tab.
// True once the new process runs; false when the user declined or the
// shell could not start it.
bool RestartElevated(const Platform& platform, const std::wstring& programPath, int tabIndex);

// The tab a restart names on the command line ("/tab:1"); nothing for any
// other command line, so a normal start opens on the stored tab.
std::optional<int> StartTabFromCommandLine(const std::wstring& commandLine);

}  // namespace quillmark
