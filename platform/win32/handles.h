#pragma once
// One alias of UniqueResource per Windows handle kind, and one RAII type for
// COM interface pointers. Logic code never calls RegCloseKey, FindClose or
// Release itself.
#include <windows.h>
#include <objbase.h>
#include <unknwn.h>

#include <utility>

#include "platform/unique_resource.h"

namespace quillmark {

struct RegistryKeyTraits {
    static HKEY Invalid() noexcept { return nullptr; }
    static void Close(HKEY key) noexcept { RegCloseKey(key); }
};
using UniqueHkey = UniqueResource<RegistryKeyTraits>;

// FindFirstFileW reports failure with INVALID_HANDLE_VALUE, not null.
struct FindHandleTraits {
    static HANDLE Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE handle) noexcept { FindClose(handle); }
};
using UniqueFindHandle = UniqueResource<FindHandleTraits>;

// A kernel object that null marks as absent: an access token, a process,
// a thread.
struct KernelHandleTraits {
    static HANDLE Invalid() noexcept { return nullptr; }
    static void Close(HANDLE handle) noexcept { CloseHandle(handle); }
};
using UniqueKernelHandle = UniqueResource<KernelHandleTraits>;

// CreateFileW reports failure with INVALID_HANDLE_VALUE, not null.
struct FileHandleTraits {
    static HANDLE Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE handle) noexcept { CloseHandle(handle); }
};
using UniqueFileHandle = UniqueResource<FileHandleTraits>;

// Memory a call handed over with LocalAlloc (ConvertSidToStringSidW's text).
struct LocalMemoryTraits {
    static HLOCAL Invalid() noexcept { return nullptr; }
    static void Close(HLOCAL memory) noexcept { LocalFree(memory); }
};
using UniqueLocalMemory = UniqueResource<LocalMemoryTraits>;

// A library loaded with LoadLibrary.
struct ModuleTraits {
    static HMODULE Invalid() noexcept { return nullptr; }
    static void Close(HMODULE module) noexcept { FreeLibrary(module); }
};
using UniqueModule = UniqueResource<ModuleTraits>;

// The apartment is "held" while the flag is true: CoInitialize succeeded
// (S_OK or S_FALSE) and CoUninitialize is owed.
struct ComApartmentTraits {
    static bool Invalid() noexcept { return false; }
    static void Close(bool) noexcept { CoUninitialize(); }
};
using UniqueComApartment = UniqueResource<ComApartmentTraits>;

// Owns one reference to a COM interface. Copying adds a reference, moving
// hands it over; put() releases what is held and gives the out-parameter slot
// that CoCreateInstance and QueryInterface fill.
template <typename T>
class ComPtr {
public:
    ComPtr() noexcept = default;
    // Takes over a reference the caller already owns (no AddRef).
    explicit ComPtr(T* pointer) noexcept : pointer_(pointer) {}
    ComPtr(const ComPtr& other) noexcept : pointer_(other.pointer_) {
        if (pointer_ != nullptr) pointer_->AddRef();
    }
    ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    ComPtr& operator=(ComPtr other) noexcept {
        std::swap(pointer_, other.pointer_);
        return *this;
    }
    ~ComPtr() { reset(); }

    T* get() const noexcept { return pointer_; }
    T* operator->() const noexcept { return pointer_; }
    explicit operator bool() const noexcept { return pointer_ != nullptr; }

    T** put() noexcept {
        reset();
        return &pointer_;
    }
    // The slot as void**, for CoCreateInstance and QueryInterface.
    void** put_void() noexcept { return reinterpret_cast<void**>(put()); }
    T* release() noexcept { return std::exchange(pointer_, nullptr); }
    void reset() noexcept {
        if (T* old = std::exchange(pointer_, nullptr)) old->Release();
    }

    // Another interface of the same object; empty when it has none.
    template <typename U>
    ComPtr<U> As() const noexcept {
        ComPtr<U> other;
        if (pointer_ != nullptr) pointer_->QueryInterface(__uuidof(U), other.put_void());
        return other;
    }

private:
    T* pointer_ = nullptr;
};

}  // namespace quillmark
