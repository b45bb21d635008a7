// The StartupApproved value as Windows writes and reads it, and the status
// text a row shows from it.
#include <gtest/gtest.h>

#include "inventory/approval_value.h"
#include "inventory/entry_status.h"
#include "tests/stand_ins/portable_platform.h"

namespace quillmark {
namespace {

// 2026-12-08 12:00 UTC, and its bytes as Windows stores a FILETIME.
constexpr std::uint64_t kDecember8 = 134412048000000000ull;
const std::vector<std::uint8_t> kDecember8Bytes{0x00, 0xA0, 0x92, 0xA6, 0x0B, 0x87, 0xDD, 0x01};

std::vector<std::uint8_t> Value(std::vector<std::uint8_t> head, bool withTime) {
    if (withTime) head.insert(head.end(), kDecember8Bytes.begin(), kDecember8Bytes.end());
    return head;
}

TEST(ApprovalValue, ReadsWhatWindowsWrites) {
    struct Case {
        const char* what;
        std::uint32_t type;
        std::vector<std::uint8_t> data;
        bool disabled;
        std::uint64_t disabledAt;
    };
    const Case cases[] = {
        {"02: enabled", kRegBinary, Value({2, 0, 0, 0}, false), false, 0},
        {"06: enabled", kRegBinary, Value({6, 0, 0, 0}, false), false, 0},
        {"03: disabled, with its time", kRegBinary, Value({3, 0, 0, 0}, true), true, kDecember8},
        {"07: disabled, with its time", kRegBinary, Value({7, 0, 0, 0}, true), true, kDecember8},
        {"enabled with a time left in it", kRegBinary, Value({2, 0, 0, 0}, true), false, 0},
        {"disabled, one byte", kRegBinary, {3}, true, 0},
        {"disabled, time cut short", kRegBinary, {3, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7}, true, 0},
        {"empty", kRegBinary, {}, false, 0},
        {"wrong type", kRegDword, {3, 0, 0, 0}, false, 0},
        {"string", kRegSz, {3, 0, 0, 0}, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Approval approval = ParseApproval(c.type, c.data);
        EXPECT_EQ(approval.disabled, c.disabled);
        EXPECT_EQ(approval.disabledAt, c.disabledAt);
    }
    EXPECT_EQ(DisabledValue(kDecember8), Value({3, 0, 0, 0}, true));
    EXPECT_EQ(EnabledValue(), (std::vector<std::uint8_t>{2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(ApprovalValue, StatusTextOfEachState) {
    PortablePlatform platform;
    struct Case {
        Approval approval;
        ProgramPresence program;
        const wchar_t* text;
    };
    const Case cases[] = {
        {{true, kDecember8}, ProgramPresence::Missing, L"Disabled 12/8/2026"},
        {{true, 0}, ProgramPresence::Found, L"Disabled"},
        {{false, 0}, ProgramPresence::Missing, L"Program not found"},
        {{false, 0}, ProgramPresence::Unknown, L"Enabled"},
        {{false, 0}, ProgramPresence::Found, L"Enabled"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.text)));
        StartupEntry row;
        row.approval = c.approval;
        row.program = c.program;
        EXPECT_EQ(StatusText(platform.View(), row), c.text);
    }
}

}  // namespace
}  // namespace quillmark
