#pragma once

namespace quillmark {

// The virtual-key codes the handlers look at.
inline constexpr int kKeyTab = 9;
inline constexpr int kKeyEnter = 13;
inline constexpr int kKeyEscape = 27;
inline constexpr int kKeySpace = 32;
inline constexpr int kKeyPageUp = 33;
inline constexpr int kKeyPageDown = 34;
inline constexpr int kKeyDelete = 46;
inline constexpr int kKeyZ = 'Z';
inline constexpr int kKeyA = 'A';
inline constexpr int kKeyF5 = 116;

}  // namespace quillmark
