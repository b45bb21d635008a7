// Rows first, icons after: the shell's icons come from a worker thread and
// reach only the rows of the load that asked for them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <thread>

#include "tests/app/tfrm_run_world.h"

namespace quillmark {
namespace {

using app_testing::TfrmRunWorld;
using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;

constexpr auto kUser = StartupScope::CurrentUser;
constexpr wchar_t kFirst[] = L"C:\\Tools\\first.exe";
constexpr wchar_t kSecond[] = L"C:\\Tools\\second.exe";

class TfrmRunIcons : public testing::Test {
protected:
    TfrmRunIcons() {
        for (const wchar_t* program : {kFirst, kSecond}) {
            world_.platform.files().AddFile(program);
            world_.platform.shell().AddIcon(program);
        }
    }
    // Loads the current user's tab while the shell holds on to the first icon request.
    void LoadWithTheShellBusy() {
        world_.form->FormCreate();
        world_.platform.shell().HoldIcons();
        world_.form->SwitchTab();
        world_.platform.shell().WaitForIconCallsEntered(1);
    }
    std::vector<int> IconIndexes() const {
        std::vector<int> indexes;
        for (const StartupEntry& row : world_.form->Lists().Rows(Role::CurrentUserList).rows) {
            indexes.push_back(row.iconIndex);
        }
        return indexes;
    }

