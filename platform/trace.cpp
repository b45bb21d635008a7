#include "platform/trace.h"

#include <atomic>
#include <new>
#include <stdexcept>

#include "platform/error.h"

namespace quillmark {

namespace {

std::atomic<TraceSink> g_sink{nullptr};

// Function names and library texts are ASCII.
std::wstring Widened(const char* text) {
    std::wstring wide;
    for (const char* c = text; c != nullptr && *c != '\0'; ++c) wide += static_cast<wchar_t>(static_cast<unsigned char>(*c));
    return wide;
}

}  // namespace

void SetTraceSink(TraceSink sink) noexcept { g_sink = sink; }

std::wstring FailureText(const std::exception_ptr& failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const Error& error) {
        return error.message();
    } catch (const std::bad_alloc&) {
        return L"Out of memory";
    } catch (const std::exception& error) {
        return Widened(error.what());
    } catch (...) {
        return L"Unknown failure";
    }
}

void TraceCaughtFailure(const char* function, int line) noexcept {
    const TraceSink sink = g_sink;
    if (sink == nullptr) return;
    try {
        const std::exception_ptr failure = std::current_exception();
        const std::wstring what = failure ? FailureText(failure) : std::wstring(L"no exception");
        sink(L"caught in " + Widened(function) + L" (line " + std::to_wstring(line) + L"): " + what);
    } catch (...) {
        // Out of memory while describing it: there is nothing left to say it with.
    }
}

}  // namespace quillmark
