#include "app/tab_order.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quillmark {
namespace {

// What Windows would show: a control without kHidden whose parents are
// shown; of the tab pages only the selected one; the add panel as asked.
struct Shown {
    bool addPanel;
    int tab;
    bool operator()(const ComponentLayout& layout) const {
        if (layout.role == Role::AddPanel) return addPanel;
        if (layout.kind == ComponentKind::TabSheet) return layout.tabIndex == tab;
        if ((layout.flags & kHidden) != 0) return false;
        return layout.parent == Role::Window || (*this)(*FindComponent(layout.parent));
    }
};

std::vector<std::wstring> Walk(const Shown& shown, bool backwards) {
    std::vector<std::wstring> names;
    const ComponentLayout* at = NextTabStop(nullptr, backwards, shown);
    for (int guard = 0; at != nullptr && guard < 64; ++guard) {
        if (!names.empty() && names.front() == at->name) break;  // round once
        names.push_back(at->name);
        at = NextTabStop(at, backwards, shown);
    }
    return names;
}

struct OrderCase {
    Shown shown;
    std::vector<std::wstring> forward;
};

const std::vector<std::wstring> kToolbar = {L"Button1", L"Button6", L"CbAddProgramsList", L"Button10",
                                            L"BtnAddWebpage", L"BtnSSDeletePCStart", L"BtnFileProperties",
                                            L"Button7", L"SpeedButton8"};
const std::vector<std::wstring> kAddPanel = {L"TxtStartName", L"TxtStartPath", L"BtnSSAddPCStart", L"btnCancel"};
const std::vector<std::wstring> kBottom = {L"BtnSchTool", L"BtnService", L"SpeedButton11", L"CbQuickLaunchFolder",
                                           L"SpeedButton12", L"Button5"};

std::vector<std::wstring> Joined(std::initializer_list<std::vector<std::wstring>> parts) {
    std::vector<std::wstring> all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

class TabOrder : public ::testing::TestWithParam<OrderCase> {};

// Every visible command in reading order, round and back: the hidden
// controls, the labels and the pictures are passed by.
TEST_P(TabOrder, VisitsEveryVisibleCommandInReadingOrderBothWays) {
    const OrderCase& c = GetParam();
    EXPECT_EQ(Walk(c.shown, false), c.forward);
    const std::vector<std::wstring> backwards(c.forward.rbegin(), c.forward.rend());
    EXPECT_EQ(Walk(c.shown, true), backwards);
}

INSTANTIATE_TEST_SUITE_P(
    PanelsAndTabs, TabOrder,
    ::testing::Values(OrderCase{{false, 0}, Joined({kToolbar, {L"PageControl1", L"LvCurrentUser"}, kBottom})},
                      OrderCase{{true, 1},
                                Joined({kToolbar, kAddPanel, {L"PageControl1", L"LVLocalMachine"}, kBottom})}));

// The focus on a control that has just been hidden or disabled still moves on from its place.
TEST(TabOrderFrom, AControlNoLongerAvailableStillHasItsPlace) {
    const Shown panelHidden{false, 0};
    const ComponentLayout* cancel = FindComponent(Role::CancelAddButton);
    EXPECT_STREQ(NextTabStop(cancel, false, panelHidden)->name, L"PageControl1");
    EXPECT_STREQ(NextTabStop(cancel, true, panelHidden)->name, L"SpeedButton8");
    EXPECT_EQ(NextTabStop(nullptr, false, [](const ComponentLayout&) { return false; }), nullptr);
}

}  // namespace
}  // namespace quillmark
