#pragma once
#include <stdexcept>
#include <string>

namespace quillmark {

// The one failure type inside Quillmark. It carries the text a user may see
// in the default error box, so it is kept in UTF-16.
class Error : public std::runtime_error {
public:
    explicit Error(std::wstring message);
    const std::wstring& message() const noexcept { return message_; }

private:
    std::wstring message_;
};

// Replaces the first "%s" of a message template with the argument.
std::wstring FormatMessageText(const std::wstring& messageTemplate, const std::wstring& argument);

}  // namespace quillmark
