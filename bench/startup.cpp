// Start-up and load times of the real Quillmark.exe, from process creation:
// the first list filled with a scope's rows, and the last of their icons set.
// The list is filled by a 300 ms one-shot timer after the window is created;
// the figure that matters is the time beyond that. Also the time a Refresh of
// an unchanged scope takes to its last icon. Run under Wine on a display
// (Xvfb) in a private prefix:
//   bench_startup.exe [runs] [exe ...]
// Every exe named is measured in the same run, so an older build can be set
// beside this one.
#ifdef _WIN32
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/control_ids.h"
#include "bench/exe_session.h"
#include "tests/ui/support/inventory_seed.h"
#include "tests/ui/support/program_copies.h"
#include "tests/ui/support/quillmark_process.h"
#include "tests/ui/support/remote_list_view.h"
#include "tests/ui/support/wait.h"

namespace {

using namespace quillmark::uitest;

constexpr double kTimerSeconds = 0.3;
constexpr DWORD kPatienceMs = 600000;
const wchar_t* const kSystemPrograms[] = {L"C:\\windows\\notepad.exe", L"C:\\windows\\regedit.exe",
                                          L"C:\\windows\\system32\\cmd.exe", L"C:\\windows\\system32\\winver.exe"};

struct Sample {
    double window = 0;    // process start -> main window visible
    double rows = 0;      // process start -> the list holds every row
    double lastIcon = 0;  // process start -> the last row's icon is set
    double refresh = 0;   // Refresh pressed -> rows and last icon there again
};

// `values` Run values, then `shortcuts` Startup shortcuts, in the current
// user's scope, each pointing at target(i) (i counts on over both kinds).
void Seed(InventorySeed& seed, Scope scope, int values, int shortcuts, const std::function<std::wstring(int)>& target) {
    for (int i = 0; i < values; ++i)
        seed.AddString(scope, L"Bench " + std::to_wstring(i), L"\"" + target(i) + L"\" /bench");
    for (int i = 0; i < shortcuts; ++i)
        seed.AddShortcut(scope, L"Bench " + std::to_wstring(i) + L".lnk", target(values + i));
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Icons are looked up in the order their programs first appear, so the last
// row's icon is the last to come when its program is the last to appear.
bool LastIconSet(const RemoteListView& list, int rows) { return list.ImageIndex(rows - 1) != 0; }

Sample MeasureOnce(const std::wstring& exe, int expectedRows, bool refresh) {
    QuillmarkProcess app(exe);
    if (app.WaitForMainWindow(30000) == nullptr) throw std::runtime_error("no main window");
    Sample sample;
    sample.window = NowSeconds() - app.StartSeconds();
    const HWND listWindow = app.Control(quillmark::control_ids::kCurrentUserList);
    if (listWindow == nullptr) throw std::runtime_error("no LvCurrentUser list");
    // A load that runs on the window's thread keeps it from answering at
    // all; that is "not yet", not a failure.
    const auto filled = [&] {
        DWORD_PTR count = 0;
        return SendMessageTimeoutW(listWindow, LVM_GETITEMCOUNT, 0, 0, SMTO_NORMAL, 100, &count) &&
               static_cast<int>(count) >= expectedRows;
    };
    if (!WaitFor(filled, kPatienceMs, 1)) throw std::runtime_error("the list was not filled");
    sample.rows = NowSeconds() - app.StartSeconds();
    const RemoteListView list(listWindow);
    if (!WaitFor([&] { return LastIconSet(list, expectedRows); }, kPatienceMs, 1))
        throw std::runtime_error("the last icon did not come");
    sample.lastIcon = NowSeconds() - app.StartSeconds();
    if (refresh) {
        const HWND button = app.Control(quillmark::control_ids::kRefreshButton);
        const double pressed = NowSeconds();
        DWORD_PTR result = 0;
        SendMessageTimeoutW(app.MainWindow(), WM_COMMAND, MAKEWPARAM(quillmark::control_ids::kRefreshButton, BN_CLICKED),
                            reinterpret_cast<LPARAM>(button), SMTO_NORMAL, kPatienceMs, &result);
        if (!WaitFor([&] { return list.ItemCount() == expectedRows && LastIconSet(list, expectedRows); },
                     kPatienceMs, 1))
            throw std::runtime_error("the refreshed list did not come back");
        sample.refresh = NowSeconds() - pressed;
    }
    app.Kill();
    return sample;
}

struct Scenario {
    const char* name;
    bool refresh;
};

void Measure(const Scenario& scenario, const std::vector<std::wstring>& exes, int runs) {
    const int expectedRows = static_cast<int>(ExpectedRows(Scope::CurrentUser).size());
    for (std::size_t e = 0; e < exes.size(); ++e) {
        std::vector<double> windows, rows, icons, refreshes;
        MeasureOnce(exes[e], expectedRows, false);  // warm-up: Wine's first start loads more than later ones
        for (int i = 0; i < runs; ++i) {
            const Sample sample = MeasureOnce(exes[e], expectedRows, scenario.refresh);
            windows.push_back(sample.window);
            rows.push_back(sample.rows);
            icons.push_back(sample.lastIcon);
            refreshes.push_back(sample.refresh);
        }
        std::printf("| %-34s | %5d | exe %zu | %8.0f | %8.0f | %8.0f | %8.0f | %10.0f |\n", scenario.name,
                    expectedRows, e + 1, Median(windows) * 1000, Median(rows) * 1000,
                    (Median(rows) - kTimerSeconds) * 1000, Median(icons) * 1000,
                    scenario.refresh ? Median(refreshes) * 1000 : 0.0);
        std::fflush(stdout);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    return quillmark::bench::RunSession([&] {
        const std::vector<std::wstring> exes = quillmark::bench::ExesFromArguments(argc, argv, 2);
        std::printf("Current user's list, median of %d runs after a warm-up (ms from process start; refresh: from "
                    "pressing Refresh to the last icon)\n", runs);
        std::printf("| scenario | rows | exe | window | rows shown | beyond 300 ms timer | last icon | refresh |\n");
        std::printf("|---|---|---|---|---|---|---|---|\n");
        {
            InventorySeed seed;
            for (const Scope scope : {Scope::CurrentUser, Scope::AllUsers})
                Seed(seed, scope, 10, 10, [](int i) { return kSystemPrograms[i % 4]; });
            Measure({"20 per scope, 4 programs", false}, exes, runs);
        }
        {
            // Run values behind three programs, shortcuts behind the fourth,
            // so the last row's program is the last to be looked up.
            InventorySeed seed;
            Seed(seed, Scope::CurrentUser, 1000, 1000,
                 [](int i) { return kSystemPrograms[i < 1000 ? i % 3 : 3]; });
            Measure({"1,000 + 1,000, 4 programs", true}, exes, runs);
        }
        {
            const ProgramCopies programs(2000);
            InventorySeed seed;
            Seed(seed, Scope::CurrentUser, 1000, 1000, [&](int i) { return programs[i]; });
            Measure({"1,000 + 1,000, a program each", false}, exes, runs);
        }
    });
}
#else
#include <cstdio>

int main() {
    std::puts("bench_startup drives Quillmark.exe and runs only on Windows (or under Wine).");
    return 0;
}
#endif
