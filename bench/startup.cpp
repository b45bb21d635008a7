// Start-up and load times of the real Quillmark.exe, from process creation:
// the first list filled with a scope's rows, and the last of their icons set.
// The list is filled by a 300 ms one-shot timer after the window is created;
// the figure that matters is the time beyond that. Also the time a Refresh of
// an unchanged scope takes to its last icon, and the longest the window left
// a message unanswered during the start (from its first answer to the last
// icon) and during the Refresh. Run under Wine on a display (Xvfb) in a private prefix:
//   bench_startup.exe [runs] [exe ...]
// Every exe named is measured in the same run, so an older build can be set
// beside this one; each is first run until its list settles, which gives the
// rows it lists (an older build lists fewer places).
#ifdef _WIN32
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "app/control_ids.h"
#include "bench/exe_session.h"
#include "tests/ui/support/inventory_seed.h"
#include "tests/ui/support/package_seed.h"
#include "tests/ui/support/program_copies.h"
#include "tests/ui/support/quillmark_process.h"
#include "tests/ui/support/remote_list_view.h"
#include "tests/ui/support/wait.h"

namespace {

using namespace quillmark::uitest;

constexpr DWORD kPatienceMs = 600000;
constexpr wchar_t kRefreshValue[] = L"Bench refresh";
const wchar_t* const kSystemPrograms[] = {L"C:\\windows\\notepad.exe", L"C:\\windows\\regedit.exe",
                                          L"C:\\windows\\system32\\cmd.exe", L"C:\\windows\\system32\\winver.exe"};

struct Sample {
    double window = 0;    // process start -> main window visible
    double rows = 0;      // process start -> the list holds every row
    double lastIcon = 0;  // process start -> the last row's icon is set
    double refresh = 0;   // Refresh pressed -> rows and last icon there again
    double firstAnswer = 0;     // process start -> the window answers a message for the first time
    double stalledStart = 0;    // longest unanswered message, first answer -> last icon
    double stalledRefresh = 0;  // the same, Refresh pressed -> last icon again
};

// Sends the window one empty message after another from a thread of its own
// and keeps the longest any of them waited for an answer: how long the
// window's thread was busy with something else. Made, it waits for the
// window's first answer (a window just shown may still be painting itself
// for the first time); only the waits after that count.
class AnswerProbe {
public:
    explicit AnswerProbe(HWND window) : thread_([this, window] {
        while (!stop_) {
            const double sent = NowSeconds();
            DWORD_PTR result = 0;
            SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, kPatienceMs, &result);
            if (answered_) longest_ = std::max(longest_.load(), NowSeconds() - sent);
            answered_ = true;
            Sleep(1);
        }
    }) {
        WaitFor([&] { return answered_.load(); }, kPatienceMs, 1);
    }
    ~AnswerProbe() { Stop(); }
    AnswerProbe(const AnswerProbe&) = delete;
    AnswerProbe& operator=(const AnswerProbe&) = delete;
    double Stop() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
        return longest_;
    }

private:
    std::atomic<bool> stop_{false};
    std::atomic<bool> answered_{false};
    std::atomic<double> longest_{0};
    std::thread thread_;
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
    AnswerProbe startProbe(app.MainWindow());
    sample.firstAnswer = NowSeconds() - app.StartSeconds();
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
    sample.stalledStart = startProbe.Stop();
    if (refresh) {
        // One value more, so the refreshed list can be told from the one
        // before: a list read apart keeps its rows until the new ones come.
        const std::wstring added = L"\"" + std::wstring(kSystemPrograms[0]) + L"\" /refresh";
        RegSetKeyValueW(HKEY_CURRENT_USER, kRunKeyPath, kRefreshValue, REG_SZ, added.c_str(),
                        static_cast<DWORD>((added.size() + 1) * sizeof(wchar_t)));
        const HWND button = app.Control(quillmark::control_ids::kRefreshButton);
        AnswerProbe refreshProbe(app.MainWindow());
        const double pressed = NowSeconds();
        DWORD_PTR result = 0;
        SendMessageTimeoutW(app.MainWindow(), WM_COMMAND, MAKEWPARAM(quillmark::control_ids::kRefreshButton, BN_CLICKED),
                            reinterpret_cast<LPARAM>(button), SMTO_NORMAL, kPatienceMs, &result);
        const bool back = WaitFor([&] {
            return list.ItemCount() == expectedRows + 1 && LastIconSet(list, expectedRows + 1);
        }, kPatienceMs, 1);
        sample.refresh = NowSeconds() - pressed;
        sample.stalledRefresh = refreshProbe.Stop();
        RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKeyPath, kRefreshValue);
        if (!back) throw std::runtime_error("the refreshed list did not come back");
    }
    app.Kill();
    return sample;
}

