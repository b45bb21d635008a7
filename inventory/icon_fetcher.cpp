#include "inventory/icon_fetcher.h"
#include "platform/trace.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>


namespace quillmark {

namespace {

// How long closing waits for a shell call in progress (a program on a
// network share that does not answer can hold SHGetFileInfoW for long).
constexpr auto kStopWait = std::chrono::milliseconds(250);

struct Job {
    unsigned long long batch = 0;
    std::size_t program = 0;
    IconFetcher::Program what;
};

}  // namespace

// Shared by the fetcher and its worker, so a worker left behind at closing
// still has what it touches.
struct IconFetcher::State {
    explicit State(const Platform& platformIn) : platform(platformIn) {}

    const Platform platform;
    std::function<void()> wake;
    ThreadSetup setup;
    std::mutex mutex;
    std::condition_variable changed;
    unsigned long long batch = 0;
    std::deque<Job> jobs;
    std::vector<Arrived> arrived;
    bool stop = false;
    unsigned running = 0;  // workers not yet out of their apartments
};

namespace {

void Work(const std::shared_ptr<IconFetcher::State>& state) {
    {
        const auto apartment = state->setup ? state->setup() : nullptr;
        std::unique_lock lock(state->mutex);
        while (true) {
            state->changed.wait(lock, [&] { return state->stop || !state->jobs.empty(); });
            if (state->stop) break;
            const Job job = std::move(state->jobs.front());
            state->jobs.pop_front();
            lock.unlock();
            ProgramLookup lookup = LookUpProgram(state->platform, job.what.path, job.what.known, job.what.iconSize);
            lock.lock();
            if (state->stop) break;
            if (job.batch != state->batch) continue;
            const bool wasEmpty = state->arrived.empty();
            state->arrived.push_back({job.program, std::move(lookup)});
            // Under the lock, so the fetcher cannot go away in between; one
            // wake-up for all that arrive before the window takes them.
            if (wasEmpty && state->wake) state->wake();
        }
    }
    // The apartment has been left; closing may stop waiting for this one.
    const std::lock_guard lock(state->mutex);
    --state->running;
    state->changed.notify_all();
}

}  // namespace

IconFetcher::IconFetcher(const Platform& platform, std::function<void()> wake, ThreadSetup setup, unsigned workers)
    : state_(std::make_shared<State>(platform)), wantedWorkers_(std::max(workers, 1u)) {
    state_->wake = std::move(wake);
    state_->setup = std::move(setup);
}

IconFetcher::~IconFetcher() {
    std::unique_lock lock(state_->mutex);
    state_->stop = true;
    state_->jobs.clear();
    state_->arrived.clear();
    state_->changed.notify_all();
    state_->changed.wait_for(lock, kStopWait, [&] { return state_->running == 0; });
    const bool finished = state_->running == 0;
    lock.unlock();
    for (std::thread& worker : workers_) {
        if (finished) {
            worker.join();
        } else {
            worker.detach();
        }
    }
}

void IconFetcher::Fetch(std::vector<Program> programs) {
    std::vector<Arrived> dropped;
    const std::size_t count = programs.size();
    {
        const std::lock_guard lock(state_->mutex);
        ++state_->batch;
        state_->jobs.clear();
        dropped.swap(state_->arrived);
        for (std::size_t i = 0; i < count; ++i) state_->jobs.push_back({state_->batch, i, std::move(programs[i])});
        state_->changed.notify_all();
    }
    // Started with the first work that needs them, so a window that never
    // loads has no worker. A worker that cannot be started leaves the work
    // to the others.
    while (workers_.size() < std::min<std::size_t>(wantedWorkers_, count)) {
        {
            const std::lock_guard lock(state_->mutex);
            ++state_->running;
        }
        try {
            workers_.emplace_back(Work, state_);
        } catch (...) {
            TraceCaughtFailure();
            const std::lock_guard lock(state_->mutex);
            --state_->running;
            break;
        }
    }
}

std::vector<IconFetcher::Arrived> IconFetcher::TakeArrived() {
    std::vector<Arrived> taken;
    const std::lock_guard lock(state_->mutex);
    taken.swap(state_->arrived);
    return taken;
}

}  // namespace quillmark
