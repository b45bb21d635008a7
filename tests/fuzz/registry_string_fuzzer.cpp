// The registry accessor's string read on any value type and data bytes.
// Input: the type (4 bytes, little-endian), a flag byte (bit 0: the data
// read fails), then the value's data.
#include <cstddef>
#include <cstdint>

#include "platform/error.h"
#include "tests/stand_ins/memory_registry.h"
#include "platform/registry_accessor.h"
#include "tests/fuzz/fuzz_input.h"

namespace {

const wchar_t kKey[] = L"Software\\Quillmark\\Fuzz";
const wchar_t kName[] = L"Value";

// The data's UTF-16 unit at `index`; a stray last byte is a unit of its own.
wchar_t UnitAt(const std::vector<std::uint8_t>& data, std::size_t index) {
    const unsigned low = data[2 * index];
    const unsigned high = 2 * index + 1 < data.size() ? data[2 * index + 1] : 0u;
    return static_cast<wchar_t>(low | (high << 8));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quillmark;
    using fuzz::Require;
    std::uint32_t type = 0;
    for (std::size_t i = 0; i < 4 && i < size; ++i) type |= static_cast<std::uint32_t>(data[i]) << (8 * i);
    const bool unreadable = size > 4 && (data[4] & 1) != 0;
    const std::vector<std::uint8_t> bytes(size > 5 ? data + 5 : data + size, data + size);

    MemoryRegistry registry;
    registry.SetValue(RegistryRoot::CurrentUser, kKey, kName, type, bytes);
    if (unreadable) registry.MakeUnreadable(RegistryRoot::CurrentUser, kKey, kName);
    RegistryAccessor accessor(registry);
    Require(accessor.OpenKey(std::wstring(L"\\") + kKey), "the seeded key opens");
    std::vector<std::wstring> names;
    accessor.GetValueNames(names);
    Require(names.size() == 1 && names.front() == kName, "the one value is listed by its name");
    Require(accessor.ReadString(L"Absent").empty(), "an absent value reads as empty text");

    const bool text = type == kRegSz || type == kRegExpandSz;
    std::wstring read;
    try {
        read = accessor.ReadString(kName);
    } catch (const Error& error) {
        const bool typeRefused = error.message() == L"Invalid data type for 'Value'";
        const bool readRefused = error.message() == L"Failed to get data for 'Value'";
        Require(text ? readRefused && unreadable && !bytes.empty() : typeRefused, "only the reasons it states fail");
        return 0;
    }
    Require(text, "a value that is no text is refused");
    Require(read.size() <= (bytes.size() + 1) / 2, "no more characters than the data holds");
    for (std::size_t i = 0; i < read.size(); ++i) Require(read[i] == UnitAt(bytes, i), "the data's own characters");
    Require(read.size() == (bytes.size() + 1) / 2 || UnitAt(bytes, read.size()) == L'\0', "cut only at a NUL");
    return 0;
}
