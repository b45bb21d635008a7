#pragma once
#include <exception>
#include <string>

#include "app/main_view.h"
#include "platform/error.h"

namespace quillmark {

// The two guard policies a handler can have. Every handler names one at its
// definition, so the policy is read where the handler is written.

// Any failure is dropped without a word.
template <typename Body>
void SwallowFailures(Body&& body) noexcept {
    try {
        body();
    } catch (...) {
    }
}

// Text for the error box from any failure that escaped a handler.
std::wstring FailureText(const std::exception_ptr& failure);

// A failure reaches the toolkit's default error box, captioned with the
// application title, and the program goes on.
template <typename Body>
void WithDefaultErrorBox(MainView& view, Body&& body) noexcept {
    try {
        body();
    } catch (...) {
        const std::exception_ptr failure = std::current_exception();
        SwallowFailures([&] { view.ShowDefaultErrorBox(FailureText(failure)); });
    }
}

}  // namespace quillmark
