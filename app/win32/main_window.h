#pragma once
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <atomic>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/main_view.h"
#include "app/main_window_layout.h"
#include "app/tfrm_run.h"
#include "app/window_keys.h"
#include "app/win32/base_window.h"
#include "app/win32/dpi_scale.h"
#include "app/win32/flat_button.h"
#include "app/win32/gdi_handles.h"
#include "app/win32/panel_widget.h"
#include "app/win32/theme_colours.h"

namespace quillmark {

class Win32ImageList;
class PrivateProfile;
class TFrmAboutWindow;
struct Platform;

// `frmRun`, the main window: the Win32 widgets of the layout table, shown
// to and reported from TfrmRun's handlers through MainView. It decides nothing.
class TfrmRunWindow final : public BaseWindow, public MainView {
public:
    // `startTab` opens the window on that tab instead of the stored one;
    // `askingUserSid` names the user who asked for a restart as administrator.
    TfrmRunWindow(const Platform& platform, PrivateProfile& profile, Win32ImageList& images,
                  std::optional<int> startTab = std::nullopt, std::wstring askingUserSid = {});
    ~TfrmRunWindow() override;

    // Creates the window and its components (which runs FormCreate), centred
    // on the screen, not yet shown.
    void Create();
    // Access keys and the Tab key for the window's controls; true when the
    // message was used up.
    bool PreTranslate(MSG& message);
    TfrmRun& Logic() noexcept { return *logic_; }
    // The About window, created hidden at program start and shown from the help menu.
    void SetAboutWindow(TFrmAboutWindow* about) noexcept { frmAbout_ = about; }

    // MainView
    void SetDoubleBuffered(Role control) override;
    int TabIndex() const override;
    void SelectTab(int index) override;
    void SetOwnerDrawTabs(bool ownerDraw) override;
    void SetTabCaption(int tabIndex, const std::wstring& caption) override;
    int PageWidth() const override;
    int OuterWidth() const override;
    void SetColumnWidth(Role list, int column, int width) override;
    void SetFieldWidth(Role field, int width) override;
    std::wstring FieldText(Role field) const override;
    void SetFieldText(Role field, const std::wstring& text) override;
    void SetFieldColours(Role field, std::uint32_t background, std::uint32_t text) override;
    void FocusField(Role field) override;
    void SetEditPanelVisible(bool visible) override;
    int ComboItemIndex(Role combo) const override;
    std::optional<std::wstring> ChooseFile(const std::wstring& initialFolder) override;
    void ShowRows(Role list, const ScopeList& rows) override;
    std::vector<int> SelectedRows(Role list) const override;
    void FocusList(Role list) override;
    void SelectRow(Role list, int row) override;
    void SetRowIcon(Role list, int row, int imageIndex) override;
    void SetRowStatus(Role list, int row, const std::wstring& text, bool disabled) override;
    void PostIconsArrived() override;
    void PostRowsRead() override;
    void SetListRedraw(Role list, bool redraw) noexcept override;
    void SetTimerEnabled(bool enabled) override;
    MessageAnswer ShowMessage(const std::wstring& text, const std::wstring& caption, MessageKind kind,
                              MessageButtons buttons) override;
    void ShowDefaultErrorBox(const std::wstring& message) override;
    void Close() override;
    void PopUpHelpMenu() override;
    void ShowAboutWindow() override;
    void SetWebsiteColour(std::uint32_t colour) override;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The start-up timer: a window-message timer, so it fires on the window's own thread.
    static constexpr UINT_PTR kStartTimerId = 1;
    // Posted by the icon worker; handled on the window's thread.
    static constexpr UINT kIconsArrivedMessage = WM_APP + 1;
    // Posted by the thread that reads a load's rows; handled on the window's thread.
    static constexpr UINT kRowsReadMessage = WM_APP + 2;
    // A list item's data when Windows will not start the entry.
    static constexpr LPARAM kDisabledRow = 1;

    struct Component {
        const ComponentLayout* layout = nullptr;
        HWND hwnd = nullptr;
    };

