#pragma once
// Reads a report-style list view that lives in another process.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "tests/ui/support/handles.h"
#include "tests/ui/support/remote_buffer.h"

namespace quillmark::uitest {

// Written into LVITEMW::iImage before asking; no list sets it, unlike -1
// (I_IMAGECALLBACK) and -2 (I_IMAGENONE).
inline constexpr int kImageNotRead = -100;

struct ListRow {
    std::wstring name;      // first column
    std::wstring location;  // second column
    int imageIndex = kImageNotRead;
    bool selected = false;
    bool focused = false;
};

class RemoteListView {
public:
    explicit RemoteListView(HWND list);

    HWND Window() const noexcept { return list_; }
    int ItemCount() const;
    int SelectedCount() const;
    int TopIndex() const;
    std::wstring ItemText(int row, int column) const;
    UINT ItemState(int row, UINT mask) const;
    int ImageIndex(int row) const;
    int ColumnWidth(int column) const;
    std::wstring ColumnCaption(int column) const;
    DWORD ExtendedStyle() const;
    // The row's bounds in the list's client coordinates.
    // LVM_GETITEMRECT: the row (LVIR_BOUNDS) or a part of it (LVIR_ICON, ...).
    RECT ItemRect(int row, int part = LVIR_BOUNDS) const;
    POINT ItemCentre(int row) const;
    ListRow Row(int row) const;
    std::vector<ListRow> Rows() const;

private:
    // The remote block holds one LVITEMW/LVCOLUMNW followed by a text buffer.
    static constexpr std::size_t kTextOffset = 256;
    static constexpr std::size_t kTextChars = 4096;

    HWND list_;
    UniqueKernelHandle process_;
    RemoteBuffer buffer_;
};

}  // namespace quillmark::uitest
