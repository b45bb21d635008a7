#pragma once
#include <exception>
#include <string>

#include "app/main_view.h"
#include "platform/error.h"
#include "platform/trace.h"

namespace quillmark {

// The two guard policies a handler can have. Every handler names one at its
// definition, so the policy is read where the handler is written.

// Any failure is dropped without a word to the user, and traced with the
// function and line of the handler that dropped it.
template <typename Body>
void SwallowFailures(Body&& body, const char* function = __builtin_FUNCTION(), int line = __builtin_LINE()) noexcept {
    try {
        body();
    } catch (...) {
        TraceCaughtFailure(function, line);
    }
}

// A failure reaches the toolkit's default error box, captioned with the
// application title, and the program goes on.
template <typename Body>
void WithDefaultErrorBox(MainView& view, Body&& body, const char* function = __builtin_FUNCTION(),
                         int line = __builtin_LINE()) noexcept {
    try {
        body();
    } catch (...) {
        const std::exception_ptr failure = std::current_exception();
        try {
            view.ShowDefaultErrorBox(FailureText(failure));
        } catch (...) {
            TraceCaughtFailure(function, line);
        }
    }
}

}  // namespace quillmark
