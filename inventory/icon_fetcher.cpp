#include "inventory/icon_fetcher.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

#include "platform/shell.h"
#include "shellpath/shell_services.h"

namespace quillmark {

namespace {

// How long closing waits for a shell call in progress (a program on a
// network share that does not answer can hold SHGetFileInfoW for long).
constexpr auto kStopWait = std::chrono::milliseconds(250);

struct Job {
    unsigned long long batch = 0;
    std::size_t program = 0;
    std::wstring path;
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
    bool finished = false;
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
            std::unique_ptr<FileIcon> icon;
            try {
                icon = FileIconOf(state->platform, job.path);
            } catch (...) {
            }
            lock.lock();
            if (state->stop) break;
            if (job.batch != state->batch) continue;
            const bool wasEmpty = state->arrived.empty();
            state->arrived.push_back({job.program, std::move(icon)});
            // Under the lock, so the fetcher cannot go away in between; one
            // wake-up for all that arrive before the window takes them.
            if (wasEmpty && state->wake) state->wake();
        }
    }
    // The apartment has been left; closing may stop waiting now.
    const std::lock_guard lock(state->mutex);
    state->finished = true;
    state->changed.notify_all();
}

}  // namespace

IconFetcher::IconFetcher(const Platform& platform, std::function<void()> wake, ThreadSetup setup)
    : state_(std::make_shared<State>(platform)) {
    state_->wake = std::move(wake);
    state_->setup = std::move(setup);
}

IconFetcher::~IconFetcher() {
    std::unique_lock lock(state_->mutex);
    state_->stop = true;
    state_->jobs.clear();
    state_->arrived.clear();
    state_->changed.notify_all();
    state_->changed.wait_for(lock, kStopWait, [&] { return state_->finished || !worker_.joinable(); });
    const bool finished = state_->finished;
    lock.unlock();
    if (!worker_.joinable()) return;
    if (finished) {
        worker_.join();
    } else {
        worker_.detach();
    }
}

void IconFetcher::Fetch(std::vector<std::wstring> programs) {
    std::vector<Arrived> dropped;
    {
        const std::lock_guard lock(state_->mutex);
        ++state_->batch;
        state_->jobs.clear();
        dropped.swap(state_->arrived);
        for (std::size_t i = 0; i < programs.size(); ++i)
            state_->jobs.push_back({state_->batch, i, std::move(programs[i])});
        state_->changed.notify_all();
    }
    // Started with the first work, so a window that never loads has no worker.
    if (!worker_.joinable() && !programs.empty()) worker_ = std::thread(Work, state_);
}

std::vector<IconFetcher::Arrived> IconFetcher::TakeArrived() {
    std::vector<Arrived> taken;
    const std::lock_guard lock(state_->mutex);
    taken.swap(state_->arrived);
    return taken;
}

}  // namespace quillmark
