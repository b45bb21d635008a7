#pragma once
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/main_view.h"
#include "app/main_window_layout.h"
#include "platform/error.h"

namespace quillmark::app_testing {

// The recorded lines name a control as the layout's design column does, so
// they read like the window's layout table.
inline std::wstring ControlName(Role control) {
    const ComponentLayout* layout = FindComponent(control);
    return layout != nullptr ? layout->name : L"?";
}
inline std::wstring ListName(Role list) { return ControlName(list); }
inline std::wstring FieldName(Role field) { return ControlName(field); }

// A main window without widgets: every call is written to `calls` as one
// line ("ColumnWidth LvCurrentUser 1 860"), and the state a real window would
// keep is kept, so handlers can be run and read back. A call whose line
// starts with `failOn` throws Error instead, as a widget that cannot do it.
class RecordingMainView final : public MainView {
public:
    std::vector<std::wstring> calls;
    std::wstring failOn;  // empty: nothing fails
    int tabIndex = 1;     // the layout's initially active page is the all users' one
    int pageWidth = 1060;
    int outerWidth = 1076;
    bool timerEnabled = false;
    bool ownerDrawTabs = false;
    std::map<std::wstring, int> widths;  // "LvCurrentUser 1", "TxtStartName"
    std::map<std::wstring, std::vector<int>> selected;
    std::map<std::wstring, int> rowCounts;
    std::map<std::wstring, std::map<int, std::pair<std::wstring, bool>>> statuses;  // text, disabled
    std::wstring focused;
    std::map<std::wstring, std::wstring> fieldTexts;
    std::map<std::wstring, std::pair<std::uint32_t, std::uint32_t>> fieldColours;  // background, text
    bool editPanelVisible = false;
    std::map<std::wstring, int> comboIndexes;
    // What the file picker answers; nothing: the user cancels.
    std::optional<std::wstring> chosenFile;
    // Answers to the next message boxes, in order; OK once they run out.
    std::deque<MessageAnswer> answers;
    std::vector<MessageButtons> messageButtons;
    // Runs the field's enter handler, as the focus moving into it does.
    std::function<void(Role)> onEnterField;

