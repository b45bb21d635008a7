#include "app/win32/main_window.h"

#include <commctrl.h>

#include <objbase.h>

#include <algorithm>
#include <cwchar>
#include <memory>
#include <thread>

#include "app/application_title.h"
#include "app/control_ids.h"
#include "app/win32/decorative_bitmap.h"
#include "app/win32/text_room.h"
#include "platform/win32/com_apartment.h"
#include "platform/win32/elevation.h"
#include "platform/win32/wow64.h"
#include "platform/win32/win32_image_list.h"
#include "resources/resource_ids.h"

namespace quillmark {

namespace {

// Room for a combo's drop-down list below its edit part.
constexpr int kComboDropDownHeight = 220;

BOOL CALLBACK ForwardSysColorChange(HWND child, LPARAM) {
    SendMessageW(child, WM_SYSCOLORCHANGE, 0, 0);
    return TRUE;
}

// Shortcuts are read on as many threads as there are processors, up to
// four: beyond that the file system, not the processor, sets the pace.
unsigned ShortcutThreads() { return std::clamp(std::thread::hardware_concurrency(), 1u, 4u); }

// Two icon workers where there are two processors: the shell serialises
// much of an icon lookup, so a second worker saves about a quarter of the
// time of icons not looked up before (29 to 22 ms each under Wine).
unsigned IconThreads() { return std::min(ShortcutThreads(), 2u); }

}  // namespace

TfrmRunWindow::TfrmRunWindow(const Platform& platform, PrivateProfile& profile, Win32ImageList& images,
                             std::optional<int> startTab, std::wstring askingUserSid)
    : images_(images),
      logic_(std::make_unique<TfrmRun>(
          *this, MainWindowServices{platform, profile, images, &RunningUnderWow64, &RunningElevated, OwnProgramPath(),
                                    startTab, LoadThreads{&EnterThreadApartment, ShortcutThreads(), IconThreads(), true},
                                    ProcessTokenAccount(!askingUserSid.empty()), askingUserSid})) {
    images_.SetHandleChanged([this](HIMAGELIST handle) { RepointImageLists(handle); });
}

TfrmRunWindow::~TfrmRunWindow() { images_.SetHandleChanged(nullptr); }

void TfrmRunWindow::Create() {
    const FormLayout& form = MainFormLayout();
    windowBrush_.reset(CreateSolidBrush(ThemeColour(ColourRole::FormBackground, form.background)));
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    // Shared icons belong to the system, which frees them with the module;
    // the class only points at them. Both sizes are standard ones, as
    // LR_SHARED requires.
    const auto icon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(QM_IDI_APPLICATION), IMAGE_ICON,
                                                    GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON),
                                                    LR_SHARED));
    const auto smallIcon =
        static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(QM_IDI_APPLICATION), IMAGE_ICON,
                                      GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    // No class brush: the system would delete it when the class goes, and the
    // window's own brush must have one owner. WM_ERASEBKGND paints with it.
    RegisterWindowClass(QUILLMARK_MAIN_WINDOW_CLASS, CS_DBLCLKS, nullptr, icon, smallIcon);

    const int systemDpi = scale_.Dpi();
    const RECT bounds = CentredBounds();
    CreateWindowObject(WS_EX_CONTROLPARENT, QUILLMARK_MAIN_WINDOW_CLASS, form.caption,
                       WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, bounds.left, bounds.top, bounds.right - bounds.left,
                       bounds.bottom - bounds.top, nullptr, nullptr);
    // The primary screen's DPI may have changed since the user signed in:
    // the window was sized for the system DPI, its controls for its screen's.
    if (Handle() != nullptr && scale_.Dpi() != systemDpi) {
        const RECT resized = CentredBounds();
        SetWindowPos(Handle(), nullptr, resized.left, resized.top, resized.right - resized.left,
                     resized.bottom - resized.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

RECT TfrmRunWindow::CentredBounds() const {
    const FormLayout& form = MainFormLayout();
    const int width = scale_.ToScreen(form.outerWidth);
    const int height = scale_.ToScreen(form.outerHeight);
    RECT workArea{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    const int left = workArea.left + (workArea.right - workArea.left - width) / 2;
    const int top = workArea.top + (workArea.bottom - workArea.top - height) / 2;
    return RECT{left, top, left + width, top + height};
}

void TfrmRunWindow::CreateFonts() {
    const FormLayout& form = MainFormLayout();
    LOGFONTW font{};
    // A negative height asks for the character height without internal leading.
    font.lfHeight = -scale_.ToScreen(form.fontHeight);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = ANSI_CHARSET;
    font.lfQuality = CLEARTYPE_QUALITY;
    wcsncpy_s(font.lfFaceName, form.fontName, _TRUNCATE);
    font_.reset(CreateFontIndirectW(&font));
    font.lfWeight = FW_BOLD;
    boldFont_.reset(CreateFontIndirectW(&font));
    font.lfWeight = FW_NORMAL;
    font.lfUnderline = TRUE;
    underlinedFont_.reset(CreateFontIndirectW(&font));
    highlightBrush_.reset(CreateSolidBrush(GetSysColor(COLOR_HIGHLIGHT)));
}

RECT TfrmRunWindow::Scaled(const Bounds& bounds) const {
    return RECT{scale_.ToScreen(bounds.left), scale_.ToScreen(bounds.top),
                scale_.ToScreen(bounds.left + bounds.width), scale_.ToScreen(bounds.top + bounds.height)};
}

RECT TfrmRunWindow::PlacedBounds(const ComponentLayout& layout) const {
    if (layout.kind == ComponentKind::Label) {
        return FittedToCaption(layout, FontOf(layout), scale_, MainWindowComponents());
    }
    if (layout.kind != ComponentKind::Combo) return Scaled(layout.bounds);
    // A combo's height includes its drop-down list.
    RECT fitted = FittedToCaption(layout, font_.get(), scale_, MainWindowComponents());
    fitted.bottom = fitted.top + scale_.ToScreen(kComboDropDownHeight);
    return fitted;
}

HWND TfrmRunWindow::Control(Role role) const {
    if (role == Role::Window) return Handle();
    const std::size_t index = RoleIndex(role);
    return index < components_.size() ? components_[index].hwnd : nullptr;
}

PanelWidget* TfrmRunWindow::PanelOf(HWND hwnd) const {
    for (const auto& panel : panels_) {
        if (panel->Handle() == hwnd) return panel.get();
    }
    return nullptr;
}

void TfrmRunWindow::CreateComponents() {
    for (const ComponentLayout& layout : MainWindowComponents()) CreateComponent(layout);
    // The layout's initially active page is the all users' one; FormCreate may pick another.
    TabCtrl_SetCurSel(Control(Role::TabStrip), FindComponent(Role::AllUsersPage)->tabIndex);
    ShowSelectedPage();
}

void TfrmRunWindow::CreateComponent(const ComponentLayout& layout) {
    const HWND parent = Control(layout.parent);
    const RECT bounds = PlacedBounds(layout);
    const bool visible = (layout.flags & kHidden) == 0;
    const HMENU id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(layout.id));
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    const DWORD visibleStyle = visible ? WS_VISIBLE : 0;
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    HWND hwnd = nullptr;

    switch (layout.kind) {
    case ComponentKind::Panel:
    case ComponentKind::TabSheet:
    case ComponentKind::ScrollBox: {
        PanelWidget::Look look;
        ThemedPanel themed{nullptr, ColourRole::PanelBackground,
                           layout.colour != kInheritColour ? layout.colour : MainFormLayout().background};
        if (layout.kind == ComponentKind::TabSheet || layout.kind == ComponentKind::ScrollBox) {
            themed = ThemedPanel{nullptr, ColourRole::PageBackground, GetSysColor(COLOR_WINDOW)};
        }
        look.background = ThemeColour(themed.role, themed.designed);
        look.raisedBevel = (layout.flags & kRaisedInnerBevel) != 0;
        look.border = (layout.flags & kSingleBorder) != 0;
        // Tab pages are shown one at a time by ShowSelectedPage.
        const bool shown = visible && layout.kind != ComponentKind::TabSheet;
        auto panel = std::make_unique<PanelWidget>();
        hwnd = panel->Create(parent, layout.id, bounds, look, shown);
        themed.panel = panel.get();
        themedPanels_.push_back(themed);
        panels_.push_back(std::move(panel));
        break;
    }
    case ComponentKind::PageControl: {
        hwnd = CreateWindowExW(WS_EX_CONTROLPARENT, WC_TABCONTROLW, L"",
                               WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_TABSTOP | visibleStyle, bounds.left,
                               bounds.top, width, height, parent, id, instance, nullptr);
        // The "Search Result" page has no tab of its own.
        for (const ComponentLayout& page : MainWindowComponents()) {
            if (page.kind != ComponentKind::TabSheet || page.tabIndex < 0) continue;
            TCITEMW item{};
            item.mask = TCIF_TEXT;
            item.pszText = const_cast<wchar_t*>(page.caption);
            TabCtrl_InsertItem(hwnd, page.tabIndex, &item);
        }
        break;
    }
    case ComponentKind::ListView:
        CreateListView(layout, parent, bounds, visible);
        return;
    case ComponentKind::Combo:
        CreateCombo(layout, parent, bounds, visible);
        return;
    case ComponentKind::FlatButton: {
        auto button = std::make_unique<FlatButton>();
        hwnd = button->Create(parent, layout.id, layout.caption, bounds, font_.get(), visible);
        buttons_.push_back(std::move(button));
        break;
    }
    case ComponentKind::PushButton:
        hwnd = CreateWindowExW(0, WC_BUTTONW, layout.caption, WS_CHILD | WS_TABSTOP | BS_PUSHBUTTON | visibleStyle,
                               bounds.left, bounds.top, width, height, parent, id, instance, nullptr);
        break;
    case ComponentKind::Edit:
        hwnd = CreateWindowExW(WS_EX_CLIENTEDGE, WC_EDITW, layout.caption,
                               WS_CHILD | WS_TABSTOP | ES_AUTOHSCROLL | visibleStyle, bounds.left, bounds.top, width,
                               height, parent, id, instance, nullptr);
        WatchEditField(hwnd);
        break;
    case ComponentKind::Label: {
        DWORD align = SS_LEFTNOWORDWRAP;
        if ((layout.flags & kRightAligned) != 0) align = SS_RIGHT;
        if ((layout.flags & kWordWrap) != 0) align = SS_LEFT;
        hwnd = CreateWindowExW(0, WC_STATICW, layout.caption, WS_CHILD | SS_NOPREFIX | SS_NOTIFY | align | visibleStyle,
                               bounds.left, bounds.top, width, height, parent, id, instance, nullptr);
        break;
    }
    case ComponentKind::Image:
        // Drawn by the panel behind its controls.
        if (PanelWidget* panel = PanelOf(parent)) panel->AddImage(LoadDecorativeBitmap(layout.resource), bounds);
        break;
    }

    if (hwnd != nullptr) SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(layout)), FALSE);
    components_[RoleIndex(layout.role)] = Component{&layout, hwnd};
}

