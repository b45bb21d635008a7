#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/platform.h"
#include "platform/shell.h"
#include "platform/shell_links.h"
#include "platform/windows_error.h"
#include "shellpath/shell_services.h"

namespace quillmark {

namespace {

// The target's folder, up to and including its last backslash or colon; for
// a web address that is the scheme and colon. Found on the UTF-16 text: in a
// double-byte code page the second byte of a character can be the byte of a
// backslash, and the ANSI form would cut the folder there.
std::wstring WorkingDirectoryOf(const std::wstring& target) {
    const auto last = target.find_last_of(L"\\:");
    return last == std::wstring::npos ? std::wstring() : target.substr(0, last + 1);
}

// SHFileOperation's codes are partly its own (DE_*), so the text is ours.
// Without rights the copy engine answers, depending on the Windows version,
// a Windows error, its own DE_ACCESSDENIEDSRC, or an HRESULT.
bool IsAccessDenied(int code) {
    constexpr int kDeAccessDeniedSource = 0x78;
    constexpr int kErrorElevationRequired = 740;
    constexpr int kEAccessDenied = static_cast<int>(0x80070005u);
    return code == static_cast<int>(kErrorAccessDenied) || code == kDeAccessDeniedSource ||
           code == kErrorElevationRequired || code == kEAccessDenied;
}

RecycleFailure RecycleFailureOf(const FileOperationResult& result) {
    constexpr int kErrorCancelled = 1223;
    constexpr int kDeOperationCancelled = 0x75;
    if (IsAccessDenied(result.code)) return {L"Access is denied.", true};
    if (result.aborted || result.code == kErrorCancelled || result.code == kDeOperationCancelled)
        return {L"Moving the file to the recycle bin was cancelled.", false};
    return {L"The shell could not move the file to the recycle bin (code " + std::to_wstring(result.code) + L").", false};
}

}  // namespace

bool RecycleFile(const Platform& platform, const std::wstring& path, RecycleFailure* failure,
                 WithoutRecycleBin withoutBin) {
    // SHFileOperation expands wildcards: refuse them, so nothing but the named
    // file can reach the recycle bin.
    if (path.find_first_of(L"?*") != std::wstring::npos) return false;
    if (!platform.files.FileExists(path)) return false;
    FileOperation operation;
    operation.function = kFoDelete;
    operation.from = platform.files.FullPath(path);
    // ALLOWUNDO sends it to the recycle bin. NOERRORUI keeps the copy
    // engine's own boxes away, its "You'll need to provide administrator
    // permission" above all: cancelled, it would read as the user's "no" and
    // pre-empt our report of missing rights with its offer to restart
    // elevated. Where the file's volume has no recycle bin (a network Startup
    // folder, some removable media) ALLOWUNDO would quietly delete it for
    // good: WANTNUKEWARNING makes the shell ask first, even though
    // NOCONFIRMATION spares the user the ordinary question. A program run by
    // a script has nobody to answer: its question would wait unseen.
    operation.flags = kFofSilent | kFofNoConfirmation | kFofAllowUndo | kFofNoErrorUi;
    if (withoutBin == WithoutRecycleBin::AskFirst) operation.flags |= kFofWantNukeWarning;
    const FileOperationResult result = platform.shell.FileOperationW(operation);
    if (result.code == 0 && !result.aborted) return true;
    if (failure != nullptr) *failure = RecycleFailureOf(result);
    return false;
}

bool CreateShortcutFile(const Platform& platform, const std::wstring& target, const std::wstring& name,
                        const std::wstring& folder, std::wstring* failure, bool* accessDenied) {
    HResult result = kSOk;
    const auto link = platform.links.CreateWide(kClsctxInprocServer | kClsctxLocalServer, true, result);
    if (!link) throw Error(platform.links.MessageFor(Succeeded(result) ? kENoInterface : result));
    if (result = link->QueryPersistFile(); !Succeeded(result)) throw Error(platform.links.MessageFor(result));

    // Only path and working directory are set: the link object's defaults
    // stand for everything else.
    link->SetPath(target);
    link->SetWorkingDirectory(WorkingDirectoryOf(target));
    const std::wstring fileName = folder + L"\\" + name + L".lnk";
    // Save replaces a file of the same name; a missing folder makes it fail.
    const HResult saved = link->Save(fileName, false);
    if (Succeeded(saved) && platform.files.FileExists(fileName)) return true;
    if (failure != nullptr) *failure = platform.links.MessageFor(Succeeded(saved) ? kFileNotFound : saved);
    if (accessDenied != nullptr) *accessDenied = saved == kEAccessDenied;
    return false;
}

}  // namespace quillmark
