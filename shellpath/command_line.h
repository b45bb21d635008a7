#pragma once
#include <string>

namespace quillmark {

struct Platform;

// The program a command line starts: web addresses pass through, the first
// %NAME% is expanded, a leading quoted part is the program, otherwise the
// text is cut after the program's extension. Never fails.
std::wstring ProgramPathFromCommand(const Platform& platform, const std::wstring& location);
std::wstring ExpandFirstEnvVar(const Platform& platform, const std::wstring& text);
std::wstring ReadEnvVar(const Platform& platform, const std::wstring& name);
std::wstring StripArguments(const std::wstring& commandLine);
std::wstring StripLeadingQuoted(const std::wstring& text);
std::wstring RemoveFileExt(const std::wstring& text);

}  // namespace quillmark