// Starts the exe and waits until its list has held the same number of rows,
// with the last row's icon set, for two seconds: the rows that exe lists.
// Also Wine's first start of an exe, which loads more than later ones.
int SettledRows(const std::wstring& exe) {
    QuillmarkProcess app(exe);
    if (app.WaitForMainWindow(30000) == nullptr) throw std::runtime_error("no main window");
    const RemoteListView list(app.Control(quillmark::control_ids::kCurrentUserList));
    int rows = -1;
    double since = NowSeconds();
    const bool settled = WaitFor([&] {
        const int now = list.ItemCount();
        if (now != rows || now <= 0 || !LastIconSet(list, now)) {
            rows = now;
            since = NowSeconds();
        }
        return now > 0 && NowSeconds() - since > 2.0;
    }, kPatienceMs, 100);
    app.Kill();
    if (!settled) throw std::runtime_error("the list did not settle");
    return rows;
}

struct Scenario {
    const char* name;
    bool refresh;
};

void Measure(const Scenario& scenario, const std::vector<std::wstring>& exes, int runs) {
    for (std::size_t e = 0; e < exes.size(); ++e) {
        const int expectedRows = SettledRows(exes[e]);
        std::vector<double> windows, answers, rows, icons, refreshes, stalledStarts, stalledRefreshes;
        for (int i = 0; i < runs; ++i) {
            const Sample sample = MeasureOnce(exes[e], expectedRows, scenario.refresh);
            windows.push_back(sample.window);
            answers.push_back(sample.firstAnswer);
            rows.push_back(sample.rows);
            icons.push_back(sample.lastIcon);
            refreshes.push_back(sample.refresh);
            stalledStarts.push_back(sample.stalledStart);
            stalledRefreshes.push_back(sample.stalledRefresh);
        }
        std::printf("| %-34s | %5d | exe %zu | %6.0f | %6.0f | %6.0f | %6.0f | %6.0f | %6.0f | %6.0f | %6.0f |\n",
                    scenario.name, expectedRows, e + 1, Median(windows) * 1000, Median(answers) * 1000,
                    Median(rows) * 1000,
                    (Median(rows) - Median(windows)) * 1000, Median(icons) * 1000,
                    scenario.refresh ? Median(refreshes) * 1000 : 0.0, Median(stalledStarts) * 1000,
                    scenario.refresh ? Median(stalledRefreshes) * 1000 : 0.0);
        std::fflush(stdout);
    }
}

// The places besides Run and the Startup folder: a few values in each of
// the current user's Run once and policy Run keys, and a few packaged apps'
// startup tasks, each app with its own program.
void SeedOtherPlaces(InventorySeed& seed, PackageSeed& packages) {
    for (int i = 0; i < 5; ++i) {
        const std::wstring name = L"Bench " + std::to_wstring(i);
        seed.AddStringAt(Scope::CurrentUser, kRunOnceKeyPath, name, L"\"" + std::wstring(kSystemPrograms[i % 4]) + L"\"");
        seed.AddStringAt(Scope::CurrentUser, kPolicyRunKeyPath, name, L"\"" + std::wstring(kSystemPrograms[i % 4]) + L"\"");
        packages.Add({L"Bench.App" + std::to_wstring(i), L"Task", L"Bench app " + std::to_wstring(i)},
                     kSystemPrograms[i % 4]);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    return quillmark::bench::RunSession([&] {
        const std::vector<std::wstring> exes = quillmark::bench::ExesFromArguments(argc, argv, 2);
        std::printf("Current user's list, median of %d runs after a warm-up (ms from process start; refresh: from "
                    "pressing Refresh to the last icon; unanswered: the longest the window kept a message waiting)\n",
                    runs);
        std::printf("| scenario | rows | exe | window | first answer | rows shown | rows after window | last icon | "
                    "refresh | unanswered at start | unanswered in refresh |\n");
        std::printf("|---|---|---|---|---|---|---|---|---|---|---|\n");
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
            PackageSeed packages;
            SeedOtherPlaces(seed, packages);
            Measure({"1,000 + 1,000 and the other places", true}, exes, runs);
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
