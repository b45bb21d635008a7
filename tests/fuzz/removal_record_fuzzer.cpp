// The removal record's format. Any bytes, as a record file planted in the
// records folder, go through the reader and the search for the newest record
// without harm; and any value (any name, any type, any data) written into a
// record reads back exactly, so no removal is made that cannot come back.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "inventory/reg_file.h"
#include "inventory/removal_record.h"
#include "platform/error.h"
#include "platform/registry.h"
#include "tests/fuzz/fuzz_input.h"
#include "tests/stand_ins/portable_platform.h"

namespace {

using namespace quillmark;

const wchar_t kRunKey[] = L"HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
const wchar_t kMarkKey[] = L"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
const wchar_t kRecords[] = L"C:\\Records";
// The last moment the stamp's four-digit year can name: 9999-12-31 23:59:59.9999999.
constexpr std::uint64_t kLastStamp = 2650467743999999999ull;

// One set of stand-ins for every input; each input's record folder is its own.
PortablePlatform& World() {
    static PortablePlatform world;
    return world;
}

void ReadAsPlantedRecord(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> bytes(data, data + size);
    PortablePlatform& world = World();
    world.files().Remove(kRecords);
    try {
        ParseRegFile(bytes);
    } catch (const Error&) {
    }
    try {
        ParseRemovalRecord(world.codePage(), bytes);
    } catch (const Error&) {
    }
    world.files().AddFile(std::wstring(kRecords) + L"\\2026-12-08 09.30.00\\" + kRemovalRecordFile, bytes);
    const NewestRecord newest = FindNewestRecord(world.View(), StartupScope::CurrentUser, RecordsPlace{kRecords, {}});
    fuzz::Require(!newest.found || !newest.folder.empty(), "a record found names its folder");
    fuzz::Require(!newest.found || !newest.problem.empty() || newest.record.scope == StartupScope::CurrentUser,
                  "a record that may be used is of the scope asked for");
    fuzz::Require(!newest.found || newest.problem.empty() || newest.record.values.empty(),
                  "a refused record carries nothing to put back");
}

// The value a round trip carries: byte 0 picks the type (the common ones, or
// the next four bytes as any type), byte 1 the name's length in UTF-16
// units, which follow raw (NUL, line breaks and lone surrogates included);
// the rest is the data. Eight further bytes, when there are, date the record.
void RoundTrip(const std::uint8_t* data, std::size_t size) {
    static const std::uint32_t kTypes[] = {kRegSz, kRegExpandSz, kRegBinary, kRegDword, kRegMultiSz, kRegQword, kRegNone};
    if (size < 2) return;
    std::size_t at = 0;
    const std::uint8_t pick = data[at++];
    std::uint32_t type = kTypes[pick % std::size(kTypes)];
    if (pick >= 0x80 && size - at >= 4) {
        type = data[at] | (data[at + 1] << 8) | (data[at + 2] << 16) | (static_cast<std::uint32_t>(data[at + 3]) << 24);
        at += 4;
    }
    if (at >= size) return;
    const std::size_t units = data[at++];
    std::wstring name;
    for (std::size_t i = 0; i < units && at + 1 < size; ++i, at += 2) name.push_back(static_cast<wchar_t>(data[at] | (data[at + 1] << 8)));
    const RegFileValue value{kRunKey, name, type, std::vector<std::uint8_t>(data + at, data + size)};

    const RegFileContent back = ParseRegFile(RegFileBytes(RegFileText(RegFileContent{{}, {value}})));
    fuzz::Require(back.values.size() == 1 && back.values[0] == value, "a value reads back exactly");

    RemovalRecord record;
    record.scope = (pick & 1) ? StartupScope::AllUsers : StartupScope::CurrentUser;
    std::uint64_t stamp = 0;
    for (std::size_t i = 0; i < 8 && i < value.data.size(); ++i) stamp = (stamp << 8) | value.data[i];
    record.writtenUtc = 1 + stamp % kLastStamp;
    record.values = {value};
    record.marks = {RegFileValue{kMarkKey, name, type, value.data}};
    RemovalRecord read;
    try {
        read = ParseRemovalRecord(World().codePage(), RemovalRecordBytes(record));
    } catch (const Error&) {
        fuzz::Require(false, "a record Quillmark writes is one it reads");
    }
    fuzz::Require(read == record, "a record reads back exactly: scope, time, names, types and bytes");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ReadAsPlantedRecord(data, size);
    RoundTrip(data, size);
    return 0;
}
