// Windows starts every startup entry from its 64-bit shell. Entries that name
// programs only the 64-bit side of Windows has (one in the 64-bit System32,
// one in the 64-bit Program Files through %ProgramFiles%, a shortcut to that
// one) read "Enabled" with their program's icon, in the 32-bit exe under
// WOW64 exactly as in the 64-bit exe.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/control_ids.h"
#include "tests/ui/main_window_fixture.h"
#include "tests/ui/support/handles.h"
#include "tests/ui/support/wait.h"

namespace quillmark::uitest {
namespace {

constexpr wchar_t kSystemValue[] = L"QM System64";
constexpr wchar_t kProgramValue[] = L"QM Program64";
constexpr wchar_t kProgramFolder[] = L"QM Only64";
constexpr wchar_t kProgram[] = L"qm-only64.exe";

std::wstring Variable(const wchar_t* name) {
    wchar_t value[MAX_PATH + 1] = L"";
    const DWORD length = GetEnvironmentVariableW(name, value, MAX_PATH + 1);
    return length == 0 || length > MAX_PATH ? std::wstring() : std::wstring(value, length);
}

bool IsWow64(DWORD processId) {
    const UniqueKernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    BOOL wow64 = FALSE;
    return process && IsWow64Process(process.get(), &wow64) && wow64;
}

// Copies of a program with an icon (Quillmark itself) in the 64-bit System32
// and the 64-bit Program Files, and nowhere a 32-bit process would look
// first. A 32-bit harness writes them with the file-system redirection off.
class SixtyFourBitCopies {
public:
    SixtyFourBitCopies() {
        wchar_t system[MAX_PATH + 1] = L"";
        GetSystemDirectoryW(system, MAX_PATH + 1);
        // ProgramW6432 names the 64-bit folder to either build; 32-bit Windows lacks it.
        std::wstring programFiles = Variable(L"ProgramW6432");
        if (programFiles.empty()) programFiles = Variable(L"ProgramFiles");
        folder_ = programFiles + L"\\" + kProgramFolder;
        paths_ = {std::wstring(system) + L"\\" + kProgram, folder_ + L"\\" + kProgram};
        Unredirected([&] {
            CreateDirectoryW(folder_.c_str(), nullptr);
            for (const std::wstring& path : paths_)
                copied_ += CopyFileW(QuillmarkExePath().c_str(), path.c_str(), FALSE) ? 1 : 0;
        });
    }
    ~SixtyFourBitCopies() {
        Unredirected([&] {
            for (const std::wstring& path : paths_) DeleteFileW(path.c_str());
            RemoveDirectoryW(folder_.c_str());
        });
    }
    bool Made() const { return copied_ == 2; }
    // The copy in Program Files as a 64-bit process names it.
    const std::wstring& InProgramFiles() const { return paths_[1]; }

private:
    template <typename Work>
    static void Unredirected(Work work) {
        PVOID redirection = nullptr;
        const BOOL off = Wow64DisableWow64FsRedirection(&redirection);
        work();
        if (off) Wow64RevertWow64FsRedirection(redirection);
    }

