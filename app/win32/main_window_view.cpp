// TfrmRunWindow's side of MainView: what the handlers ask of the widgets.
#include "app/win32/main_window.h"

#include <commctrl.h>

#include "app/application_title.h"
#include "platform/error.h"

namespace quillmark {

namespace {

constexpr UINT_PTR kBufferedTabSubclass = 1;

// Paints the tab control into a memory DC first (it answers WM_PRINTCLIENT
// like WM_PAINT), so a resize or a tab change does not flicker.
LRESULT CALLBACK BufferedTabProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == WM_ERASEBKGND) return 1;
    if (message != WM_PAINT) return DefSubclassProc(hwnd, message, wParam, lParam);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    RECT client;
    GetClientRect(hwnd, &client);
    UniqueMemoryDc memory(CreateCompatibleDC(dc));
    UniqueBitmap buffer(CreateCompatibleBitmap(dc, client.right, client.bottom));
    if (memory && buffer) {
        SelectedObject selected(memory.get(), buffer.get());
        const auto background = reinterpret_cast<HBRUSH>(GetClassLongPtrW(GetParent(hwnd), GCLP_HBRBACKGROUND));
        FillRect(memory.get(), &client, background != nullptr ? background : GetSysColorBrush(COLOR_BTNFACE));
        DefSubclassProc(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory.get()), PRF_CLIENT);
        BitBlt(dc, 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
    }
    EndPaint(hwnd, &paint);
    return 0;
}

// One owner-drawn tab, as DRAWITEMSTRUCT hands it over.
class Win32TabCanvas final : public TabCanvas {
public:
    Win32TabCanvas(const DRAWITEMSTRUCT& item, HFONT font, HFONT boldFont, HBRUSH background)
        : dc_(item.hDC), rect_(item.rcItem), boldFont_(boldFont), background_(background),
          oldFont_(SelectObject(item.hDC, font)) {}
    ~Win32TabCanvas() override { SelectObject(dc_, oldFont_); }

