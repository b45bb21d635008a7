#pragma once

namespace quillmark {

// The virtual-key codes the handlers look at.
inline constexpr int kKeyEnter = 13;
inline constexpr int kKeySpace = 32;
inline constexpr int kKeyDelete = 46;
inline constexpr int kKeyZ = 'Z';

}  // namespace quillmark
