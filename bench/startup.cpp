// Start-up time of the real Quillmark.exe: from process creation to the first
// list filled with a scope's entries. The list is filled by a 300 ms one-shot
// timer after the window is created; the figure that matters is the time
// beyond that. Run under Wine on a display (Xvfb) in a private prefix:
//   bench_startup.exe [runs]      (QUILLMARK_EXE as for the UI tests)
#ifdef _WIN32
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/win32/control_ids.h"
#include "tests/ui/support/inventory_seed.h"
#include "tests/ui/support/quillmark_process.h"
#include "tests/ui/support/settings_file.h"
#include "tests/ui/support/wait.h"
#include "tests/ui/support/wine_settings.h"

namespace {

using namespace quillmark::uitest;

constexpr double kTimerSeconds = 0.3;

struct Sample {
    double windowSeconds;  // process start -> main window visible
    double filledSeconds;  // process start -> list holds every row
};

// Half of each scope's entries are Run values, half shortcuts in the Startup
// folder, all pointing at programs that exist (each row costs an icon lookup,
// each shortcut a link load).
void Seed(InventorySeed& seed, int entriesPerScope) {
    const wchar_t* targets[] = {L"C:\\windows\\notepad.exe", L"C:\\windows\\regedit.exe",
                                L"C:\\windows\\system32\\cmd.exe", L"C:\\windows\\system32\\winver.exe"};
    for (const Scope scope : {Scope::CurrentUser, Scope::AllUsers}) {
        for (int i = 0; i < entriesPerScope; ++i) {
            const std::wstring name = L"Bench " + std::to_wstring(i);
            const wchar_t* target = targets[i % 4];
            if (i % 2 == 0) {
                seed.AddString(scope, name, std::wstring(L"\"") + target + L"\" /bench");
            } else {
                seed.AddShortcut(scope, name + L".lnk", target);
            }
        }
    }
}

Sample MeasureOnce(int expectedRows) {
    QuillmarkProcess app;
    if (app.WaitForMainWindow(30000) == nullptr) throw std::runtime_error("no main window");
    const double window = NowSeconds() - app.StartSeconds();
    const HWND list = app.Control(quillmark::control_ids::kLvCurrentUser);
    if (list == nullptr) throw std::runtime_error("no LvCurrentUser list");
    // The load runs on the window's thread, so the count is answered only
    // between loads: it jumps from 0 to the full count. A long load keeps the
    // thread from answering at all; that is "not yet", not a failure.
    const auto filled = [&] {
        DWORD_PTR count = 0;
        return SendMessageTimeoutW(list, LVM_GETITEMCOUNT, 0, 0, SMTO_NORMAL, 100, &count) &&
               static_cast<int>(count) >= expectedRows;
    };
    if (!WaitFor(filled, 300000, 1)) throw std::runtime_error("the list was not filled");
    const double filledAt = NowSeconds() - app.StartSeconds();
    app.Kill();
    return {window, filledAt};
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void Run(int entriesPerScope, int runs) {
    InventorySeed seed;
    Seed(seed, entriesPerScope);
    const int expectedRows = static_cast<int>(ExpectedRows(Scope::CurrentUser).size());
    std::vector<double> windows;
    std::vector<double> fills;
    MeasureOnce(expectedRows);  // warm-up: Wine's first start loads more than later ones
    for (int i = 0; i < runs; ++i) {
        const Sample sample = MeasureOnce(expectedRows);
        windows.push_back(sample.windowSeconds);
        fills.push_back(sample.filledSeconds);
    }
    const double fill = Median(fills);
    std::printf("| %5d | %5d | %8.0f | %8.0f | %8.0f | %8.0f |\n", entriesPerScope, expectedRows,
                Median(windows) * 1000, fill * 1000, (fill - kTimerSeconds) * 1000,
                *std::max_element(fills.begin(), fills.end()) * 1000);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    const HRESULT com = CoInitialize(nullptr);
    quillmark::uitest::UseMetricCompatibleFontsUnderWine();
    quillmark::uitest::KeepWebPagesClosedUnderWine();
    int status = 0;
    try {
        SettingsFileGuard settings;
        WriteSetting(L"PageControl1", L"0");
        WriteSetting(L"needsendtodesk", L"0");
        std::printf("Start-up to first list filled, median of %d runs (ms)\n", runs);
        std::printf("| per scope | rows | window | filled | beyond 300 ms timer | slowest fill |\n");
        std::printf("|---|---|---|---|---|---|\n");
        for (const int entries : {20, 1000}) Run(entries, runs);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "benchmark failed: %s\n", error.what());
        status = 1;
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return status;
}
#else
#include <cstdio>

int main() {
    std::puts("bench_startup drives Quillmark.exe and runs only on Windows (or under Wine).");
    return 0;
}
#endif
