// What the shell itself keeps when asked for many programs' icons: this
// process asks SHGetFileInfoW (SHGFI_ICON, as the program does) for the icon
// of N distinct copies of one system program, destroying each icon at once
// and keeping no image list, and prints its private bytes as it goes; then
// asks again for the same files. Growth here is the shell's own icon cache,
// not Quillmark's. Run under Wine in a private prefix:
//   bench_shell_icon_memory.exe [copies]
#ifdef _WIN32
#include <windows.h>
#include <objbase.h>
#include <psapi.h>
#include <shellapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "tests/ui/support/program_copies.h"

namespace {

// Wine leaves PrivateUsage at 0 for the calling process; the commit charge
// (PagefileUsage) is the same figure on Windows.
double PrivateMiB() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return static_cast<double>(counters.PagefileUsage) / (1024 * 1024);
}

void AskAll(const quillmark::uitest::ProgramCopies& copies, int count, const char* pass) {
    const auto started = std::chrono::steady_clock::now();
    for (int i = 0; i < count; ++i) {
        SHFILEINFOW info{};
        if (SHGetFileInfoW(copies[i].c_str(), 0, &info, sizeof(info), SHGFI_ICON) && info.hIcon) DestroyIcon(info.hIcon);
        if ((i + 1) % 500 == 0 || i + 1 == count) std::printf("| %s | %5d | %8.1f |\n", pass, i + 1, PrivateMiB());
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("| %s | %.2f ms per lookup |  |\n", pass, seconds * 1000 / std::max(1, count));
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2000;
    const HRESULT com = CoInitialize(nullptr);
    {
        const quillmark::uitest::ProgramCopies copies(count);
        std::printf("| pass | icons asked | private MiB |\n|---|---|---|\n| before | 0 | %8.1f |\n", PrivateMiB());
        AskAll(copies, count, "first");
        AskAll(copies, count, "again");
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return 0;
}
#else
#include <cstdio>

int main() {
    std::puts("bench_shell_icon_memory asks the Windows shell and runs only on Windows (or under Wine).");
    return 0;
}
#endif
