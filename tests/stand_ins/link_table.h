#pragma once
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/shell_links.h"

namespace quillmark {

// What the link object reports for one shortcut file of the stand-in.
struct LinkRecord {
    // IShellLinkW::GetPath: the long form; empty when the link has no
    // file-system target.
    std::wstring target;
    // GetPath(SLGP_RAWPATH): the target as stored with its %NAME% references
    // (the shell writes that form for Program Files and the Windows folder,
    // and expands it in the reading process's environment); empty: `target`.
    std::wstring rawTarget;
    std::wstring workingDirectory;
    // GetPath(SLGP_SHORTPATH), the comment and the arguments.
    std::wstring shortTarget;
    std::wstring description;
    std::wstring arguments;
    // Results of the calls that read an installed shortcut (kSOk: it works).
    HResult resolveResult = kSOk;
    HResult shortPathResult = kSOk;
    HResult descriptionResult = kSOk;
    HResult argumentsResult = kSOk;
    HResult workingDirectoryResult = kSOk;
    // The link object answers QueryInterface for IShellLinkDataList, as the
    // shell's own object always does.
    bool hasDataList = true;
};

// Stand-in for the shell's link object: a table of shortcut files by path
// (letter case ignored). A path that is not in the table loads as a missing
// file; one seeded as unreadable loads as a file that is not a shortcut.
// Every call is noted in Calls() so tests can see which calls were made.
class LinkTable final : public ShellLinks {
public:
    LinkTable();
    ~LinkTable() override;

    void AddLink(const std::wstring& path, LinkRecord record);
    void AddUnreadable(const std::wstring& path);
    // The saved or seeded shortcut, or null.
    const LinkRecord* Find(const std::wstring& path) const;
    std::size_t LinkCount() const;

    // Makes CoCreateInstance fail with this code (kSOk: it works again).
    void FailCreate(HResult code) { createResult_ = code; }
    // Makes QueryInterface(IID_IPersistFile) fail with this code.
    void RefusePersistFile(HResult code);
    // Every Save fails with this code, as writing into a folder the user may
    // not write to does (E_ACCESSDENIED).
    void RefuseSave(HResult code);
    // Wiring to a file tree: whether a folder exists (a save into a missing
    // one fails) and a notice for each file a save writes. Without them every
    // folder exists and nothing is told.
    void SetFolderExists(std::function<bool(const std::wstring&)> folderExists);
    void SetFileWritten(std::function<void(const std::wstring&)> fileWritten);
    // How SetPath completes the target (GetFullPathNameW, as the shell's own
    // object does); without it the target is kept as given.
    void SetFullPath(std::function<std::wstring(const std::wstring&)> fullPath);

    // Link objects made so far, and those still alive (not yet released).
    int ObjectsCreated() const;
    int ObjectsAlive() const;
    // What Resolve would have done on Windows: dialogs the shell showed (a
    // link whose target cannot be found, resolved without SLR_NO_UI) and
    // shortcut files it wrote back (SLR_UPDATE).
    int ResolveDialogs() const;
    int ResolveRewrites() const;
    // One line per call, e.g. "CreateWide 1", "Load C:\x.lnk 0", "GetPath 2".
    const std::vector<std::wstring>& Calls() const;
    void ClearCalls();

    std::unique_ptr<WideShellLink> CreateWide(std::uint32_t context, bool throughUnknown, HResult& result) override;
    std::wstring MessageFor(HResult code) const override;

    // Shared by the table and the link objects it hands out.
    struct State;

private:
    std::shared_ptr<State> state_;
    HResult createResult_ = kSOk;
};

}  // namespace quillmark
