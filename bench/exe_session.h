#pragma once
// What the benchmarks that drive Quillmark.exe share: the exes to compare,
// named on the command line, and a prefix set up as for the UI tests (COM,
// fonts, no browser, a settings file that opens on the current user's tab
// without the first-exit offer, put back afterwards).
#ifdef _WIN32
#include <windows.h>
#include <objbase.h>

#include <cstdio>
#include <cstring>
#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "tests/ui/support/quillmark_process.h"
#include "tests/ui/support/settings_file.h"
#include "tests/ui/support/wine_settings.h"

namespace quillmark::bench {

// argv[first..]; QUILLMARK_EXE (as for the UI tests) when none is named.
// Each is printed with its number, as the tables name them.
inline std::vector<std::wstring> ExesFromArguments(int argc, char** argv, int first) {
    std::vector<std::wstring> exes;
    for (int i = first; i < argc; ++i) exes.push_back(std::wstring(argv[i], argv[i] + std::strlen(argv[i])));
    if (exes.empty()) exes.push_back(uitest::QuillmarkExePath());
    for (std::size_t e = 0; e < exes.size(); ++e) std::printf("exe %zu: %ls\n", e + 1, exes[e].c_str());
    return exes;
}

class ExeSession {
public:
    ExeSession() : com_(CoInitialize(nullptr)) {
        uitest::UseMetricCompatibleFontsUnderWine();
        uitest::KeepWebPagesClosedUnderWine();
        uitest::WriteSetting(L"PageControl1", L"0");
        uitest::WriteSetting(L"needsendtodesk", L"0");
    }
    ~ExeSession() {
        if (SUCCEEDED(com_)) CoUninitialize();
    }
    ExeSession(const ExeSession&) = delete;
    ExeSession& operator=(const ExeSession&) = delete;

private:
    HRESULT com_;
    uitest::SettingsFileGuard settings_;
};

// Runs the benchmark in a session; a failure is printed and makes the exit status 1.
inline int RunSession(const std::function<void()>& benchmark) {
    try {
        const ExeSession session;
        benchmark();
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "benchmark failed: %s\n", error.what());
        return 1;
    }
}

}  // namespace quillmark::bench
#endif