    // The window's place centred on the primary screen's work area, at the current scale.
    RECT CentredBounds() const;
    void CreateFonts();
    // The colours of the window and its panels and labels, afresh from the
    // theme (high contrast or the designed palette), everything repainted.
    void ApplyTheme();
    HFONT FontOf(const ComponentLayout& layout) const;
    void CreateComponents();
    void CreateComponent(const ComponentLayout& layout);
    void CreateListView(const ComponentLayout& layout, HWND parent, const RECT& bounds, bool visible);
    void CreateCombo(const ComponentLayout& layout, HWND parent, const RECT& bounds, bool visible);
    void CreateMenus();
    void Realign();
    void ShowSelectedPage();
    void OnCommand(WPARAM wParam, LPARAM lParam);
    LRESULT OnNotify(const NMHDR& header);
    void OnDrawItem(const DRAWITEMSTRUCT& item);
    // The keyboard (main_window_keys.cpp).
    const Component* ComponentOwning(HWND hwnd) const;
    HWND ListContaining(HWND hwnd) const;
    FocusPlace PlaceOfFocus() const;
    void MoveFocusByTab(bool backwards);
    POINT MenuPointForKeyboard(HWND focus) const;
    void OnContextMenu(HWND source, LPARAM position);
    void UpdateRowMenu();
    LRESULT OnControlColour(UINT message, HDC dc, HWND control);
    bool OnAccessKey(wchar_t key);
    // The mouse over the vendor's link or off it (WM_SETCURSOR reaches the window for every child).
    void OnSetCursor(HWND under);
    void RepointImageLists(HIMAGELIST handle);
    // The lists' and the edit fields' events (main_window_fields.cpp).
    bool OnListNotify(const NMHDR& header);
    bool IsList(HWND hwnd) const;
    LRESULT OnListCustomDraw(const NMLVCUSTOMDRAW& draw);
    void WatchEditField(HWND edit);
    static LRESULT CALLBACK EditFieldProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR window);
    void OnEditFieldMessage(HWND edit, UINT message, WPARAM wParam);

    // The control with this role (the window itself for Role::Window); null for none.
    HWND Control(Role role) const;
    RECT Scaled(const Bounds& bounds) const;
    // The control's screen bounds at the current scale: the tabled ones, a
    // caption's grown to fit it, a combo's with its drop-down list.
    RECT PlacedBounds(const ComponentLayout& layout) const;
    // The window moved to a screen of another DPI: fonts, controls, pictures
    // and icons at the new scale, the window at Windows' suggested place.
    void OnDpiChanged(DpiScale scale, const RECT& suggested);
    // The image list at the small-icon size of the window's screen; the
    // lists' icons are asked for again when it changes.
    void FitImagesToScreen();
    PanelWidget* PanelOf(HWND hwnd) const;

    DpiScale scale_;
    Win32ImageList& images_;
    std::unique_ptr<TfrmRun> logic_;
    UniqueFont font_;
    UniqueFont boldFont_;
    UniqueFont underlinedFont_;
    UniqueBrush windowBrush_;
    UniqueBrush highlightBrush_;
    // By role, resolved once as the window is created.
    std::array<Component, kRoleCount> components_{};
    std::vector<std::unique_ptr<PanelWidget>> panels_;
    // Each panel's designed background, for ApplyTheme.
    struct ThemedPanel {
        PanelWidget* panel;
        ColourRole role;
        COLORREF designed;
    };
    std::vector<ThemedPanel> themedPanels_;
    std::vector<std::unique_ptr<FlatButton>> buttons_;
    struct FieldColours {
        COLORREF background;
        COLORREF text;
    };
    std::map<int, UniqueBrush> fieldBrushes_;
    std::map<int, FieldColours> fieldColours_;
    UniqueMenu rowMenu_;
    UniqueMenu helpMenu_;
    // Where the icon worker and the rows' reader post: the window while it
    // exists. Read on their threads.
    std::atomic<HWND> postTarget_{nullptr};
    TFrmAboutWindow* frmAbout_ = nullptr;
    bool overWebsite_ = false;
    std::map<HWND, COLORREF> labelColours_;  // set while running, over the layout's colours
};

}  // namespace quillmark
