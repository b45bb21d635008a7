#include "platform/win32/elevation.h"

#include <windows.h>
#include <sddl.h>

#include <vector>

#include "platform/win32/handles.h"

namespace quillmark {

bool RunningElevated() noexcept {
    HANDLE opened = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &opened)) return false;
    const UniqueKernelHandle token(opened);
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    return GetTokenInformation(token.get(), TokenElevation, &elevation, sizeof(elevation), &size) &&
           elevation.TokenIsElevated != 0;
}

TokenAccount ProcessTokenAccount(bool withAccountName) {
    HANDLE opened = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &opened)) return {};
    const UniqueKernelHandle token(opened);
    // TOKEN_USER is followed by the SID it points to: ask for the size first.
    DWORD size = 0;
    GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
    if (size == 0) return {};
    std::vector<unsigned char> buffer(size);
    if (!GetTokenInformation(token.get(), TokenUser, buffer.data(), size, &size)) return {};
    PSID sid = reinterpret_cast<const TOKEN_USER*>(buffer.data())->User.Sid;

    wchar_t* text = nullptr;
    if (!ConvertSidToStringSidW(sid, &text)) return {};
    const UniqueLocalMemory owned(text);
    TokenAccount user{text, text};

    // Account and domain names are at most 256 characters each; a name that
    // cannot be had (a domain controller out of reach) leaves the SID string.
    wchar_t name[257] = {};
    wchar_t domain[257] = {};
    DWORD nameLength = 257;
    DWORD domainLength = 257;
    SID_NAME_USE use{};
    if (withAccountName && LookupAccountSidW(nullptr, sid, name, &nameLength, domain, &domainLength, &use)) {
        user.accountName = domainLength > 0 ? std::wstring(domain) + L"\\" + name : std::wstring(name);
    }
    return user;
}

std::wstring OwnProgramPath() {
    // Long paths need more than MAX_PATH; the call truncates silently, so
    // grow until the whole path fits.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        if (path.size() >= 32768) return {};
        path.resize(path.size() * 2);
    }
}

}  // namespace quillmark