    TfrmRunWorld world_;
};

TEST_F(TfrmRunIcons, RowsAreShownBeforeTheirIconsArriveAndShareOneImagePerProgram) {
    world_.AddRunValue(kUser, L"a", kFirst);
    world_.AddRunValue(kUser, L"b", kSecond);
    world_.AddRunValue(kUser, L"c", kFirst);
    LoadWithTheShellBusy();
    EXPECT_EQ(world_.view.Calls(L"ShowRows"), std::vector<std::wstring>{L"ShowRows LvCurrentUser 3"});
    EXPECT_THAT(IconIndexes(), ElementsAre(0, 0, 0)) << "the built-in image until the icons come";

    world_.platform.shell().ReleaseIcons();
    ASSERT_TRUE(world_.PumpIcons());
    EXPECT_THAT(IconIndexes(), ElementsAre(1, 2, 1));
    EXPECT_THAT(world_.view.Calls(L"RowIcon"), UnorderedElementsAre(L"RowIcon LvCurrentUser 0 1",
                                                                      L"RowIcon LvCurrentUser 2 1",
                                                                      L"RowIcon LvCurrentUser 1 2"));
    EXPECT_EQ(world_.images.Count(), 3);
    EXPECT_EQ(world_.platform.shell().IconRequests().size(), 2u);
}

TEST_F(TfrmRunIcons, AReloadDropsTheIconsTheLoadBeforeStillWaitsFor) {
    world_.AddRunValue(kUser, L"a", kFirst);
    LoadWithTheShellBusy();
    world_.AddRunValue(kUser, L"a", kSecond);  // the same row now starts another program
    world_.form->Refresh();
    world_.platform.shell().ReleaseIcons();
    ASSERT_TRUE(world_.PumpIcons());

    EXPECT_THAT(world_.platform.shell().IconRequests(), ElementsAre(kFirst, kSecond));
    EXPECT_THAT(world_.view.Calls(L"RowIcon"), ElementsAre(L"RowIcon LvCurrentUser 0 1"));
    EXPECT_EQ(world_.images.Count(), 2) << "the first program's icon never entered the list";
}

// Moved to a screen of 200 %: the list starts anew at 32 pixels and every
// program is asked for again at that size, without reading the entries again.
TEST_F(TfrmRunIcons, ImagesResizedAsksForEveryIconAgainAtTheNewSize) {
    world_.AddRunValue(kUser, L"a", kFirst);
    world_.AddRunValue(kUser, L"b", kSecond);
    LoadWithTheShellBusy();
    world_.platform.shell().ReleaseIcons();
    ASSERT_TRUE(world_.PumpIcons());
    EXPECT_EQ(world_.platform.shell().LastIconSize(), 16);

    world_.images.Resize(32);
    world_.form->Lists().ImagesResized();
    EXPECT_THAT(IconIndexes(), ElementsAre(0, 0)) << "the built-in image until the new icons come";
    ASSERT_TRUE(world_.PumpIcons());
    EXPECT_THAT(IconIndexes(), ElementsAre(1, 2));
    EXPECT_EQ(world_.platform.shell().IconRequests().size(), 4u);
    EXPECT_EQ(world_.platform.shell().LastIconSize(), 32);
    EXPECT_EQ(world_.view.Calls(L"ShowRows").size(), 1u);
}

TEST_F(TfrmRunIcons, ClosingWhileTheShellIsBusyDoesNotWaitForIt) {
    world_.AddRunValue(kUser, L"a", kFirst);
    LoadWithTheShellBusy();
    const int wakeUps = world_.view.WakeUps();
    world_.form.reset();  // returns although the shell still holds the request
    world_.platform.shell().ReleaseIcons();
    // The worker has got past its last chance to wake the window.
    ASSERT_TRUE(world_.workerEnds.WaitFor(1));
    EXPECT_EQ(world_.view.WakeUps(), wakeUps) << "nothing is handed to a closed window";
}

// A program whose drive does not answer holds only the worker: the rows
// show at once, and each learns whether its program is there when the
// worker has looked, a program missing from a fixed drive as missing.
TEST_F(TfrmRunIcons, TheWindowNeverWaitsForAProgramsDrive) {
    constexpr wchar_t kMissing[] = L"C:\\Tools\\gone.exe";
    world_.AddRunValue(kUser, L"a", kFirst);
    world_.AddRunValue(kUser, L"b", kMissing);
    world_.platform.files().HoldPath(kFirst);
    world_.form->FormCreate();
    world_.form->SwitchTab();
    EXPECT_EQ(world_.view.Calls(L"ShowRows"), std::vector<std::wstring>{L"ShowRows LvCurrentUser 2"});
    ASSERT_TRUE(world_.platform.files().WaitForHeldCall());
    EXPECT_FALSE(world_.platform.files().HasHeld(std::this_thread::get_id()));
    EXPECT_EQ(world_.form->Lists().Rows(Role::CurrentUserList).rows[0].program, ProgramPresence::Unknown);

    world_.platform.files().ReleaseHeld();
    ASSERT_TRUE(world_.PumpIcons());
    const auto& rows = world_.form->Lists().Rows(Role::CurrentUserList).rows;
    EXPECT_EQ(rows[0].program, ProgramPresence::Found);
    EXPECT_EQ(rows[1].program, ProgramPresence::Missing);
}

// Two workers ask the shell at once, and each icon still reaches the rows of
// its own program.
TEST(TfrmRunIconWorkers, TwoAskAtOnceAndEachIconReachesItsOwnRows) {
    TfrmRunWorld world(2);
    for (const wchar_t* program : {kFirst, kSecond}) {
        world.platform.files().AddFile(program);
        world.platform.shell().AddIcon(program);
    }
    world.AddRunValue(kUser, L"a", kFirst);
    world.AddRunValue(kUser, L"b", kSecond);
    world.AddRunValue(kUser, L"c", kFirst);
    world.form->FormCreate();
    world.platform.shell().HoldIcons();
    world.form->SwitchTab();
    ASSERT_TRUE(world.platform.shell().WaitForIconCallsEntered(2)) << "the second worker did not ask meanwhile";
    world.platform.shell().ReleaseIcons();
    ASSERT_TRUE(world.PumpIcons());

    const auto& rows = world.form->Lists().Rows(Role::CurrentUserList).rows;
    EXPECT_EQ(rows[0].iconIndex, rows[2].iconIndex);
    EXPECT_THAT((std::vector<int>{rows[0].iconIndex, rows[1].iconIndex}), UnorderedElementsAre(1, 2));
    EXPECT_EQ(world.images.Count(), 3);
}

// Read apart, as the window reads them: reading starts with the window and
// the start's timer shows those rows; a Startup folder on a drive that does
// not answer holds only the reader, the list keeps what it showed until the
// window's thread takes the new rows, and of two loads asked in a row only
// the later one's rows are shown.
TEST(TfrmRunRowsReadApart, TheWindowShowsOnlyTheLatestLoadsRowsWhenItTakesThem) {
    TfrmRunWorld world(1, true);
    const std::wstring folder = L"C:\\Users\\Quill\\Startup";
    const std::wstring file = folder + L"\\notes.txt";
    world.AddStartupFolder(kUser, folder);
    world.platform.files().AddFile(file);
    world.AddRunValue(kUser, L"a", kFirst);
    world.platform.files().HoldPath(file);
    world.form->FormCreate();
    ASSERT_TRUE(world.platform.files().WaitForHeldCall()) << "the rows are read before the timer";
    EXPECT_FALSE(world.platform.files().HasHeld(std::this_thread::get_id()));
    world.form->LoadOnStart();
    EXPECT_TRUE(world.view.Calls(L"ShowRows").empty()) << "nothing is shown before the rows are read";
    world.platform.files().ReleaseHeld();
    ASSERT_TRUE(world.PumpRows());
    EXPECT_EQ(world.view.Calls(L"ShowRows"), std::vector<std::wstring>{L"ShowRows LvCurrentUser 2"});

    world.platform.files().HoldPath(file);
    world.form->Refresh();
    ASSERT_TRUE(world.platform.files().WaitForHeldCall());
    world.view.tabIndex = 1;
    world.form->SwitchTab();
    world.platform.files().ReleaseHeld();
    ASSERT_TRUE(world.PumpRows());
    EXPECT_EQ(world.view.Calls(L"ShowRows"),
              (std::vector<std::wstring>{L"ShowRows LvCurrentUser 2", L"ShowRows LVLocalMachine 0"}));
}

}  // namespace
}  // namespace quillmark