    void SetDoubleBuffered(Role control) override { Record(L"DoubleBuffered " + ControlName(control)); }
    int TabIndex() const override { return tabIndex; }
    void SelectTab(int index) override {
        Record(L"SelectTab " + std::to_wstring(index));
        tabIndex = index;
    }
    void SetOwnerDrawTabs(bool ownerDraw) override {
        Record(L"OwnerDrawTabs " + std::to_wstring(ownerDraw));
        ownerDrawTabs = ownerDraw;
    }
    void SetTabCaption(int tabIndex, const std::wstring& caption) override {
        Record(L"TabCaption " + std::to_wstring(tabIndex) + L" " + caption);
    }
    int PageWidth() const override { return pageWidth; }
    int OuterWidth() const override { return outerWidth; }
    void SetColumnWidth(Role list, int column, int width) override {
        const std::wstring key = ListName(list) + L" " + std::to_wstring(column);
        Record(L"ColumnWidth " + key + L" " + std::to_wstring(width));
        widths[key] = width;
    }
    void SetFieldWidth(Role field, int width) override {
        Record(L"FieldWidth " + FieldName(field) + L" " + std::to_wstring(width));
        widths[FieldName(field)] = width;
    }
    std::wstring FieldText(Role field) const override {
        const auto found = fieldTexts.find(FieldName(field));
        return found == fieldTexts.end() ? std::wstring() : found->second;
    }
    void SetFieldText(Role field, const std::wstring& text) override {
        Record(L"FieldText " + FieldName(field) + L" " + text);
        fieldTexts[FieldName(field)] = text;
    }
    void SetFieldColours(Role field, std::uint32_t background, std::uint32_t text) override {
        Record(L"FieldColours " + FieldName(field));
        fieldColours[FieldName(field)] = {background, text};
    }
    void FocusField(Role field) override {
        Record(L"FocusField " + FieldName(field));
        const bool entering = focused != FieldName(field);
        focused = FieldName(field);
        if (entering && onEnterField) onEnterField(field);
    }
    void SetEditPanelVisible(bool visible) override {
        Record(L"EditPanelVisible " + std::to_wstring(visible));
        editPanelVisible = visible;
    }
    int ComboItemIndex(Role combo) const override {
        const auto found = comboIndexes.find(ControlName(combo));
        return found == comboIndexes.end() ? -1 : found->second;
    }
    std::optional<std::wstring> ChooseFile(const std::wstring& initialFolder) override {
        Record(L"ChooseFile " + initialFolder);
        return chosenFile;
    }
    void ShowRows(Role list, const ScopeList& rows) override {
        Record(L"ShowRows " + ListName(list) + L" " + std::to_wstring(rows.rows.size()));
        rowCounts[ListName(list)] = static_cast<int>(rows.rows.size());
        selected[ListName(list)].clear();
        statuses[ListName(list)].clear();
    }
    std::vector<int> SelectedRows(Role list) const override {
        const auto found = selected.find(ListName(list));
        return found == selected.end() ? std::vector<int>() : found->second;
    }
    void FocusList(Role list) override {
        Record(L"FocusList " + ListName(list));
        focused = ListName(list);
    }
    void SelectRow(Role list, int row) override {
        Record(L"SelectRow " + ListName(list) + L" " + std::to_wstring(row));
        selected[ListName(list)].push_back(row);
    }
    // Kept apart from `calls`: one per row on every load.
    void SetRowStatus(Role list, int row, const std::wstring& text, bool disabled) override {
        statuses[ListName(list)][row] = {text, disabled};
    }
    void SetRowIcon(Role list, int row, int imageIndex) override {
        Record(L"RowIcon " + ListName(list) + L" " + std::to_wstring(row) + L" " + std::to_wstring(imageIndex));
    }
    // Comes from the icon worker's thread: counted apart from `calls`.
    void PostIconsArrived() override {
        const std::lock_guard lock(wakeMutex_);
        ++wakeUps_;
        wakeChanged_.notify_all();
    }
    // Drawing is the widget's; not recorded.
    void SetListRedraw(Role, bool) noexcept override {}
    // From the thread that reads rows apart: a wake-up like the icon worker's.
    void PostRowsRead() override { PostIconsArrived(); }
    int WakeUps() {
        const std::lock_guard lock(wakeMutex_);
        return wakeUps_;
    }
    // Waits for a wake-up after the `seen`th; false when none comes (a stuck worker).
    bool WaitForWakeUp(int seen) {
        std::unique_lock lock(wakeMutex_);
        return wakeChanged_.wait_for(lock, std::chrono::seconds(10), [&] { return wakeUps_ > seen; });
    }
    void SetTimerEnabled(bool enabled) override {
        Record(L"Timer " + std::to_wstring(enabled));
        timerEnabled = enabled;
    }
    MessageAnswer ShowMessage(const std::wstring& text, const std::wstring& caption, MessageKind,
                              MessageButtons buttons) override {
        Record(L"Message " + caption + L": " + text);
        messageButtons.push_back(buttons);
        if (answers.empty()) return MessageAnswer::Ok;
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void ShowDefaultErrorBox(const std::wstring& message) override { calls.push_back(L"ErrorBox " + message); }
    void Close() override { Record(L"Close"); }
    void PopUpHelpMenu() override { Record(L"PopUpHelpMenu"); }
    void ShowAboutWindow() override { Record(L"ShowAboutWindow"); }
    void SetWebsiteColour(std::uint32_t colour) override { Record(L"WebsiteColour " + std::to_wstring(colour)); }

    // The lines that start with `prefix`, in order.
    std::vector<std::wstring> Calls(const std::wstring& prefix) const {
        std::vector<std::wstring> found;
        for (const std::wstring& call : calls) {
            if (call.rfind(prefix, 0) == 0) found.push_back(call);
        }
        return found;
    }

private:
    std::mutex wakeMutex_;
    std::condition_variable wakeChanged_;
    int wakeUps_ = 0;

    void Record(const std::wstring& call) {
        if (!failOn.empty() && call.rfind(failOn, 0) == 0) {
            calls.push_back(L"FAILED " + call);
            throw Error(L"Widget failure: " + call);
        }
        calls.push_back(call);
    }
};

// The tab canvas as a list of what was done to it.
class RecordingTabCanvas final : public TabCanvas {
public:
    std::vector<std::wstring> steps;
    void UseBoldFont() override { steps.push_back(L"Bold"); }
    void FillBackground() override { steps.push_back(L"Fill"); }
    void DrawCentredText(const std::wstring& text) override { steps.push_back(L"Text[" + text + L"]"); }
};

}  // namespace quillmark::app_testing