HFONT TfrmRunWindow::FontOf(const ComponentLayout& layout) const {
    if ((layout.flags & kUnderlined) != 0) return underlinedFont_.get();
    if ((layout.flags & kBold) != 0) return boldFont_.get();
    return font_.get();
}

void TfrmRunWindow::ApplyTheme() {
    windowBrush_.reset(CreateSolidBrush(ThemeColour(ColourRole::FormBackground, MainFormLayout().background)));
    highlightBrush_.reset(CreateSolidBrush(GetSysColor(COLOR_HIGHLIGHT)));
    for (const ThemedPanel& themed : themedPanels_) themed.panel->SetBackground(ThemeColour(themed.role, themed.designed));
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

void TfrmRunWindow::CreateListView(const ComponentLayout& layout, HWND parent, const RECT& bounds, bool visible) {
    // LVS_SHAREIMAGELISTS: the image list belongs to the window, not the lists.
    const HWND hwnd = CreateWindowExW(
        WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
        WS_CHILD | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS | (visible ? WS_VISIBLE : 0),
        bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(layout.id)), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    ListView_SetExtendedListViewStyleEx(hwnd, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    const wchar_t* captions[] = {L"Name", L"Location", L"Status", L"Starts from"};
    const int widths[] = {kNameColumnWidth, 600, kStatusColumnWidth, kSourceColumnWidth};
    for (int column = 0; column < 4; ++column) {
        LVCOLUMNW info{};
        info.mask = LVCF_TEXT | LVCF_WIDTH;
        info.pszText = const_cast<wchar_t*>(captions[column]);
        info.cx = scale_.ToScreen(widths[column]);
        ListView_InsertColumn(hwnd, column, &info);
    }
    ListView_SetImageList(hwnd, images_.Handle(), LVSIL_SMALL);
    components_[RoleIndex(layout.role)] = Component{&layout, hwnd};
}

void TfrmRunWindow::CreateCombo(const ComponentLayout& layout, HWND parent, const RECT& bounds, bool visible) {
    const HWND hwnd = CreateWindowExW(0, WC_COMBOBOXW, L"",
                                      WS_CHILD | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL |
                                          (visible ? WS_VISIBLE : 0),
                                      bounds.left, bounds.top, bounds.right - bounds.left,
                                      bounds.bottom - bounds.top, parent,
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(layout.id)),
                                      GetModuleHandleW(nullptr), nullptr);
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    for (const wchar_t* item : layout.items) SendMessageW(hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    // The prompt is the edit part's text, not an item.
    SetWindowTextW(hwnd, layout.caption);
    components_[RoleIndex(layout.role)] = Component{&layout, hwnd};
}

void TfrmRunWindow::CreateMenus() {
    rowMenu_.reset(CreatePopupMenu());
    helpMenu_.reset(CreatePopupMenu());
    for (const MenuItemLayout& item : MainWindowMenuItems()) {
        if (item.hidden) continue;
        const HMENU menu = item.menu == Role::RowMenu ? rowMenu_.get() : helpMenu_.get();
        if (std::wcscmp(item.caption, L"-") == 0) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        } else {
            AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(item.id), item.caption);
        }
    }
}

