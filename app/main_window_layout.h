#pragma once
#include <cstdint>
#include <span>

#include "app/commands.h"
#include "app/control_role.h"

namespace quillmark {

enum class ComponentKind { Panel, PageControl, TabSheet, ListView, FlatButton, PushButton, Combo, Edit, Label, Image,
                           ScrollBox };
enum class Align { None, Top, Bottom, Client };

// Left, top, width, height in layout pixels (96 DPI), relative to the parent.
struct Bounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const Bounds&, const Bounds&) = default;
};

// Component flags.
inline constexpr unsigned kHidden = 0x001;
inline constexpr unsigned kBold = 0x002;
inline constexpr unsigned kRightAligned = 0x004;
inline constexpr unsigned kWordWrap = 0x008;
inline constexpr unsigned kUnderlined = 0x010;
inline constexpr unsigned kTransparent = 0x020;
inline constexpr unsigned kRaisedInnerBevel = 0x040;
inline constexpr unsigned kSingleBorder = 0x080;
inline constexpr unsigned kHighlightBackground = 0x100;

// No colour of its own: the parent's background, or the system's default text.
inline constexpr std::uint32_t kInheritColour = 0xFFFFFFFFu;

// One row of the window's layout: where a control's role meets its design
// name and what it does. Parents come before their children, and earlier
// siblings lie behind later ones.
struct ComponentLayout {
    Role role;
    const wchar_t* name;  // the design's name; code goes by the role
    ComponentKind kind;
    Role parent = Role::Window;
    const wchar_t* caption = L"";
    Bounds bounds = {};
    Align align = Align::None;
    int id = 0;  // child-window identifier (app/control_ids.h)
    unsigned flags = 0;
    std::uint32_t colour = kInheritColour;  // panels and edit fields: background; labels: text
    // What a click, a combo's choice or a tab change does.
    Command command = Command::None;
    std::span<const wchar_t* const> items = {};  // combos: the drop-down items
    int tabIndex = -1;                           // tab sheets: the index of their tab, -1 when the tab is hidden
    int resource = 0;                            // images: the bitmap resource
};

struct MenuItemLayout {
    Role menu;  // Role::RowMenu or Role::HelpMenu
    const wchar_t* name;
    const wchar_t* caption;  // "-" is a separator
    int id;
    Command command = Command::None;
    bool hidden = false;
};

struct FormLayout {
    const wchar_t* name;
    const wchar_t* caption;
    int outerWidth;
    int outerHeight;
    std::uint32_t background;
    const wchar_t* fontName;
    int fontHeight;  // character height in pixels
};

struct OpenDialogLayout {
    const wchar_t* filter;  // pairs of description and pattern, separated by "|"
};

const FormLayout& MainFormLayout() noexcept;
std::span<const ComponentLayout> MainWindowComponents() noexcept;
std::span<const MenuItemLayout> MainWindowMenuItems() noexcept;
const OpenDialogLayout& FilePickerLayout() noexcept;
// The row of the control with this role; null for the window and the menus.
const ComponentLayout* FindComponent(Role role) noexcept;
// The caption of the tab sheet whose tab has this index; empty when none.
const wchar_t* TabCaption(int tabIndex) noexcept;
// How many tabs the tab strip shows.
int TabCount() noexcept;

inline constexpr unsigned kStartTimerInterval = 300;  // milliseconds; disabled at start
inline constexpr int kNameColumnWidth = 180;
inline constexpr int kStatusColumnWidth = 150;
inline constexpr int kSourceColumnWidth = 100;  // "Starts from"
inline constexpr int kLocationColumnMargin = 20;
inline constexpr int kEditFieldMargin = 260;  // the edit fields are the window's outer width minus this

}  // namespace quillmark
