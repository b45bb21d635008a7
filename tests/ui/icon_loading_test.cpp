// The real window under Wine while the shell is slow: 500 programs of their
// own, so their icons keep coming for a while after the rows are there.
#include <string>
#include <vector>

#include "tests/ui/main_window_fixture.h"
#include "tests/ui/support/wait.h"

namespace quillmark::uitest {
namespace {

constexpr int kPrograms = 500;

// Copies of one system program under names of their own; removed afterwards.
class ProgramCopies {
public:
    explicit ProgramCopies(int count) {
        wchar_t temp[MAX_PATH + 1] = L"";
        GetTempPathW(MAX_PATH, temp);
        folder_ = std::wstring(temp) + L"qm-ui-programs";
        CreateDirectoryW(folder_.c_str(), nullptr);
        for (int i = 0; i < count; ++i) {
            paths_.push_back(folder_ + L"\\program" + std::to_wstring(i) + L".exe");
            CopyFileW(L"C:\\windows\\system32\\notepad.exe", paths_.back().c_str(), FALSE);
        }
    }
    ~ProgramCopies() {
        for (const std::wstring& path : paths_) DeleteFileW(path.c_str());
        RemoveDirectoryW(folder_.c_str());
    }
    const std::vector<std::wstring>& Paths() const { return paths_; }

private:
    std::wstring folder_;
    std::vector<std::wstring> paths_;
};

TEST_F(MainWindowTest, RowsComeAtOnceAndTheWindowAnswersWhileIconsFollow) {
    const ProgramCopies programs(kPrograms);
    for (int i = 0; i < kPrograms; ++i) {
        seed_.AddString(Scope::CurrentUser, L"QM Own " + std::to_wstring(i), L"\"" + programs.Paths()[i] + L"\" /x");
    }
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(WaitForRows(Scope::CurrentUser, 60000));
    // Icons are looked up in row order, so the last row's comes last.
    const RemoteListView list = List(Scope::CurrentUser);
    const int lastRow = list.ItemCount() - 1;
    EXPECT_EQ(list.ImageIndex(lastRow), 0) << "the rows are shown before the icons";

    DWORD_PTR answer = 0;
    EXPECT_NE(SendMessageTimeoutW(app_->MainWindow(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &answer), 0)
        << "the window answers while the icons are coming";
    EXPECT_EQ(list.ImageIndex(lastRow), 0) << "the answer came before the last icon";
    Screenshot(L"ui-icons-arriving");

    ASSERT_TRUE(WaitForIcons(Scope::CurrentUser, 120000));
    ExpectListShowsScope(Scope::CurrentUser);
}

}  // namespace
}  // namespace quillmark::uitest
