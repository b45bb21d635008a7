#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/windows_error.h"

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

// The rights a key is opened with: reading (KEY_READ), or deleting values
// (KEY_SET_VALUE). A standard user holds the first on HKEY_LOCAL_MACHINE's
// Run key but not the second, and neither is refused for want of the other.
enum class KeyAccess { Read, SetValue };

// Which view of HKEY_LOCAL_MACHINE\SOFTWARE a key is opened in. On 64-bit
// Windows that part of the registry exists twice, and a process sees the
// view of its own bitness unless it names one (KEY_WOW64_64KEY,
// KEY_WOW64_32KEY). On 32-bit Windows there is one view whatever is asked.
enum class RegistryView { Default, Bits64, Bits32 };

// One open registry key, closed when the object goes. Mirrors the few calls
// Quillmark makes on it (RegQueryInfoKeyW, RegEnumValueW, RegEnumKeyExW,
// RegQueryValueExW, RegDeleteValueW) with their Win32 results, so the logic above it is the
// same on Windows and on the in-memory stand-in.
class RegistryKey {
public:
    virtual ~RegistryKey() = default;

    // Value count and the longest value name in UTF-16 units (no terminator).
    virtual bool QueryInfo(std::uint32_t& valueCount, std::uint32_t& maxValueNameLength) = 0;
    // Name of the value at index. bufferLength counts UTF-16 units including
    // the terminator, as RegEnumValueW's lpcchValueName does: a longer name fails.
    virtual bool EnumValueName(std::uint32_t index, std::uint32_t bufferLength, std::wstring& name) = 0;
    // Name of the subkey at index (RegEnumKeyExW). Windows promises no order
    // (a hive keeps them sorted by upper-cased name, Wine by lower-cased
    // name). kErrorNoMoreItems past the last one;
    // kErrorMoreData for a name longer than the 255 characters a key name
    // may have (that one is skipped, the next index still answers); any
    // other code when the key cannot be read.
    virtual std::uint32_t EnumSubkeyName(std::uint32_t index, std::wstring& name) = 0;
    // Type and data size in bytes of a value; false when it is absent.
    virtual bool QueryValueInfo(const std::wstring& name, std::uint32_t& type, std::uint32_t& size) = 0;
    // Reads at most `size` bytes of the value's data (RegQueryValueExW with a
    // buffer of that size); false when the data does not fit or the read fails.
    virtual bool ReadValueData(const std::wstring& name, std::uint32_t size, std::vector<std::uint8_t>& data) = 0;
    // Deletes the value with exactly this name (RegDeleteValueW): the Windows
    // error code, kErrorSuccess when it went. A key opened only for reading
    // refuses with kErrorAccessDenied.
    virtual std::uint32_t DeleteValue(const std::wstring& name) = 0;
    // Writes the value with exactly this type and data (RegSetValueExW): the
    // Windows error code. A key opened only for reading refuses with
    // kErrorAccessDenied.
    virtual std::uint32_t WriteValue(const std::wstring& name, std::uint32_t type,
                                     const std::vector<std::uint8_t>& data) = 0;
};

class Registry {
public:
    virtual ~Registry() = default;
    // Opens an existing key with the rights asked for, in the view asked for,
    // never creating it. `path` is relative to the root, without a leading
    // backslash. Null when the key is missing or the rights are refused;
    // `error` then holds the Windows error code (kErrorSuccess otherwise).
    virtual std::unique_ptr<RegistryKey> OpenKey(RegistryRoot root, const std::wstring& path, KeyAccess access,
                                                 RegistryView view, std::uint32_t& error) = 0;
    std::unique_ptr<RegistryKey> OpenKey(RegistryRoot root, const std::wstring& path,
                                         KeyAccess access = KeyAccess::Read, RegistryView view = RegistryView::Default) {
        std::uint32_t error = kErrorSuccess;
        return OpenKey(root, path, access, view, error);
    }
    // Opens the key for setting values, creating it and its missing parents
    // (RegCreateKeyExW asking for KEY_SET_VALUE | KEY_CREATE_SUB_KEY only, so
    // a standard user is refused only where the key's rights say so). Null
    // when refused; `error` then holds the Windows error code.
    virtual std::unique_ptr<RegistryKey> CreateKey(RegistryRoot root, const std::wstring& path, RegistryView view,
                                                   std::uint32_t& error) = 0;
    // True on 64-bit Windows, where HKEY_LOCAL_MACHINE\SOFTWARE has a 64-bit
    // and a 32-bit view, whichever of the two this process is.
    virtual bool HasTwoViews() const = 0;
    // The system's text for a Windows error code, as an error box shows it.
    virtual std::wstring MessageFor(std::uint32_t error) const = 0;
};

}  // namespace quillmark
