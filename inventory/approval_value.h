#pragma once
#include <cstdint>
#include <vector>

namespace quillmark {

// Whether Windows starts an entry at the next logon, as Task Manager and
// Settings record it in the StartupApproved keys.
struct Approval {
    bool disabled = false;
    std::uint64_t disabledAt = 0;  // UTC FILETIME (100 ns since 1601); 0: not recorded
};

// Reads a StartupApproved value. Bit 0 of the first byte marks the entry
// disabled (03 and 07 are seen; 02 and 06 are enabled), and bytes 4 to 11,
// when all present, hold the time it was disabled. Anything but REG_BINARY
// with at least one byte leaves the entry enabled, as Windows treats it.
Approval ParseApproval(std::uint32_t type, const std::vector<std::uint8_t>& data) noexcept;

// The values Task Manager writes: 03 00 00 00 and the time of disabling, or
// 02 00 00 00 and eight zero bytes.
std::vector<std::uint8_t> DisabledValue(std::uint64_t disabledAt);
std::vector<std::uint8_t> EnabledValue();

// The current time as a UTC FILETIME.
std::uint64_t FileTimeNow() noexcept;

}  // namespace quillmark
