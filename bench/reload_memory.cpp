// What a window left open and refreshed costs: the real Quillmark.exe with 50
// entries in the current user's scope is refreshed 1,000 times; the process's
// private bytes, its GDI and USER object counts and the highest image index
// its list shows (the image list's count less one, as the list cannot show
// images it does not have) are read after the first load and after the last
// Refresh. Run under Wine on a display (Xvfb) in a private prefix:
//   bench_reload_memory.exe [refreshes] [exe ...]
// Every exe named is measured in the same run.
#ifdef _WIN32
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/control_ids.h"
#include "bench/exe_session.h"
#include "tests/ui/support/handles.h"
#include "tests/ui/support/inventory_seed.h"
#include "tests/ui/support/quillmark_process.h"
#include "tests/ui/support/remote_list_view.h"
#include "tests/ui/support/wait.h"

namespace {

using namespace quillmark::uitest;

constexpr int kEntries = 50;
constexpr DWORD kPatienceMs = 120000;

struct Reading {
    double privateKiB = 0;
    DWORD gdiObjects = 0;
    DWORD userObjects = 0;
    int highestImage = 0;
};

Reading Read(const QuillmarkProcess& app, const RemoteListView& list) {
    Reading reading;
    const UniqueKernelHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, app.ProcessId()));
    if (!process) throw std::runtime_error("cannot open the program's process");
    // The commit charge: PrivateUsage on Windows, which Wine leaves at 0.
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    if (GetProcessMemoryInfo(process.get(), &counters, sizeof(counters)))
        reading.privateKiB = static_cast<double>(counters.PagefileUsage) / 1024;
    reading.gdiObjects = GetGuiResources(process.get(), GR_GDIOBJECTS);
    reading.userObjects = GetGuiResources(process.get(), GR_USEROBJECTS);
    for (const ListRow& row : list.Rows()) reading.highestImage = std::max(reading.highestImage, row.imageIndex);
    return reading;
}

bool AllIconsSet(const RemoteListView& list) {
    for (const ListRow& row : list.Rows()) {
        if (!row.location.empty() && row.imageIndex == 0) return false;
    }
    return true;
}

void Refresh(const QuillmarkProcess& app, const RemoteListView& list, int rows) {
    DWORD_PTR result = 0;
    const HWND button = app.Control(quillmark::control_ids::kRefreshButton);
    SendMessageTimeoutW(app.MainWindow(), WM_COMMAND, MAKEWPARAM(quillmark::control_ids::kRefreshButton, BN_CLICKED),
                        reinterpret_cast<LPARAM>(button), SMTO_NORMAL, kPatienceMs, &result);
    if (!WaitFor([&] { return list.ItemCount() == rows && list.ImageIndex(rows - 1) != 0; }, kPatienceMs, 1))
        throw std::runtime_error("a Refresh did not come back");
}

void Measure(const std::wstring& exe, int exeNumber, int refreshes) {
    const int rows = static_cast<int>(ExpectedRows(Scope::CurrentUser).size());
    QuillmarkProcess app(exe);
    if (app.WaitForMainWindow(30000) == nullptr) throw std::runtime_error("no main window");
    const RemoteListView list(app.Control(quillmark::control_ids::kCurrentUserList));
    if (!WaitFor([&] { return list.ItemCount() == rows && AllIconsSet(list); }, kPatienceMs, 10))
        throw std::runtime_error("the first load did not finish");
    const Reading first = Read(app, list);
    const double started = NowSeconds();
    for (int i = 0; i < refreshes; ++i) Refresh(app, list, rows);
    const double seconds = NowSeconds() - started;
    WaitFor([&] { return AllIconsSet(list); }, kPatienceMs, 10);
    const Reading last = Read(app, list);
    app.Kill();
    const auto line = [&](const char* when, const Reading& r) {
        std::printf("| exe %d | %-22s | %13d | %12.0f | %11lu | %12lu |\n", exeNumber, when, r.highestImage + 1,
                    r.privateKiB, static_cast<unsigned long>(r.gdiObjects), static_cast<unsigned long>(r.userObjects));
    };
    line("after the first load", first);
    line("after the Refreshes", last);
    std::printf("| exe %d | private bytes change %+.1f %% | %d Refreshes, %.1f ms each |||\n", exeNumber,
                first.privateKiB > 0 ? (last.privateKiB / first.privateKiB - 1) * 100 : 0.0, refreshes,
                seconds * 1000 / std::max(1, refreshes));
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    const int refreshes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
    return quillmark::bench::RunSession([&] {
        const std::vector<std::wstring> exes = quillmark::bench::ExesFromArguments(argc, argv, 2);
        const wchar_t* targets[] = {L"C:\\windows\\notepad.exe", L"C:\\windows\\regedit.exe",
                                    L"C:\\windows\\system32\\cmd.exe", L"C:\\windows\\system32\\winver.exe"};
        InventorySeed seed;
        for (int i = 0; i < kEntries; ++i) {
            const std::wstring name = L"Bench " + std::to_wstring(i);
            if (i % 2 == 0) {
                seed.AddString(Scope::CurrentUser, name, std::wstring(L"\"") + targets[i % 4] + L"\" /bench");
            } else {
                seed.AddShortcut(Scope::CurrentUser, name + L".lnk", targets[i % 4]);
            }
        }
        std::printf("| exe | when | image count | private KiB | GDI objects | USER objects |\n");
        std::printf("|---|---|---|---|---|---|\n");
        for (std::size_t e = 0; e < exes.size(); ++e) Measure(exes[e], static_cast<int>(e + 1), refreshes);
    });
}
#else
#include <cstdio>

int main() {
    std::puts("bench_reload_memory drives Quillmark.exe and runs only on Windows (or under Wine).");
    return 0;
}
#endif
