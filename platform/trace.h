#pragma once
#include <exception>
#include <string>

namespace quillmark {

// Where a failure that nobody is told of is written down: a function that
// takes one line of text. It must not throw and may be called from any thread.
using TraceSink = void (*)(const std::wstring& line) noexcept;

// Sets where traces go (nothing is written until a sink is set); the
// program sets it once at start, before any other thread runs.
void SetTraceSink(TraceSink sink) noexcept;

// Text for a failure a handler or the inventory caught: the Error's
// message, a library exception's text, or "Unknown failure".
std::wstring FailureText(const std::exception_ptr& failure);

// Call inside a catch block that does not tell the user: records the
// failure being handled with the function and line that caught it, so a
// fault on a user's machine leaves something to read. The defaults name
// the caller.
void TraceCaughtFailure(const char* function = __builtin_FUNCTION(), int line = __builtin_LINE()) noexcept;

}  // namespace quillmark