void TfrmRunWindow::Realign() {
    RECT client;
    GetClientRect(Handle(), &client);
    int top = client.top;
    int bottom = client.bottom;
    const auto shown = [](HWND hwnd) { return (GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_VISIBLE) != 0; };
    const auto place = [](HWND hwnd, int x, int y, int width, int height) {
        SetWindowPos(hwnd, nullptr, x, y, width < 0 ? 0 : width, height < 0 ? 0 : height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    };

    // The window's own rows first: top panels downwards, bottom panels upwards, the tabs in between.
    for (const ComponentLayout& layout : MainWindowComponents()) {
        if (layout.parent != Role::Window) continue;
        const HWND hwnd = Control(layout.role);
        if (hwnd == nullptr || !shown(hwnd)) continue;
        const int height = scale_.ToScreen(layout.bounds.height);
        if (layout.align == Align::Top) {
            place(hwnd, 0, top, client.right, height);
            top += height;
        } else if (layout.align == Align::Bottom) {
            bottom -= height;
            place(hwnd, 0, bottom, client.right, height);
        }
    }
    for (const ComponentLayout& layout : MainWindowComponents()) {
        if (layout.parent == Role::Window && layout.align == Align::Client) {
            place(Control(layout.role), 0, top, client.right, bottom - top);
        }
    }

    // Then what fills a parent: the pages fill the tab control's display
    // area, the lists fill their pages.
    for (const ComponentLayout& layout : MainWindowComponents()) {
        if (layout.parent == Role::Window || layout.align != Align::Client) continue;
        const HWND hwnd = Control(layout.role);
        const HWND parent = Control(layout.parent);
        if (hwnd == nullptr || parent == nullptr) continue;
        RECT area;
        GetClientRect(parent, &area);
        if (layout.kind == ComponentKind::TabSheet) TabCtrl_AdjustRect(parent, FALSE, &area);
        place(hwnd, area.left, area.top, area.right - area.left, area.bottom - area.top);
    }
}

void TfrmRunWindow::ShowSelectedPage() {
    const int selected = TabIndex();
    for (const ComponentLayout& layout : MainWindowComponents()) {
        if (layout.kind != ComponentKind::TabSheet) continue;
        const bool show = layout.tabIndex >= 0 && layout.tabIndex == selected;
        ShowWindow(Control(layout.role), show ? SW_SHOWNA : SW_HIDE);
    }
}

void TfrmRunWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    if (lParam == 0) {
        if (code != 0) return;  // accelerators: the window has none
        for (const MenuItemLayout& item : MainWindowMenuItems()) {
            if (item.id == id) logic_->Execute(item.command);
        }
        return;
    }
    for (const ComponentLayout& layout : MainWindowComponents()) {
        if (layout.id != id) continue;
        const bool clicked =
            (layout.kind == ComponentKind::FlatButton || layout.kind == ComponentKind::PushButton) && code == BN_CLICKED;
        const bool changed = layout.kind == ComponentKind::Combo && code == CBN_SELCHANGE;
        const bool labelClicked = layout.kind == ComponentKind::Label && code == STN_CLICKED;
        if (clicked || changed || labelClicked) logic_->Execute(layout.command);
        return;
    }
}

