#pragma once

namespace quillmark {

// What quillmark-cli's exit code tells a script. --help and the README list
// them from kExitCodeMeanings.
enum ExitCode : int {
    kExitDone = 0,
    kExitFailed = 1,
    // The command line cannot be carried out as given: a usage error, or a
    // name that matches no entry or more than one.
    kExitUsage = 2,
    // Windows refused the change for want of rights: an elevated run may do it.
    kExitNeedsAdministrator = 3,
};

struct ExitCodeMeaning {
    ExitCode code;
    const wchar_t* meaning;
};

inline constexpr ExitCodeMeaning kExitCodeMeanings[] = {
    {kExitDone, L"done"},
    {kExitFailed, L"failed"},
    {kExitUsage, L"usage error, or no single entry matches"},
    {kExitNeedsAdministrator, L"refused for want of administrator rights: run it again elevated"},
};

}  // namespace quillmark
