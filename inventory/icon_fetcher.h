#pragma once
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "inventory/program_lookup.h"
#include "inventory/thread_setup.h"
#include "platform/platform.h"
#include "platform/shell.h"

namespace quillmark {

// Looks at programs on worker threads of its own (each file's key, whether
// it is there, and its icon from the shell), so the window's thread never
// waits for a drive or the shell. What they find is handed back to the
// window's thread, which alone touches the image list. New work replaces
// what is still outstanding: nothing of an earlier batch is handed back after
// it.
class IconFetcher {
public:
    struct Program {
        std::wstring path;
        std::optional<ProgramKey> known;  // the shell is not asked while this is still the key
        int iconSize = 16;                // in pixels, the image list's
    };
    struct Arrived {
        std::size_t program;  // index into the batch given to Fetch
        ProgramLookup lookup;
    };
    using ThreadSetup = quillmark::ThreadSetup;

    // `wake` is called on the worker when icons have arrived and nothing
    // else is waiting to be taken: the window then asks for them on its own
    // thread. It is never called once the fetcher has been destroyed.
    // Up to `workers` threads ask the shell at once, each set up by `setup`.
    IconFetcher(const Platform& platform, std::function<void()> wake, ThreadSetup setup = {}, unsigned workers = 1);
    // Drops the outstanding work and waits a moment for the shell call in
    // progress; a shell that does not return by then is left to finish on
    // its own, with nobody waiting for its answer.
    ~IconFetcher();
    IconFetcher(const IconFetcher&) = delete;
    IconFetcher& operator=(const IconFetcher&) = delete;

    // Replaces any outstanding work by these programs.
    void Fetch(std::vector<Program> programs);
    // Drops the outstanding work.
    void Cancel() { Fetch({}); }
    // The icons of the current batch that arrived since the last call.
    std::vector<Arrived> TakeArrived();

    struct State;

private:
    std::shared_ptr<State> state_;
    unsigned wantedWorkers_;
    std::vector<std::thread> workers_;
};

}  // namespace quillmark
