#pragma once
#include <functional>
#include <memory>

namespace quillmark {

// Runs first on a worker thread; what it returns lives as long as the
// worker's work (on Windows, the thread's own COM apartment, which the
// shell's link objects and icon lookups need).
using ThreadSetup = std::function<std::shared_ptr<void>()>;

}  // namespace quillmark
