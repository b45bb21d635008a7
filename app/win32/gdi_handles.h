#pragma once
// UniqueResource aliases for the window's drawing objects and menus, and the
// scoped owners of a window's device context and of an object selected into one.
#include <windows.h>

#include "platform/unique_resource.h"

namespace quillmark {

// Fonts, brushes and bitmaps all go back through DeleteObject.
template <typename T>
struct GdiObjectTraits {
    static T Invalid() noexcept { return nullptr; }
    static void Close(T object) noexcept { DeleteObject(object); }
};
using UniqueFont = UniqueResource<GdiObjectTraits<HFONT>>;
using UniqueBrush = UniqueResource<GdiObjectTraits<HBRUSH>>;
using UniqueBitmap = UniqueResource<GdiObjectTraits<HBITMAP>>;

struct MenuTraits {
    static HMENU Invalid() noexcept { return nullptr; }
    static void Close(HMENU menu) noexcept { DestroyMenu(menu); }
};
using UniqueMenu = UniqueResource<MenuTraits>;

struct MemoryDcTraits {
    static HDC Invalid() noexcept { return nullptr; }
    static void Close(HDC dc) noexcept { DeleteDC(dc); }
};
using UniqueMemoryDc = UniqueResource<MemoryDcTraits>;

// A window's device context from GetDC, released to that window.
class WindowDc {
public:
    explicit WindowDc(HWND window) noexcept : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_ != nullptr) ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const noexcept { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// Selects an object into a DC for one scope and puts the old one back.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) noexcept : dc_(dc), old_(SelectObject(dc, object)) {}
    ~SelectedObject() { SelectObject(dc_, old_); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

}  // namespace quillmark
