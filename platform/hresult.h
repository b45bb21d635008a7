#pragma once
#include <cstdint>

namespace quillmark {

// A COM result code, kept as the 32 bits Windows defines whatever the width
// of `long` on the machine that builds the portable code.
using HResult = std::int32_t;

inline constexpr HResult kSOk = 0;
inline constexpr HResult kSFalse = 1;
inline constexpr HResult kENoInterface = static_cast<HResult>(0x80004002u);
inline constexpr HResult kEFail = static_cast<HResult>(0x80004005u);
// E_ACCESSDENIED, which is also HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED).
inline constexpr HResult kEAccessDenied = static_cast<HResult>(0x80070005u);
inline constexpr HResult kEInvalidArg = static_cast<HResult>(0x80070057u);
inline constexpr HResult kClassNotRegistered = static_cast<HResult>(0x80040154u);
// HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND) and (ERROR_INSUFFICIENT_BUFFER).
inline constexpr HResult kFileNotFound = static_cast<HResult>(0x80070002u);
inline constexpr HResult kInsufficientBuffer = static_cast<HResult>(0x8007007Au);

// SUCCEEDED(): the sign bit is clear, so S_FALSE counts as success.
constexpr bool Succeeded(HResult result) noexcept { return result >= 0; }

}  // namespace quillmark
