#pragma once
// UniqueResource aliases for the shell's handle kinds: icons, image lists,
// item id lists and the texts the shell allocates.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include "platform/unique_resource.h"
#include "platform/win32/handles.h"

namespace quillmark {

struct IconTraits {
    static HICON Invalid() noexcept { return nullptr; }
    static void Close(HICON icon) noexcept { DestroyIcon(icon); }
};
using UniqueIcon = UniqueResource<IconTraits>;

struct ImageListTraits {
    static HIMAGELIST Invalid() noexcept { return nullptr; }
    static void Close(HIMAGELIST list) noexcept { ImageList_Destroy(list); }
};
using UniqueImageList = UniqueResource<ImageListTraits>;

// Id lists the shell hands out belong to its task allocator, which
// SHGetMalloc gives; when that fails the list is left, as nothing else can free it.
struct IdListTraits {
    static LPITEMIDLIST Invalid() noexcept { return nullptr; }
    static void Close(LPITEMIDLIST list) noexcept {
        ComPtr<IMalloc> allocator;
        if (SUCCEEDED(SHGetMalloc(allocator.put()))) allocator->Free(list);
    }
};
using UniqueIdList = UniqueResource<IdListTraits>;

// A text the shell allocated with the COM task allocator (a known folder's path).
struct CoTaskTextTraits {
    static PWSTR Invalid() noexcept { return nullptr; }
    static void Close(PWSTR text) noexcept { CoTaskMemFree(text); }
};
using UniqueCoTaskText = UniqueResource<CoTaskTextTraits>;

}  // namespace quillmark
