#include "cli/win32/console_output.h"

#include <algorithm>
#include <climits>

namespace quillmark {

namespace {

// The console host copies what one call writes into a buffer of its own;
// pieces of this size stay well inside it. A piece never ends between the
// two halves of a surrogate pair.
constexpr std::size_t kConsolePiece = 8192;

bool WriteToConsole(HANDLE console, const std::wstring& text) {
    for (std::size_t start = 0; start < text.size();) {
        std::size_t count = std::min(kConsolePiece, text.size() - start);
        if (start + count < text.size() && IS_HIGH_SURROGATE(text[start + count - 1])) --count;
        DWORD written = 0;
        if (!WriteConsoleW(console, text.data() + start, static_cast<DWORD>(count), &written, nullptr) || written == 0)
            return false;
        start += written;
    }
    return true;
}

// A surrogate without its partner cannot be spelt in UTF-8: WideCharToMultiByte
// writes U+FFFD for it.
std::string Utf8(const std::wstring& text) {
    if (text.empty() || text.size() > INT_MAX) return {};
    const int length = static_cast<int>(text.size());
    const int needed = WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) return {};
    std::string bytes(static_cast<std::size_t>(needed), '\0');
    const int written = WideCharToMultiByte(CP_UTF8, 0, text.data(), length, bytes.data(), needed, nullptr, nullptr);
    bytes.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
    return bytes;
}

bool WriteToFile(HANDLE file, const std::string& bytes) {
    for (std::size_t start = 0; start < bytes.size();) {
        const DWORD count = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - start, 1u << 20));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + start, count, &written, nullptr) || written == 0) return false;
        start += written;
    }
    return true;
}

}  // namespace

ConsoleOutput::ConsoleOutput() : out_(Open(STD_OUTPUT_HANDLE)), error_(Open(STD_ERROR_HANDLE)) {}

// GetConsoleMode succeeds only on a console handle: a redirected stream is a
// file or pipe, whatever console the program was started from.
ConsoleOutput::Target ConsoleOutput::Open(DWORD standardHandle) noexcept {
    Target target;
    target.handle = GetStdHandle(standardHandle);
    if (target.handle == INVALID_HANDLE_VALUE) target.handle = nullptr;
    DWORD mode = 0;
    target.console = target.handle != nullptr && GetConsoleMode(target.handle, &mode);
    return target;
}

void ConsoleOutput::Write(CliStream stream, const std::wstring& text) {
    const Target& target = TargetOf(stream);
    // Started without standard handles (from a window, say): nothing to write to.
    if (target.handle == nullptr || text.empty()) return;
    const bool written = target.console ? WriteToConsole(target.handle, text) : WriteToFile(target.handle, Utf8(text));
    if (!written) allWritten_ = false;
}

// One column short of the window: a line that filled the last column would
// wrap, and its line break would then leave an empty line behind.
int ConsoleOutput::Width(CliStream stream) const {
    const Target& target = TargetOf(stream);
    CONSOLE_SCREEN_BUFFER_INFO info{};
    if (!target.console || !GetConsoleScreenBufferInfo(target.handle, &info)) return 0;
    return std::max(1, info.srWindow.Right - info.srWindow.Left);
}

}  // namespace quillmark
