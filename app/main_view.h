#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/control_role.h"
#include "inventory/startup_entry.h"

namespace quillmark {

enum class MessageKind { Information, Warning, Error };
// OkCancel has OK as the default button, OkCancelDefaultCancel Cancel.
enum class MessageButtons { Ok, OkCancel, OkCancelDefaultCancel };
enum class MessageAnswer { Ok, Cancel };

// Colours as Windows packs them (0x00BBGGRR).
constexpr std::uint32_t Rgb(int red, int green, int blue) noexcept {
    return static_cast<std::uint32_t>(red) | (static_cast<std::uint32_t>(green) << 8) |
           (static_cast<std::uint32_t>(blue) << 16);
}

// A system colour by its Windows index (COLOR_WINDOW is 5), resolved by the
// widgets when they paint; marked in the top byte, which no RGB colour uses.
constexpr std::uint32_t SystemColour(int index) noexcept { return 0xFF000000u | static_cast<std::uint32_t>(index); }
constexpr bool IsSystemColour(std::uint32_t colour) noexcept { return (colour & 0xFF000000u) == 0xFF000000u; }
inline constexpr std::uint32_t kColourWindow = SystemColour(5);
inline constexpr std::uint32_t kColourWindowText = SystemColour(8);
inline constexpr std::uint32_t kColourHighlight = SystemColour(13);
inline constexpr std::uint32_t kColourHighlightText = SystemColour(14);

// The main window as its handlers see it. The handlers decide; the widget
// layer behind this interface only shows and reports. Widths are in layout
// pixels (96 DPI); the widgets scale them to the screen.
class MainView {
public:
    virtual ~MainView() = default;

    // Draw the control off-screen, then copy.
    virtual void SetDoubleBuffered(Role control) = 0;

    // The tab control's selected index; selecting 0 or 1 also shows that page.
    virtual int TabIndex() const = 0;
    virtual void SelectTab(int index) = 0;
    // Owner-drawn tabs are painted by TfrmRun::DrawTab; otherwise the system draws them.
    virtual void SetOwnerDrawTabs(bool ownerDraw) = 0;
    // The text the system draws on a tab that the window does not draw.
    virtual void SetTabCaption(int tabIndex, const std::wstring& caption) = 0;

    virtual int PageWidth() const = 0;   // width of the tab pages
    virtual int OuterWidth() const = 0;  // the window's width including its frame
    virtual void SetColumnWidth(Role list, int column, int width) = 0;
    virtual void SetFieldWidth(Role field, int width) = 0;

    virtual std::wstring FieldText(Role field) const = 0;
    virtual void SetFieldText(Role field, const std::wstring& text) = 0;
    virtual void SetFieldColours(Role field, std::uint32_t background, std::uint32_t text) = 0;
    // Lists are Role::CurrentUserList and Role::AllUsersList; fields are
    // Role::NameField and Role::PathField.

    // Moves the keyboard focus into the field and selects its whole text.
    // Coming from another control of the window, that runs the add panel's
    // FieldEntered for it.
    virtual void FocusField(Role field) = 0;
    virtual void SetEditPanelVisible(bool visible) = 0;
    // The index of the item chosen in the combo; -1 for none.
    virtual int ComboItemIndex(Role combo) const = 0;
    // The file picker, starting in the folder: the chosen file's full path, or
    // nothing when the user cancels. The file need not exist.
    virtual std::optional<std::wstring> ChooseFile(const std::wstring& initialFolder) = 0;

    // Replaces the list's rows and column captions; no row is selected afterwards.
    virtual void ShowRows(Role list, const ScopeList& rows) = 0;
    // Off, the list does not draw itself as its rows change; back on, it
    // draws them all once. Many rows changed at once cost one drawing.
    virtual void SetListRedraw(Role list, bool redraw) noexcept = 0;
    virtual std::vector<int> SelectedRows(Role list) const = 0;
    virtual void FocusList(Role list) = 0;
    // Marks the row selected, without scrolling it into view.
    virtual void SelectRow(Role list, int row) = 0;
    // Shows that image of the shared list on the row (-1: none).
    virtual void SetRowIcon(Role list, int row, int imageIndex) = 0;
    // The row's "Status" column; a row Windows will not start is drawn in the
    // system's grey text colour unless it is selected.
    virtual void SetRowStatus(Role list, int row, const std::wstring& text, bool disabled) = 0;
    // Called from the icon worker's thread: the window is to run
    // TfrmRun::IconsArrived on its own thread soon. Must not block.
    virtual void PostIconsArrived() = 0;
    // Called from the thread that reads a load's rows: the window is to run
    // StartupLists::RowsRead on its own thread soon. Must not block.
    virtual void PostRowsRead() = 0;

    virtual void SetTimerEnabled(bool enabled) = 0;

    // A modal message box with this caption, icon and buttons.
    virtual MessageAnswer ShowMessage(const std::wstring& text, const std::wstring& caption, MessageKind kind,
                                      MessageButtons buttons) = 0;
    // The toolkit's own box for a failure that reached it, captioned with the application title.
    virtual void ShowDefaultErrorBox(const std::wstring& message) = 0;

    // Asks the window to close, as its close box does.
    virtual void Close() = 0;

    // Pops up the help menu with its top-left corner at the mouse cursor.
    virtual void PopUpHelpMenu() = 0;
    // Shows the About window modally: returns once it is hidden again.
    virtual void ShowAboutWindow() = 0;
    // The text colour of the vendor's web site link.
    virtual void SetWebsiteColour(std::uint32_t colour) = 0;
};

// What TfrmRun::DrawTab paints on: one tab's rectangle, with the tab
// control's font and background brush selected.
class TabCanvas {
public:
    virtual ~TabCanvas() = default;
    virtual void UseBoldFont() = 0;
    virtual void FillBackground() = 0;
    // DrawTextW with DT_SINGLELINE | DT_VCENTER | DT_CENTER and length -1.
    virtual void DrawCentredText(const std::wstring& text) = 0;
};

}  // namespace quillmark
