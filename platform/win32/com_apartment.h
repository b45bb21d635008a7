#pragma once
#include <memory>

namespace quillmark {

// Enters a single-threaded COM apartment on the calling thread, as the
// shell's link objects and SHGetFileInfoW need; the thread leaves it when the
// returned holder goes (nothing is owed when entering failed).
std::shared_ptr<void> EnterThreadApartment();

}  // namespace quillmark
