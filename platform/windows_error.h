#pragma once
#include <cstdint>

namespace quillmark {

// Windows error codes that Quillmark tells apart, as Windows numbers them.
inline constexpr std::uint32_t kErrorSuccess = 0;
inline constexpr std::uint32_t kErrorFileNotFound = 2;
inline constexpr std::uint32_t kErrorAccessDenied = 5;
inline constexpr std::uint32_t kErrorMoreData = 234;
inline constexpr std::uint32_t kErrorNoMoreItems = 259;
inline constexpr std::uint32_t kErrorAccessDisabledByPolicy = 1260;

}  // namespace quillmark
