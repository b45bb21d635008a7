#include "shellpath/shortcut_target.h"

#include "platform/code_page.h"
#include "platform/environment.h"
#include "platform/installer.h"
#include "platform/platform.h"
#include "platform/shell_links.h"
#include "shellpath/path_text.h"
#include "shellpath/wow64_paths.h"

namespace quillmark {

namespace {

// A new link object ready to load files, or null when the object or its
// IPersistFile cannot be had.
std::unique_ptr<WideShellLink> NewLinkObject(const Platform& platform) {
    HResult created = kSOk;
    auto link = platform.links.CreateWide(kClsctxInprocServer, false, created);
    if (!link || !Succeeded(link->QueryPersistFile())) return nullptr;
    return link;
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
    return ShortcutResolver(platform).Resolve(location);
}

ShortcutResolver::ShortcutResolver(const Platform& platform) noexcept : platform_(platform) {}

ShortcutResolver::~ShortcutResolver() = default;

std::wstring ShortcutResolver::Resolve(const std::wstring& location) {
    const CodePage& codePage = platform_.codePage;
    if (codePage.Upper(ExtractFileExt(location)) != L".LNK") return location;

    std::wstring target = StoredTarget(location);
    if (LooksAdvertised(Trim(codePage.Lower(target)))) {
        TLinkParams params;
        ResolveMsiShortcut(platform_, location, params);
        target = params.TargetPath;
    }
    if (target.empty()) return location;
    if (HasInvalidFileNameChar(Trim(codePage.Lower(target)))) return location;
    return target;
}

// IShellLinkW::GetPath of the shortcut, without Resolve: a target that has
// moved comes back with its stored path, and no search or dialog happens.
// Empty when the link object, its IPersistFile or the file cannot be had.
std::wstring ShortcutResolver::StoredTarget(const std::wstring& location) {
    std::wstring target;
    if (link_) {
        // A load that succeeds replaces all an earlier one left.
        if (Succeeded(link_->Load(location, kStgmRead))) {
            ReadTarget(*link_, target);
            return target;
        }
        // One that fails may have kept the earlier shortcut (the shell reads
        // the file's header before it lets go of the old data): the file is
        // read again on a new object, as it would be on its own.
        link_.reset();
    }
    auto link = NewLinkObject(platform_);
    if (!link) return target;
    // A failed load leaves a new object empty, so GetPath then writes nothing.
    const bool loaded = Succeeded(link->Load(location, kStgmRead));
    ReadTarget(*link, target);
    if (loaded) link_ = std::move(link);
    return target;
}

// Under WOW64 the link object expands what a shortcut stores as
// %ProgramFiles%\... in this process's environment, to the "(x86)" folder.
// The stored form, expanded as the 64-bit shell that starts the entry expands
// it, names the program; one that names an unknown variable gives way to the
// object's own answer.
void ShortcutResolver::ReadTarget(WideShellLink& link, std::wstring& target) {
    if (platform_.environment.RunningUnderWow64()) {
        std::wstring raw;
        link.GetPath(kSlgpRawPath, raw);
        if (const auto expanded = ExpandEntryVariables(platform_, raw); expanded && !expanded->empty()) {
            target = *expanded;
            return;
        }
    }
    link.GetPath(kSlgpUncPriority, target);
}

HResult ResolveMsiShortcut(const Platform& platform, const std::wstring& shortcutPath, TLinkParams& params) {
    params = TLinkParams{};
    HResult result = kSOk;
    const auto link = platform.links.CreateWide(kClsctxInprocServer, false, result);
    if (!link) return Succeeded(result) ? kEFail : result;
    if (result = link->QueryPersistFile(); !Succeeded(result)) return result;

    // Paths are handled in buffers of kMaxPath units: a path that does not
    // fit with its terminator fails here rather than being cut short.
    if (shortcutPath.size() >= kMaxPath) return kInsufficientBuffer;

    if (result = link->Load(shortcutPath, kStgmRead); !Succeeded(result)) return result;
    if (result = link->Resolve(kQuietResolve); !Succeeded(result)) return result;
    std::wstring path;
    if (result = link->GetPath(kSlgpShortPath, path); !Succeeded(result)) return result;
    params.TargetPath = path;

    // The data-list interface only tells that this is the shell's own link
    // object, which the installer service can read.
    if (link->HasDataList()) {
        std::wstring componentCode;
        if (platform.installer.GetShortcutTarget(shortcutPath, componentCode) == kErrorSuccess) {
            // The same buffer: when the service writes nothing it keeps the short path.
            platform.installer.LocateComponent(componentCode, path);
            params.TargetPath = path;
        }
    }

    std::wstring text;
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
