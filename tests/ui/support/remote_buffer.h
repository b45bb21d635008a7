#pragma once
// A block of memory inside another process. Common-control messages such as
// LVM_GETITEMTEXTW take pointers that the control dereferences in its own
// process, so the structures and text buffers they point to must live there.
#include <windows.h>

#include <cstddef>

namespace quillmark::uitest {

class RemoteBuffer {
public:
    // Reserves `size` bytes, readable and writable, in `process` (which needs
    // PROCESS_VM_OPERATION, PROCESS_VM_READ and PROCESS_VM_WRITE access).
    RemoteBuffer(HANDLE process, std::size_t size);
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;
    ~RemoteBuffer();

    // The address as the other process sees it.
    void* Address(std::size_t offset = 0) const noexcept { return static_cast<char*>(address_) + offset; }
    std::size_t Size() const noexcept { return size_; }

    void Write(std::size_t offset, const void* data, std::size_t length) const;
    void Read(std::size_t offset, void* data, std::size_t length) const;

private:
    HANDLE process_;
    void* address_;
    std::size_t size_;
};

}  // namespace quillmark::uitest
