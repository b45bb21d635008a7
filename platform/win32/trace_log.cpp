#include "platform/win32/trace_log.h"

#include <windows.h>

#include <mutex>

#include "platform/trace.h"
#include "platform/win32/handles.h"

namespace quillmark {

namespace {

constexpr LONGLONG kMaximumLogSize = 256 * 1024;

std::mutex g_logMutex;
std::wstring* g_logFile = nullptr;

// The file only when it is a plain file: FILE_FLAG_OPEN_REPARSE_POINT opens a
// link planted in its place as the link itself, which is then refused, so the
// log never writes through one.
UniqueFileHandle OpenPlainFile(const std::wstring& path) {
    UniqueFileHandle file(CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (file && (!GetFileInformationByHandle(file.get(), &info) ||
                 (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0)) {
        file.reset();
    }
    return file;
}

void AppendToLog(const std::wstring& path, const std::wstring& line) {
    UniqueFileHandle file = OpenPlainFile(path);
    LARGE_INTEGER size{};
    if (file && GetFileSizeEx(file.get(), &size) && size.QuadPart > kMaximumLogSize) {
        file.reset();
        MoveFileExW(path.c_str(), (path + L".1").c_str(), MOVEFILE_REPLACE_EXISTING);
        file = OpenPlainFile(path);
    }
    if (!file) return;
    SYSTEMTIME now{};
    GetSystemTime(&now);
    wchar_t stamp[32];
    wsprintfW(stamp, L"%04u-%02u-%02uT%02u:%02u:%02uZ ", now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute,
              now.wSecond);
    // UTF-8, one line a trace.
    const std::wstring text = stamp + line + L"\r\n";
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                          nullptr, nullptr);
    if (bytes <= 0) return;
    std::string utf8(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), utf8.data(), bytes, nullptr, nullptr);
    DWORD written = 0;
    WriteFile(file.get(), utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
}

void WriteTrace(const std::wstring& line) noexcept {
    try {
        OutputDebugStringW((L"Quillmark: " + line + L"\n").c_str());
        const std::lock_guard lock(g_logMutex);
        if (g_logFile != nullptr) AppendToLog(*g_logFile, line);
    } catch (...) {
        // Nowhere left to write it.
    }
}

}  // namespace

void StartTraceLog(std::wstring logFile) {
    {
        const std::lock_guard lock(g_logMutex);
        // Kept for the process's life: worker threads may trace until it ends.
        static std::wstring file;
        file = std::move(logFile);
        g_logFile = file.empty() ? nullptr : &file;
    }
    SetTraceSink(&WriteTrace);
}

}  // namespace quillmark
