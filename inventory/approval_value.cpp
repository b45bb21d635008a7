#include "inventory/approval_value.h"

#include <chrono>

#include "platform/registry.h"

namespace quillmark {

namespace {

constexpr std::size_t kTimeOffset = 4;
constexpr std::size_t kValueSize = kTimeOffset + 8;
constexpr std::uint8_t kDisabledFlag = 0x01;

std::vector<std::uint8_t> ValueOf(std::uint8_t flags, std::uint64_t time) {
    std::vector<std::uint8_t> data(kValueSize, 0);
    data[0] = flags;
    for (std::size_t i = 0; i < 8; ++i) data[kTimeOffset + i] = static_cast<std::uint8_t>(time >> (8 * i));
    return data;
}

}  // namespace

Approval ParseApproval(std::uint32_t type, const std::vector<std::uint8_t>& data) noexcept {
    Approval approval;
    if (type != kRegBinary || data.empty()) return approval;
    approval.disabled = (data[0] & kDisabledFlag) != 0;
    if (!approval.disabled || data.size() < kValueSize) return approval;
    for (std::size_t i = 0; i < 8; ++i)
        approval.disabledAt |= static_cast<std::uint64_t>(data[kTimeOffset + i]) << (8 * i);
    return approval;
}

std::vector<std::uint8_t> DisabledValue(std::uint64_t disabledAt) { return ValueOf(0x03, disabledAt); }

std::vector<std::uint8_t> EnabledValue() { return ValueOf(0x02, 0); }

std::uint64_t FileTimeNow() noexcept {
    // 1601-01-01 to 1970-01-01, the two epochs, in 100 ns units.
    constexpr std::uint64_t kEpochDifference = 116444736000000000ull;
    const auto sinceUnixEpoch = std::chrono::system_clock::now().time_since_epoch();
    const auto ticks = std::chrono::duration_cast<std::chrono::duration<std::int64_t, std::ratio<1, 10000000>>>(
        sinceUnixEpoch);
    return kEpochDifference + static_cast<std::uint64_t>(ticks.count());
}

}  // namespace quillmark