    void UseBoldFont() override { SelectObject(dc_, boldFont_); }
    void FillBackground() override { FillRect(dc_, &rect_, background_); }
    void DrawCentredText(const std::wstring& text) override {
        SetBkMode(dc_, TRANSPARENT);
        SetTextColor(dc_, GetSysColor(COLOR_BTNTEXT));
        DrawTextW(dc_, text.c_str(), -1, &rect_, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    }

private:
    HDC dc_;
    RECT rect_;
    HFONT boldFont_;
    HBRUSH background_;
    HGDIOBJ oldFont_;
};

std::wstring WindowText(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

}  // namespace

void TfrmRunWindow::OnDrawItem(const DRAWITEMSTRUCT& item) {
    {
        Win32TabCanvas canvas(item, font_.get(), boldFont_.get(), windowBrush_.get());
        logic_->DrawTab(static_cast<int>(item.itemID), canvas);
    }
    // An owner-drawn item shows the focus itself when ODS_FOCUS says so,
    // and only once the keyboard is in use.
    const bool cuesHidden = (SendMessageW(Handle(), WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) != 0;
    if ((item.itemState & ODS_FOCUS) != 0 && !cuesHidden) {
        RECT focus = item.rcItem;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(item.hDC, &focus);
    }
}

void TfrmRunWindow::SetDoubleBuffered(Role control) {
    const HWND hwnd = Control(control);
    const ComponentLayout* layout = FindComponent(control);
    if (hwnd == nullptr || layout == nullptr) return;
    switch (layout->kind) {
    case ComponentKind::ListView:
        ListView_SetExtendedListViewStyleEx(hwnd, LVS_EX_DOUBLEBUFFER, LVS_EX_DOUBLEBUFFER);
        break;
    case ComponentKind::PageControl:
        SetWindowSubclass(hwnd, &BufferedTabProc, kBufferedTabSubclass, 0);
        break;
    default:
        if (PanelWidget* panel = PanelOf(hwnd)) panel->SetDoubleBuffered(true);
        break;
    }
}

int TfrmRunWindow::TabIndex() const { return TabCtrl_GetCurSel(Control(Role::TabStrip)); }

void TfrmRunWindow::SelectTab(int index) {
    // TCM_SETCURSEL sends no TCN_SELCHANGE: selecting here loads nothing.
    TabCtrl_SetCurSel(Control(Role::TabStrip), index);
    ShowSelectedPage();
}

void TfrmRunWindow::SetOwnerDrawTabs(bool ownerDraw) {
    const HWND tabs = Control(Role::TabStrip);
    LONG_PTR style = GetWindowLongPtrW(tabs, GWL_STYLE);
    style = ownerDraw ? (style | TCS_OWNERDRAWFIXED) : (style & ~static_cast<LONG_PTR>(TCS_OWNERDRAWFIXED));
    SetWindowLongPtrW(tabs, GWL_STYLE, style);
    InvalidateRect(tabs, nullptr, TRUE);
}

void TfrmRunWindow::SetTabCaption(int tabIndex, const std::wstring& caption) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(caption.c_str());
    TabCtrl_SetItem(Control(Role::TabStrip), tabIndex, &item);
}

int TfrmRunWindow::PageWidth() const {
    RECT bounds;
    GetWindowRect(Control(Role::TabStrip), &bounds);
    return scale_.ToLayout(bounds.right - bounds.left);
}

int TfrmRunWindow::OuterWidth() const {
    RECT bounds;
    GetWindowRect(Handle(), &bounds);
    return scale_.ToLayout(bounds.right - bounds.left);
}

void TfrmRunWindow::SetColumnWidth(Role list, int column, int width) {
    ListView_SetColumnWidth(Control(list), column, scale_.ToScreen(width));
}

void TfrmRunWindow::SetFieldWidth(Role field, int width) {
    const HWND edit = Control(field);
    RECT bounds;
    GetWindowRect(edit, &bounds);
    SetWindowPos(edit, nullptr, 0, 0, scale_.ToScreen(width), bounds.bottom - bounds.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::wstring TfrmRunWindow::FieldText(Role field) const { return WindowText(Control(field)); }

void TfrmRunWindow::SetFieldText(Role field, const std::wstring& text) {
    SetWindowTextW(Control(field), text.c_str());
}

void TfrmRunWindow::SetEditPanelVisible(bool visible) {
    ShowWindow(Control(Role::AddPanel), visible ? SW_SHOWNA : SW_HIDE);
    Realign();
}

void TfrmRunWindow::ShowRows(Role list, const ScopeList& rows) {
    const HWND hwnd = Control(list);
    SetListRedraw(list, false);
    ListView_DeleteAllItems(hwnd);
    const std::wstring* captions[] = {&rows.nameCaption, &rows.locationCaption, &rows.statusCaption,
                                      &rows.sourceCaption};
    for (int column = 0; column < 4; ++column) {
        LVCOLUMNW info{};
        info.mask = LVCF_TEXT;
        info.pszText = const_cast<wchar_t*>(captions[column]->c_str());
        ListView_SetColumn(hwnd, column, &info);
    }
    ListView_SetItemCount(hwnd, static_cast<int>(rows.rows.size()));
    int index = 0;
    for (const StartupEntry& row : rows.rows) {
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = index;
        item.pszText = const_cast<wchar_t*>(row.name.c_str());
        item.iImage = row.iconIndex >= 0 ? row.iconIndex : I_IMAGENONE;
        const int inserted = ListView_InsertItem(hwnd, &item);
        if (inserted >= 0) {
            ListView_SetItemText(hwnd, inserted, 1, const_cast<wchar_t*>(row.location.c_str()));
            ListView_SetItemText(hwnd, inserted, 3, const_cast<wchar_t*>(SourceName(row.source)));
        }
        ++index;
    }
    SetListRedraw(list, true);
}

void TfrmRunWindow::SetListRedraw(Role list, bool redraw) noexcept {
    const HWND hwnd = Control(list);
    SendMessageW(hwnd, WM_SETREDRAW, redraw ? TRUE : FALSE, 0);
    // Turned back on, the list view draws nothing by itself.
    if (redraw) InvalidateRect(hwnd, nullptr, TRUE);
}

std::vector<int> TfrmRunWindow::SelectedRows(Role list) const {
    std::vector<int> selected;
    const HWND hwnd = Control(list);
    for (int row = ListView_GetNextItem(hwnd, -1, LVNI_SELECTED); row >= 0;
         row = ListView_GetNextItem(hwnd, row, LVNI_SELECTED)) {
        selected.push_back(row);
    }
    return selected;
}

void TfrmRunWindow::FocusList(Role list) {
    const HWND hwnd = Control(list);
    // As the toolkit does: a control that cannot be seen cannot take the focus.
    if (hwnd == nullptr || !IsWindowVisible(hwnd) || !IsWindowEnabled(hwnd)) {
        throw Error(L"Cannot focus a disabled or invisible window");
    }
    SetFocus(hwnd);
}

void TfrmRunWindow::SelectRow(Role list, int row) {
    ListView_SetItemState(Control(list), row, LVIS_SELECTED, LVIS_SELECTED);
}

void TfrmRunWindow::SetRowIcon(Role list, int row, int imageIndex) {
    LVITEMW item{};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    item.iImage = imageIndex >= 0 ? imageIndex : I_IMAGENONE;
    ListView_SetItem(Control(list), &item);
}

void TfrmRunWindow::SetRowStatus(Role list, int row, const std::wstring& text, bool disabled) {
    const HWND hwnd = Control(list);
    ListView_SetItemText(hwnd, row, 2, const_cast<wchar_t*>(text.c_str()));
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    item.lParam = disabled ? kDisabledRow : 0;
    ListView_SetItem(hwnd, &item);
}

void TfrmRunWindow::PostIconsArrived() {
    // From the worker: posting never waits for the window's thread.
    if (const HWND target = postTarget_.load()) PostMessageW(target, kIconsArrivedMessage, 0, 0);
}

void TfrmRunWindow::PostRowsRead() {
    if (const HWND target = postTarget_.load()) PostMessageW(target, kRowsReadMessage, 0, 0);
}

void TfrmRunWindow::SetTimerEnabled(bool enabled) {
    if (enabled) {
        SetTimer(Handle(), kStartTimerId, kStartTimerInterval, nullptr);
    } else {
        KillTimer(Handle(), kStartTimerId);
    }
}

MessageAnswer TfrmRunWindow::ShowMessage(const std::wstring& text, const std::wstring& caption, MessageKind kind,
                                         MessageButtons buttons) {
    UINT icon = MB_ICONINFORMATION;
    if (kind == MessageKind::Warning) icon = MB_ICONWARNING;
    if (kind == MessageKind::Error) icon = MB_ICONERROR;
    UINT choice = MB_OK;
    if (buttons == MessageButtons::OkCancel) choice = MB_OKCANCEL;
    if (buttons == MessageButtons::OkCancelDefaultCancel) choice = MB_OKCANCEL | MB_DEFBUTTON2;
    return MessageBoxW(Handle(), text.c_str(), caption.c_str(), icon | choice) == IDOK ? MessageAnswer::Ok
                                                                                      : MessageAnswer::Cancel;
}

void TfrmRunWindow::ShowDefaultErrorBox(const std::wstring& message) {
    MessageBoxW(Handle(), message.c_str(), kApplicationTitle, MB_OK | MB_ICONERROR);
}

void TfrmRunWindow::Close() {
    // Posted, so the button that asked is not destroyed inside its own click.
    PostMessageW(Handle(), WM_CLOSE, 0, 0);
}

}  // namespace quillmark
