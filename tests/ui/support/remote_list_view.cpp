#include "tests/ui/support/remote_list_view.h"

#include <commctrl.h>

#include <stdexcept>
#include <string>

#include "tests/ui/support/remote_window.h"

namespace quillmark::uitest {

namespace {
static_assert(sizeof(LVITEMW) <= 256 && sizeof(LVCOLUMNW) <= 256, "the text buffer must follow the structure");
}

RemoteListView::RemoteListView(HWND list)
    : list_(list), process_(OpenWindowProcess(list)),
      buffer_(process_.get(), kTextOffset + kTextChars * sizeof(wchar_t)) {}

int RemoteListView::ItemCount() const { return static_cast<int>(SendRemote(list_, LVM_GETITEMCOUNT)); }

int RemoteListView::SelectedCount() const { return static_cast<int>(SendRemote(list_, LVM_GETSELECTEDCOUNT)); }

int RemoteListView::TopIndex() const { return static_cast<int>(SendRemote(list_, LVM_GETTOPINDEX)); }

DWORD RemoteListView::ExtendedStyle() const {
    return static_cast<DWORD>(SendRemote(list_, LVM_GETEXTENDEDLISTVIEWSTYLE));
}

RECT RemoteListView::ItemRect(int row, int part) const {
    RECT rect{part, 0, 0, 0};
    buffer_.Write(0, &rect, sizeof(rect));
    if (!SendRemote(list_, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(buffer_.Address()))) {
        throw std::runtime_error("the list has no row " + std::to_string(row));
    }
    buffer_.Read(0, &rect, sizeof(rect));
    return rect;
}

POINT RemoteListView::ItemCentre(int row) const {
    const RECT rect = ItemRect(row);
    // Left of the middle: the name column, away from the location's long text.
    return POINT{rect.left + 60, (rect.top + rect.bottom) / 2};
}

std::wstring RemoteListView::ItemText(int row, int column) const {
    // A sentinel first character shows whether the control wrote anything.
    const wchar_t sentinel[2] = {L'\xFFFF', 0};
    buffer_.Write(kTextOffset, sentinel, sizeof(sentinel));
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = static_cast<LPWSTR>(buffer_.Address(kTextOffset));
    item.cchTextMax = static_cast<int>(kTextChars);
    buffer_.Write(0, &item, sizeof(item));
    const auto length = static_cast<std::size_t>(
        SendRemote(list_, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(buffer_.Address())));
    std::wstring text(length < kTextChars ? length : kTextChars - 1, L'\0');
    if (!text.empty()) buffer_.Read(kTextOffset, text.data(), text.size() * sizeof(wchar_t));
    return text;
}

UINT RemoteListView::ItemState(int row, UINT mask) const {
    return static_cast<UINT>(SendRemote(list_, LVM_GETITEMSTATE, static_cast<WPARAM>(row), mask));
}

int RemoteListView::ImageIndex(int row) const {
    LVITEMW item{};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    item.iImage = kImageNotRead;
    buffer_.Write(0, &item, sizeof(item));
    if (!SendRemote(list_, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(buffer_.Address()))) return kImageNotRead;
    buffer_.Read(0, &item, sizeof(item));
    return item.iImage;
}

int RemoteListView::ColumnWidth(int column) const {
    return static_cast<int>(SendRemote(list_, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column)));
}

std::wstring RemoteListView::ColumnCaption(int column) const {
    const wchar_t empty = 0;
    buffer_.Write(kTextOffset, &empty, sizeof(empty));
    LVCOLUMNW header{};
    header.mask = LVCF_TEXT;
    header.pszText = static_cast<LPWSTR>(buffer_.Address(kTextOffset));
    header.cchTextMax = static_cast<int>(kTextChars);
    buffer_.Write(0, &header, sizeof(header));
    if (!SendRemote(list_, LVM_GETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(buffer_.Address()))) {
        return L"<no column>";
    }
    std::wstring text(kTextChars, L'\0');
    buffer_.Read(kTextOffset, text.data(), text.size() * sizeof(wchar_t));
    text.resize(text.find(L'\0'));
    return text;
}

ListRow RemoteListView::Row(int row) const {
    ListRow result;
    result.name = ItemText(row, 0);
    result.location = ItemText(row, 1);
    result.imageIndex = ImageIndex(row);
    const UINT state = ItemState(row, LVIS_SELECTED | LVIS_FOCUSED);
    result.selected = (state & LVIS_SELECTED) != 0;
    result.focused = (state & LVIS_FOCUSED) != 0;
    return result;
}

std::vector<ListRow> RemoteListView::Rows() const {
    std::vector<ListRow> rows;
    const int count = ItemCount();
    rows.reserve(static_cast<std::size_t>(count));
    for (int row = 0; row < count; ++row) rows.push_back(Row(row));
    return rows;
}

}  // namespace quillmark::uitest