LRESULT TfrmRunWindow::OnNotify(const NMHDR& header) {
    if (header.code == NM_CUSTOMDRAW && IsList(header.hwndFrom)) {
        return OnListCustomDraw(*reinterpret_cast<const NMLVCUSTOMDRAW*>(&header));
    }
    if (OnListNotify(header)) return 0;
    if (header.hwndFrom == Control(Role::TabStrip) && header.code == TCN_SELCHANGE) {
        ShowSelectedPage();
        logic_->Execute(FindComponent(Role::TabStrip)->command);
    }
    return 0;
}

LRESULT TfrmRunWindow::OnControlColour(UINT message, HDC dc, HWND control) {
    const int id = GetDlgCtrlID(control);
    if (control == Control(Role::NameField) || control == Control(Role::PathField)) {
        const auto colour = fieldColours_.find(id);
        if (colour != fieldColours_.end()) {
            SetBkColor(dc, colour->second.background);
            SetTextColor(dc, colour->second.text);
            return reinterpret_cast<LRESULT>(fieldBrushes_[id].get());
        }
        // Until a handler paints it, the path field has the highlight
        // background with the window's text colour.
        if (control == Control(Role::PathField)) {
            SetBkColor(dc, GetSysColor(COLOR_HIGHLIGHT));
            SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
            return reinterpret_cast<LRESULT>(highlightBrush_.get());
        }
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    }
    // Labels: their own text colour on their panel's background.
    for (const Component& component : components_) {
        if (component.hwnd != control || component.layout->kind != ComponentKind::Label) continue;
        const bool link = component.layout->role == Role::WebsiteLink;
        const ColourRole role = link ? ColourRole::LinkText : ColourRole::LabelText;
        std::uint32_t colour = component.layout->colour;
        if (const auto set = labelColours_.find(control); set != labelColours_.end()) colour = set->second;
        if (colour != kInheritColour) {
            SetTextColor(dc, ThemeColour(role, colour));
        } else if (HighContrastOn()) {
            SetTextColor(dc, ThemeColour(role, GetSysColor(COLOR_BTNTEXT)));
        }
        SetBkMode(dc, TRANSPARENT);
        if (PanelWidget* panel = PanelOf(GetParent(control))) return reinterpret_cast<LRESULT>(panel->BackgroundBrush());
        return reinterpret_cast<LRESULT>(windowBrush_.get());
    }
    return Default(message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
}

// Each item of the lists' menu is available only while its command would do
// something for the rows selected now.
void TfrmRunWindow::UpdateRowMenu() {
    for (const MenuItemLayout& item : MainWindowMenuItems()) {
        if (item.hidden || item.command == Command::None || item.menu != Role::RowMenu) continue;
        const UINT state = logic_->IsEnabled(item.command) ? MF_ENABLED : MF_GRAYED;
        EnableMenuItem(rowMenu_.get(), static_cast<UINT>(item.id), MF_BYCOMMAND | state);
    }
}

void TfrmRunWindow::OnDpiChanged(DpiScale scale, const RECT& suggested) {
    scale_ = scale;
    // The controls keep their old fonts until they have been given the new ones.
    const UniqueFont oldFont(std::move(font_));
    const UniqueFont oldBoldFont(std::move(boldFont_));
    const UniqueFont oldUnderlinedFont(std::move(underlinedFont_));
    CreateFonts();
    for (const Component& component : components_) {
        if (component.hwnd == nullptr) continue;
        const ComponentLayout& layout = *component.layout;
        SendMessageW(component.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(layout)), FALSE);
        const RECT bounds = PlacedBounds(layout);
        SetWindowPos(component.hwnd, nullptr, bounds.left, bounds.top, bounds.right - bounds.left,
                     bounds.bottom - bounds.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    for (const auto& panel : panels_) panel->ClearImages();
    for (const ComponentLayout& layout : MainWindowComponents()) {
        if (layout.kind != ComponentKind::Image) continue;
        if (PanelWidget* panel = PanelOf(Control(layout.parent))) {
            panel->AddImage(LoadDecorativeBitmap(layout.resource), Scaled(layout.bounds));
        }
    }
    FitImagesToScreen();
    // Windows suggests the rectangle that keeps the window where it was on the new screen.
    SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    // The rows and columns follow the new scale even when the size in pixels stayed.
    Realign();
    logic_->FormResize();
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

void TfrmRunWindow::FitImagesToScreen() {
    const int size = scale_.Metric(SM_CXSMICON);
    if (images_.IconSize() == size) return;
    images_.Resize(size);
    logic_->Lists().ImagesResized();
}

void TfrmRunWindow::RepointImageLists(HIMAGELIST handle) {
    for (const Role list : {Role::CurrentUserList, Role::AllUsersList}) {
        if (const HWND hwnd = Control(list)) ListView_SetImageList(hwnd, handle, LVSIL_SMALL);
    }
}

LRESULT TfrmRunWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        postTarget_ = Handle();
        scale_ = DpiScale::OfWindow(Handle());
        FitImagesToScreen();
        CreateFonts();
        CreateComponents();
        CreateMenus();
        logic_->FormCreate();
        // Focus rectangles stay hidden until the keyboard is used, unless
        // the window was opened from the keyboard.
        SendMessageW(Handle(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_INITIALIZE, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
        return 0;
    case WM_SYSCOLORCHANGE:
        // Windows tells only top-level windows; the common controls keep their
        // own copy of the system colours until their parent passes it on.
        EnumChildWindows(Handle(), ForwardSysColorChange, 0);
        [[fallthrough]];
    case WM_SETTINGCHANGE:
        // A high-contrast theme switched on or off, or its colours changed.
        ApplyTheme();
        return Default(message, wParam, lParam);
    case WM_DPICHANGED:
        OnDpiChanged(DpiScale(HIWORD(wParam)), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED) {
            Realign();
            logic_->FormResize();
        }
        return 0;
    case WM_ERASEBKGND: {
        RECT client{};
        GetClientRect(Handle(), &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, windowBrush_.get());
        return 1;
    }
    case WM_TIMER:
        if (wParam == kStartTimerId) logic_->LoadOnStart();
        return 0;
    case kIconsArrivedMessage:
        logic_->Lists().IconsArrived();
        return 0;
    case kRowsReadMessage:
        logic_->Lists().RowsRead();
        return 0;
    case WM_COMMAND:
        OnCommand(wParam, lParam);
        return 0;
    case WM_NOTIFY:
        return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item.CtlType != ODT_TAB) return FALSE;
        OnDrawItem(item);
        return TRUE;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
        return OnControlColour(message, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_SETCURSOR:
        OnSetCursor(reinterpret_cast<HWND>(wParam));
        return Default(message, wParam, lParam);
    case WM_INITMENUPOPUP:
        if (reinterpret_cast<HMENU>(wParam) == rowMenu_.get()) UpdateRowMenu();
        return 0;
    case WM_CONTEXTMENU:
        OnContextMenu(reinterpret_cast<HWND>(wParam), lParam);
        return 0;
    case WM_CLOSE: {
        bool canClose = true;
        logic_->FormCloseQuery(canClose);
        if (canClose) DestroyWindow(Handle());
        return 0;
    }
    case WM_DESTROY:
        postTarget_ = nullptr;
        KillTimer(Handle(), kStartTimerId);
        PostQuitMessage(0);
        return 0;
    default:
        return Default(message, wParam, lParam);
    }
}

}  // namespace quillmark
