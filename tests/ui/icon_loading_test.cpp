// The real window under Wine while the shell is slow: 500 programs of their
// own, so their icons keep coming for a while after the rows are there.
#include <string>

#include "tests/ui/main_window_fixture.h"
#include "tests/ui/support/program_copies.h"
#include "tests/ui/support/wait.h"

namespace quillmark::uitest {
namespace {

constexpr int kPrograms = 500;

TEST_F(MainWindowTest, RowsComeAtOnceAndTheWindowAnswersWhileIconsFollow) {
    const ProgramCopies programs(kPrograms);
    for (int i = 0; i < kPrograms; ++i) {
        seed_.AddString(Scope::CurrentUser, L"QM Own " + std::to_wstring(i), L"\"" + programs[i] + L"\" /x");
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
