#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/hresult.h"

namespace quillmark {

// Values of the link object's calls, as Windows numbers them.
inline constexpr std::uint32_t kClsctxInprocServer = 0x1;
inline constexpr std::uint32_t kClsctxLocalServer = 0x4;
inline constexpr std::uint32_t kStgmRead = 0x0;
inline constexpr std::uint32_t kSlgpShortPath = 0x1;
inline constexpr std::uint32_t kSlgpUncPriority = 0x2;
inline constexpr std::uint32_t kSlgpRawPath = 0x4;
inline constexpr std::uint32_t kSlrNoUi = 0x1;
inline constexpr std::uint32_t kSlrUpdate = 0x4;
// MAX_PATH: the characters of every text buffer handed to the link object
// and the installer service, and the size passed with it; one more is
// allocated for the terminator.
inline constexpr std::size_t kMaxPath = 260;

// One shell link object (CLSID_ShellLink) held through IShellLinkW. The
// object and every interface obtained from it go with this instance.
class WideShellLink {
public:
    virtual ~WideShellLink() = default;
    // QueryInterface(IID_IPersistFile); Load and Save need it.
    virtual HResult QueryPersistFile() = 0;
    // IPersistFile::Load(path, mode).
    virtual HResult Load(const std::wstring& path, std::uint32_t mode) = 0;
    // IPersistFile::Save(path, remember).
    virtual HResult Save(const std::wstring& path, bool remember) = 0;
    // IShellLinkW::GetPath into a buffer of kMaxPath units that starts empty;
    // `path` becomes its text up to the first NUL whatever the result.
    virtual HResult GetPath(std::uint32_t flags, std::wstring& path) = 0;
    virtual HResult SetPath(const std::wstring& path) = 0;
    virtual HResult SetWorkingDirectory(const std::wstring& folder) = 0;
    // IShellLinkW::Resolve with the application's window as owner: without
    // SLR_NO_UI the shell may show its own search dialog, modal to it, and
    // with SLR_UPDATE it may write the shortcut back.
    virtual HResult Resolve(std::uint32_t flags) = 0;
    // Each fills a buffer of kMaxPath units that starts as the text passed
    // in; the text becomes its content up to the first NUL whatever the result.
    virtual HResult GetDescription(std::wstring& text) = 0;
    virtual HResult GetArguments(std::wstring& text) = 0;
    virtual HResult GetWorkingDirectory(std::wstring& text) = 0;
    // QueryInterface(IID_IShellLinkDataList) succeeds; the interface is
    // released at once, it only serves as a test.
    virtual bool HasDataList() = 0;
};

class ShellLinks {
public:
    virtual ~ShellLinks() = default;
    // CoCreateInstance(CLSID_ShellLink, no outer object, context, ...). With
    // `throughUnknown` the object is asked for IUnknown first and then for
    // IShellLinkW; otherwise for IShellLinkW directly. Null on failure, with
    // the failing call's code in `result`.
    virtual std::unique_ptr<WideShellLink> CreateWide(std::uint32_t context, bool throughUnknown,
                                                      HResult& result) = 0;
    // The system's text for a failure code, as an error box would show it.
    virtual std::wstring MessageFor(HResult code) const = 0;
};

}  // namespace quillmark
