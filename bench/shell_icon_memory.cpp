// What the shell itself keeps when asked for many programs' icons: this
// process asks SHGetFileInfoW (SHGFI_ICON, as the program does) for the icon
// of N distinct copies of one system program, destroying each icon at once
// and keeping no image list, and prints its private bytes as it goes; then
// asks again for the same files. Growth here is the shell's own icon cache,
// not Quillmark's. Then the time of first lookups of further copies on two
// threads at once, each in its own apartment. Run under Wine in a private
// prefix:
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
#include <string>
#include <thread>

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

// Asks for the file's icon as the program does, and lets it go at once.
void AskIcon(const std::wstring& path) {
    SHFILEINFOW info{};
    if (SHGetFileInfoW(path.c_str(), 0, &info, sizeof(info), SHGFI_ICON) && info.hIcon) DestroyIcon(info.hIcon);
}

void AskAll(const quillmark::uitest::ProgramCopies& copies, int count, const char* pass) {
    const auto started = std::chrono::steady_clock::now();
    for (int i = 0; i < count; ++i) {
        AskIcon(copies[i]);
        if ((i + 1) % 500 == 0 || i + 1 == count) std::printf("| %s | %5d | %8.1f |\n", pass, i + 1, PrivateMiB());
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("| %s | %.2f ms per lookup |  |\n", pass, seconds * 1000 / std::max(1, count));
    std::fflush(stdout);
}

// First lookups of copies [0, count) shared out between two threads.
void AskOnTwoThreads(const quillmark::uitest::ProgramCopies& copies, int count) {
    const auto started = std::chrono::steady_clock::now();
    const auto half = [&](int first) {
        const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        for (int i = first; i < count; i += 2) AskIcon(copies[i]);
        if (SUCCEEDED(com)) CoUninitialize();
    };
    std::thread other(half, 1);
    half(0);
    other.join();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("| two threads | %.2f ms per first lookup |  |\n", seconds * 1000 / std::max(1, count));
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
    {
        // Files the shell has not seen: its cache knows a file by its path.
        const quillmark::uitest::ProgramCopies others(count, L"qm-program-copies-2");
        AskOnTwoThreads(others, count);
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