    std::wstring folder_;
    std::vector<std::wstring> paths_;
    int copied_ = 0;
};

// One row as the window shows it: name, location, status, and whether it has
// an image of its own.
std::wstring RowLine(const ListRow& row, const std::wstring& status) {
    return row.name + L" | " + row.location + L" | " + status + (row.imageIndex >= 1 ? L" | icon" : L" | no icon");
}

// Each harness reads only windows of its own bitness, so the stage that runs
// both builds in one prefix has the 64-bit one write its rows to a file
// (QUILLMARK_ROWS_OUT) and the 32-bit one compare (QUILLMARK_ROWS_OF_64BIT).
bool WriteLines(const std::wstring& path, const std::vector<std::wstring>& lines) {
    std::wstring text;
    for (const std::wstring& line : lines) text += line + L"\n";
    const UniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    if (!file) return false;
    DWORD written = 0;
    const auto size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    return WriteFile(file.get(), text.data(), size, &written, nullptr) && written == size;
}

std::vector<std::wstring> ReadLines(const std::wstring& path) {
    std::vector<std::wstring> lines;
    const UniqueFileHandle file(
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return {L"<" + path + L" cannot be read>"};
    std::wstring text(GetFileSize(file.get(), nullptr) / sizeof(wchar_t), L'\0');
    DWORD read = 0;
    ReadFile(file.get(), text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &read, nullptr);
    for (std::size_t start = 0, end; (end = text.find(L'\n', start)) != std::wstring::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

class SixtyFourBitProgramsUiTest : public MainWindowTest {
protected:
    // Both tabs as the running exe shows them once every icon is in.
    std::vector<std::wstring> ShownRows() {
        std::vector<std::wstring> shown;
        EXPECT_TRUE(WaitForIcons(Scope::CurrentUser));
        AppendRows(Scope::CurrentUser, shown);
        OpenAllUsersTab();
        EXPECT_TRUE(WaitForIcons(Scope::AllUsers));
        AppendRows(Scope::AllUsers, shown);
        return shown;
    }

    void AppendRows(Scope scope, std::vector<std::wstring>& shown) const {
        const RemoteListView list = List(scope);
        const std::vector<ListRow> rows = list.Rows();
        for (std::size_t i = 0; i < rows.size(); ++i)
            shown.push_back(RowLine(rows[i], list.ItemText(static_cast<int>(i), 2)));
    }

    std::wstring Status(const std::wstring& location) const {
        const RemoteListView list = List(Scope::CurrentUser);
        for (int row = 0; row < list.ItemCount(); ++row) {
            if (list.ItemText(row, 1) != location) continue;
            return list.ItemText(row, 2) + (list.ImageIndex(row) >= 1 ? L" with icon" : L"");
        }
        return L"<no row>";
    }
};

TEST_F(SixtyFourBitProgramsUiTest, ProgramsOfTheSixtyFourBitSideAreEnabledWithTheirIcons) {
    const SixtyFourBitCopies copies;
    ASSERT_TRUE(copies.Made());
    const std::wstring inSystem = L"%SystemRoot%\\System32\\" + std::wstring(kProgram) + L" /x";
    const std::wstring inProgramFiles =
        L"\"%ProgramFiles%\\" + std::wstring(kProgramFolder) + L"\\" + kProgram + L"\" -y";
    seed_.AddString(Scope::CurrentUser, kSystemValue, inSystem, REG_EXPAND_SZ);
    seed_.AddString(Scope::CurrentUser, kProgramValue, inProgramFiles, REG_EXPAND_SZ);
    const std::wstring shortcut = seed_.AddShortcut(Scope::CurrentUser, L"QM Program64.lnk", copies.InProgramFiles());

    ASSERT_NO_FATAL_FAILURE(Start());
    const bool wow64 = IsWow64(app_->ProcessId());
    ASSERT_TRUE(WaitForRows(Scope::CurrentUser));
    ASSERT_TRUE(WaitForIcons(Scope::CurrentUser));
    for (const std::wstring& location : {inSystem, inProgramFiles, shortcut}) {
        SCOPED_TRACE(std::string(location.begin(), location.end()));
        EXPECT_EQ(Status(location), L"Enabled with icon");
    }
    Screenshot(wow64 ? L"ui-win32-sixty-four-bit-programs" : L"ui-sixty-four-bit-programs");
    ExpectListShowsScope(Scope::CurrentUser);
    const std::vector<std::wstring> shown = ShownRows();
    const std::wstring missing = std::wstring(kMissingValue) + L" | C:\\Nowhere\\gone.exe -quiet | Program not found";
    const auto isMissing = [&](const std::wstring& line) { return line.rfind(missing, 0) == 0; };
    EXPECT_NE(std::find_if(shown.begin(), shown.end(), isMissing), shown.end());
    if (const std::wstring out = Variable(L"QUILLMARK_ROWS_OUT"); !out.empty()) {
        EXPECT_TRUE(WriteLines(out, shown));
    }
    if (const std::wstring rows64 = Variable(L"QUILLMARK_ROWS_OF_64BIT"); !rows64.empty()) {
        EXPECT_EQ(shown, ReadLines(rows64)) << "the 32-bit exe lists what the 64-bit exe lists";
    }

    // Under WOW64 the system draws the tabs; elsewhere the window does.
    const auto style = GetWindowLongPtrW(Control(control_ids::kTabStrip), GWL_STYLE);
    EXPECT_EQ((style & TCS_OWNERDRAWFIXED) != 0, !wow64);
}

}  // namespace
}  // namespace quillmark::uitest
