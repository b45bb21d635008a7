#include "inventory/shortcut_workers.h"

#include <algorithm>

#include "shellpath/shortcut_target.h"
#include "platform/trace.h"

namespace quillmark {

namespace {

// Below this many shortcuts per thread, starting one (and its COM apartment)
// costs more than it saves.
constexpr std::size_t kShortcutsPerThread = 32;

}  // namespace

ShortcutBatch::ShortcutBatch(const Platform& platform, std::vector<std::wstring> locations,
                             const ShortcutWorkers& workers)
    : platform_(platform), locations_(std::move(locations)), targets_(locations_.size()) {
    const std::size_t threads =
        std::clamp<std::size_t>(locations_.size() / kShortcutsPerThread, 1, std::max(workers.threads, 1u));
    for (std::size_t i = 1; i < threads; ++i) {
        try {
            helpers_.emplace_back([this, setup = workers.setup] {
                // The link object goes before the apartment does.
                const auto apartment = setup ? setup() : nullptr;
                ResolveRemaining();
            });
        } catch (...) {
            TraceCaughtFailure();
            break;  // no thread to be had: the others do its share
        }
    }
}

ShortcutBatch::~ShortcutBatch() { StopHelpers(); }

// Each thread takes the next location not yet taken, so a slow shortcut holds
// up only its own thread; every result has its own slot.
void ShortcutBatch::ResolveRemaining() {
    ShortcutResolver resolver(platform_);
    for (std::size_t i = next_++; i < locations_.size(); i = next_++) {
        try {
            targets_[i] = resolver.Resolve(locations_[i]);
        } catch (...) {
            TraceCaughtFailure();
        }
    }
}

void ShortcutBatch::StopHelpers() noexcept {
    next_ = locations_.size();
    for (std::thread& helper : helpers_) {
        if (helper.joinable()) helper.join();
    }
}

std::vector<std::optional<std::wstring>> ShortcutBatch::Finish() {
    ResolveRemaining();
    StopHelpers();
    return std::move(targets_);
}

}  // namespace quillmark
