#include "shellpath/shortcut_target.h"

#include "platform/code_page.h"
#include "platform/installer.h"
#include "platform/platform.h"
#include "platform/shell_links.h"
#include "shellpath/path_text.h"

namespace quillmark {

namespace {

// IShellLinkW::GetPath of the shortcut, without Resolve: a target that has
// moved comes back with its stored path, and no search or dialog happens.
// Empty when the link object, its IPersistFile or the file cannot be had.
std::wstring StoredTarget(const Platform& platform, const std::wstring& location) {
    std::wstring target;
    HResult created = kSOk;
    const auto link = platform.links.CreateWide(kClsctxInprocServer, false, created);
    if (!link || !Succeeded(link->QueryPersistFile())) return target;
    // A failed load leaves the object empty, so GetPath then writes nothing.
    link->Load(location, kStgmRead);
    link->GetPath(kSlgpUncPriority, target);
    return target;
}

// A listing never asks the user anything and never changes a file: no search
// dialog or installer repair for a broken link (SLR_NO_UI, giving up after
// the time-out in milliseconds that the high word carries), and no writing
// the link back with what was found (no SLR_UPDATE).
constexpr std::uint32_t kResolveTimeoutMs = 500;
constexpr std::uint32_t kQuietResolve = kSlrNoUi | (kResolveTimeoutMs << 16);

// Shortcuts of advertised products point into the installer's cache: a path
// holding "windows\installer\" and a product code in braces.
bool LooksAdvertised(const std::wstring& loweredTrimmed) {
    return loweredTrimmed.find(L"windows\\installer\\") != std::wstring::npos &&
           loweredTrimmed.find(L'{') != std::wstring::npos && loweredTrimmed.find(L'}') != std::wstring::npos;
}

}  // namespace

std::wstring ResolveShortcutTarget(const Platform& platform, const std::wstring& location) {
    const CodePage& codePage = platform.codePage;
    if (codePage.Upper(ExtractFileExt(location)) != L".LNK") return location;

    std::wstring target = StoredTarget(platform, location);
    if (LooksAdvertised(Trim(codePage.Lower(target)))) {
        TLinkParams params;
        ResolveMsiShortcut(platform, codePage.ToAnsi(location), params);
        target = codePage.FromAnsi(params.TargetPath);
    }
    if (target.empty()) return location;
    // Also catches characters that the ANSI round trip turned into "?".
    if (HasInvalidFileNameChar(Trim(codePage.Lower(target)))) return location;
    return target;
}

HResult ResolveMsiShortcut(const Platform& platform, const std::string& shortcutPath, TLinkParams& params) {
    params = TLinkParams{};
    HResult result = kSOk;
    const auto link = platform.links.CreateAnsi(kClsctxInprocServer, result);
    if (!link) return Succeeded(result) ? kEFail : result;
    if (result = link->QueryPersistFile(); !Succeeded(result)) return result;

    // MultiByteToWideChar into a buffer of kMaxPath units: a path that does
    // not fit with its terminator fails here rather than being cut short.
    const std::wstring widePath = platform.codePage.FromAnsi(shortcutPath);
    if (widePath.size() >= kMaxPath) return kInsufficientBuffer;

    if (result = link->Load(widePath, kStgmRead); !Succeeded(result)) return result;
    if (result = link->Resolve(kQuietResolve); !Succeeded(result)) return result;
    std::string path;
    if (result = link->GetPath(kSlgpShortPath, path); !Succeeded(result)) return result;
    params.TargetPath = path;

    // The data-list interface only tells that this is the shell's own link
    // object, which the installer service can read.
    if (link->HasDataList()) {
        std::string componentCode;
        if (platform.installer.GetShortcutTarget(shortcutPath, componentCode) == kErrorSuccess) {
            // The same buffer: when the service writes nothing it keeps the short path.
            platform.installer.LocateComponent(componentCode, path);
            params.TargetPath = path;
        }
    }

    std::string text;
    if (result = link->GetDescription(text); !Succeeded(result)) return result;
    params.Description = text;
    text.clear();
    if (result = link->GetArguments(text); !Succeeded(result)) return result;
    params.Arguments = text;
    text.clear();
    if (result = link->GetWorkingDirectory(text); !Succeeded(result)) return result;
    params.WorkingDirectory = text;
    return kSOk;
}

bool HasInvalidFileNameChar(const std::wstring& text) { return text.find_first_of(L"?*\"><|") != std::wstring::npos; }

}  // namespace quillmark
