#pragma once
#include <atomic>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "inventory/thread_setup.h"

namespace quillmark {

struct Platform;

// How many threads may read a load's Startup shortcuts at once, the calling
// thread included, and what each other thread runs first.
struct ShortcutWorkers {
    unsigned threads = 1;
    ThreadSetup setup;
};

// Reads shortcuts as ShortcutResolver::Resolve does, on helper threads that
// start at once, so the calling thread can do other work meanwhile. Each
// thread reads through a link object of its own. A batch too small to be
// worth a thread, or a thread that cannot be started, leaves the work to
// the calling thread.
class ShortcutBatch {
public:
    ShortcutBatch(const Platform& platform, std::vector<std::wstring> locations, const ShortcutWorkers& workers);
    // Stops handing out work and waits for the helpers' shortcut in hand.
    ~ShortcutBatch();
    ShortcutBatch(const ShortcutBatch&) = delete;
    ShortcutBatch& operator=(const ShortcutBatch&) = delete;

    const std::vector<std::wstring>& Locations() const noexcept { return locations_; }
    // Reads what is left on the calling thread too and waits for the
    // helpers. The target of each location, in order; empty where reading
    // failed.
    std::vector<std::optional<std::wstring>> Finish();

private:
    void ResolveRemaining();
    void StopHelpers() noexcept;

    const Platform& platform_;
    const std::vector<std::wstring> locations_;
    std::vector<std::optional<std::wstring>> targets_;
    std::atomic<std::size_t> next_{0};
    std::vector<std::thread> helpers_;
};

}  // namespace quillmark
