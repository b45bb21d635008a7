#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace quillmark {

enum class RegistryRoot { CurrentUser, LocalMachine };

// Registry value types as Windows numbers them.
inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegMultiSz = 7;
inline constexpr std::uint32_t kRegQword = 11;

// One open registry key, closed when the object goes. Mirrors the few calls
// Quillmark makes on it (RegQueryInfoKeyW, RegEnumValueW, RegQueryValueExW,
// RegDeleteValueW) with their Win32 results, so the logic above it is the
// same on Windows and on the in-memory stand-in.
class RegistryKey {
public:
    virtual ~RegistryKey() = default;

    // Value count and the longest value name in UTF-16 units (no terminator).
    virtual bool QueryInfo(std::uint32_t& valueCount, std::uint32_t& maxValueNameLength) = 0;
    // Name of the value at index. bufferLength counts UTF-16 units including
    // the terminator, as RegEnumValueW's lpcchValueName does: a longer name fails.
    virtual bool EnumValueName(std::uint32_t index, std::uint32_t bufferLength, std::wstring& name) = 0;
    // Type and data size in bytes of a value; false when it is absent.
    virtual bool QueryValueInfo(const std::wstring& name, std::uint32_t& type, std::uint32_t& size) = 0;
    // Reads at most `size` bytes of the value's data (RegQueryValueExW with a
    // buffer of that size); false when the data does not fit or the read fails.
    virtual bool ReadValueData(const std::wstring& name, std::uint32_t size, std::vector<std::uint8_t>& data) = 0;
    // Deletes the value with exactly this name; the result is not needed.
    virtual void DeleteValue(const std::wstring& name) = 0;
};

class Registry {
public:
    virtual ~Registry() = default;
    // Opens an existing key with KEY_ALL_ACCESS, no registry-view flag, never
    // creating it. `path` is relative to the root, without a leading backslash.
    // Null when the key is missing or access is denied.
    virtual std::unique_ptr<RegistryKey> OpenKey(RegistryRoot root, const std::wstring& path) = 0;
};

}  // namespace quillmark
