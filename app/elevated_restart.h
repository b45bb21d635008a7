#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace quillmark {

struct Platform;

// Starts the program again with an administrator's rights through the
// shell's "runas" verb (Windows asks the user first), on the given tab.
// `userSid` names the user who asks ("/user:S-1-5-..."): the consent prompt
// may take another account's password, and the new process then runs as
// that account. Empty: no user is named. kErrorSuccess once the new process
// runs; kErrorCancelled when the user declined; otherwise the Windows error
// code of why the shell could not start it (kErrorFileNotFound when this
// program's own path is unknown).
std::uint32_t RestartElevated(const Platform& platform, const std::wstring& programPath, int tabIndex,
                              const std::wstring& userSid = {});

// What a restart as administrator names on its command line.
struct RestartRequest {
    int tab = 0;
    std::wstring userSid;  // empty when the restart named no user
};

// The restart's own command line ("/tab:1", or "/tab:1 /user:S-1-5-21-...");
// nothing for any other, so a normal start opens on the stored tab.
std::optional<RestartRequest> RestartFromCommandLine(const std::wstring& commandLine);
std::optional<int> StartTabFromCommandLine(const std::wstring& commandLine);

}  // namespace quillmark
