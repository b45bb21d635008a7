#pragma once
#include <stdexcept>
#include <string>

namespace quillmark {

// The one failure type inside Quillmark. It carries the text a user may see
// in the default error box, so it is kept in UTF-16.
class Error : public std::runtime_error {
public:
    // `accessDenied`: Windows refused for want of rights, which an elevated
    // Quillmark may have.
    explicit Error(std::wstring message, bool accessDenied = false);
    const std::wstring& message() const noexcept { return message_; }
    bool accessDenied() const noexcept { return accessDenied_; }

private:
    std::wstring message_;
    bool accessDenied_ = false;
};

// Replaces the first "%s" of a message template with the argument.
std::wstring FormatMessageText(const std::wstring& messageTemplate, const std::wstring& argument);

}  // namespace quillmark
