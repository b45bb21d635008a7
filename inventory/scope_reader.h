#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

#include "inventory/load_scope.h"
#include "inventory/program_icons.h"
#include "inventory/startup_scope.h"
#include "inventory/thread_setup.h"
#include "platform/platform.h"

namespace quillmark {

// Reads a scope's rows (LoadScopeRows) on a thread of its own, so the window
// keeps answering while a long Run key or a full Startup folder is read. The
// thread has a registry accessor and a Startup-folder locator of its own: the
// window's belong to the window's thread. A new read replaces the one still
// outstanding, and nothing of an earlier read is handed back after it.
class ScopeReader {
public:
    struct Done {
        unsigned long long read = 0;  // the number Read gave
        ScopeList rows;
        std::vector<IconRequest> iconRequests;
    };

    // `wake` is called on the reader's thread when a read is done; the window
    // then takes it on its own thread. It is never called once the reader has
    // been destroyed. The thread is set up by `setup` and reads shortcuts on up
    // to `shortcutThreads` threads, itself included.
    ScopeReader(const Platform& platform, std::function<void()> wake, ThreadSetup setup, unsigned shortcutThreads);
    // Drops the outstanding read and waits a moment for one in progress; a
    // read held up by a drive that does not answer is left to end on its own.
    ~ScopeReader();
    ScopeReader(const ScopeReader&) = delete;
    ScopeReader& operator=(const ScopeReader&) = delete;

    // Starts reading the scope; its rows show the images `known` holds.
    // Returns the read's number, which its Done carries.
    unsigned long long Read(StartupScope scope, ProgramIcons known);
    // Drops the outstanding read.
    void Cancel();
    // The latest read once it is done, taken once; nothing before.
    std::optional<Done> Take();

    struct State;

private:
    std::shared_ptr<State> state_;
    std::thread worker_;
};

}  // namespace quillmark
