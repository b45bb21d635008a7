#include "tests/ui/support/console_program.h"

#include <stdexcept>
#include <thread>

#include "tests/ui/support/handles.h"

namespace quillmark::uitest {

namespace {

std::wstring ParentOf(const std::wstring& path) {
    const auto slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

// The rules CommandLineToArgvW undoes: backslashes count only before a quote.
std::wstring Quoted(const std::wstring& argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos) return argument;
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, L'\\');
    return quoted + L"\"";
}

void ReadAll(HANDLE pipe, std::string& bytes) {
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(pipe, buffer, sizeof(buffer), &read, nullptr) && read > 0) bytes.append(buffer, read);
}

}  // namespace

std::wstring QuillmarkCliExePath() {
    wchar_t value[32768] = L"";
    if (GetEnvironmentVariableW(L"QUILLMARK_CLI_EXE", value, 32768) > 0) return value;
    std::wstring own(32768, L'\0');
    own.resize(GetModuleFileNameW(nullptr, own.data(), static_cast<DWORD>(own.size())));
    return ParentOf(ParentOf(own)) + L"\\cli\\quillmark-cli.exe";
}

ConsoleRun RunConsoleProgram(const std::wstring& exePath, const std::vector<std::wstring>& arguments, DWORD timeoutMs) {
    SECURITY_ATTRIBUTES inheritable{sizeof(inheritable), nullptr, TRUE};
    UniqueKernelHandle outRead, outWrite, errorRead, errorWrite;
    if (!CreatePipe(outRead.put(), outWrite.put(), &inheritable, 0) ||
        !CreatePipe(errorRead.put(), errorWrite.put(), &inheritable, 0)) {
        throw std::runtime_error("CreatePipe failed");
    }
    // Only the write ends go to the child.
    SetHandleInformation(outRead.get(), HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(errorRead.get(), HANDLE_FLAG_INHERIT, 0);

    std::wstring commandLine = Quoted(exePath);
    for (const std::wstring& argument : arguments) commandLine += L" " + Quoted(argument);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = outWrite.get();
    startup.hStdError = errorWrite.get();
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(exePath.c_str(), commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr,
                        &startup, &process)) {
        throw std::runtime_error("CreateProcessW failed, error " + std::to_string(GetLastError()));
    }
    UniqueKernelHandle processHandle(process.hProcess);
    CloseHandle(process.hThread);
    // Ours closed, the pipes end when the program's ends do.
    outWrite.reset();
    errorWrite.reset();

    ConsoleRun run;
    std::thread errorReader([&] { ReadAll(errorRead.get(), run.error); });
    std::thread outReader([&] { ReadAll(outRead.get(), run.out); });
    if (WaitForSingleObject(processHandle.get(), timeoutMs) != WAIT_OBJECT_0) TerminateProcess(processHandle.get(), 1);
    outReader.join();
    errorReader.join();
    if (!GetExitCodeProcess(processHandle.get(), &run.exitCode)) run.exitCode = STILL_ACTIVE;
    return run;
}

std::wstring FromUtf8(const std::string& bytes) {
    if (bytes.empty()) return {};
    const int size = static_cast<int>(bytes.size());
    const int needed = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), size, nullptr, 0);
    std::wstring text(static_cast<std::size_t>(needed > 0 ? needed : 0), L'\0');
    if (needed > 0) MultiByteToWideChar(CP_UTF8, 0, bytes.data(), size, text.data(), needed);
    return text;
}

}  // namespace quillmark::uitest
