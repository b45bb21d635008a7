#include "tests/ui/support/remote_buffer.h"

#include <stdexcept>
#include <string>

namespace quillmark::uitest {

RemoteBuffer::RemoteBuffer(HANDLE process, std::size_t size)
    : process_(process), address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)),
      size_(size) {
    if (address_ == nullptr) {
        throw std::runtime_error("VirtualAllocEx failed, error " + std::to_string(GetLastError()));
    }
}

RemoteBuffer::~RemoteBuffer() { VirtualFreeEx(process_, address_, 0, MEM_RELEASE); }

void RemoteBuffer::Write(std::size_t offset, const void* data, std::size_t length) const {
    if (offset > size_ || length > size_ - offset) throw std::out_of_range("RemoteBuffer::Write past the end");
    SIZE_T written = 0;
    if (!WriteProcessMemory(process_, Address(offset), data, length, &written) || written != length) {
        throw std::runtime_error("WriteProcessMemory failed, error " + std::to_string(GetLastError()));
    }
}

void RemoteBuffer::Read(std::size_t offset, void* data, std::size_t length) const {
    if (offset > size_ || length > size_ - offset) throw std::out_of_range("RemoteBuffer::Read past the end");
    SIZE_T read = 0;
    if (!ReadProcessMemory(process_, Address(offset), data, length, &read) || read != length) {
        throw std::runtime_error("ReadProcessMemory failed, error " + std::to_string(GetLastError()));
    }
}

}  // namespace quillmark::uitest
