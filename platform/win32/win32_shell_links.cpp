#include "platform/win32/win32_shell_links.h"

#include <shlobj.h>
#include <shobjidl.h>

#include <vector>

#include "platform/win32/handles.h"
#include "platform/win32/system_message.h"

namespace quillmark {

namespace {

// Text of a fixed buffer up to its first NUL; the buffer always ends in one.
template <typename Char>
std::basic_string<Char> BufferText(const std::vector<Char>& buffer) {
    return std::basic_string<Char>(buffer.data());
}

class Win32WideShellLink final : public WideShellLink {
public:
    Win32WideShellLink(ComPtr<IShellLinkW> link, HWND owner) : link_(std::move(link)), owner_(owner) {}

    HResult QueryPersistFile() override { return link_->QueryInterface(IID_IPersistFile, persist_.put_void()); }
    HResult Load(const std::wstring& path, std::uint32_t mode) override {
        return persist_ ? persist_->Load(path.c_str(), mode) : E_NOINTERFACE;
    }
    HResult Save(const std::wstring& path, bool remember) override {
        return persist_ ? persist_->Save(path.c_str(), remember ? TRUE : FALSE) : E_NOINTERFACE;
    }
    HResult GetPath(std::uint32_t flags, std::wstring& path) override {
        std::vector<wchar_t> buffer(kMaxPath + 1, L'\0');
        const HRESULT result = link_->GetPath(buffer.data(), static_cast<int>(kMaxPath), nullptr, flags);
        buffer.back() = L'\0';
        path = BufferText(buffer);
        return result;
    }
    HResult SetPath(const std::wstring& path) override { return link_->SetPath(path.c_str()); }
    HResult SetWorkingDirectory(const std::wstring& folder) override {
        return link_->SetWorkingDirectory(folder.c_str());
    }
    HResult Resolve(std::uint32_t flags) override { return link_->Resolve(owner_, flags); }
    HResult GetDescription(std::wstring& text) override {
        return Read(text, [&](wchar_t* buffer) { return link_->GetDescription(buffer, static_cast<int>(kMaxPath)); });
    }
    HResult GetArguments(std::wstring& text) override {
        return Read(text, [&](wchar_t* buffer) { return link_->GetArguments(buffer, static_cast<int>(kMaxPath)); });
    }
    HResult GetWorkingDirectory(std::wstring& text) override {
        return Read(text,
                    [&](wchar_t* buffer) { return link_->GetWorkingDirectory(buffer, static_cast<int>(kMaxPath)); });
    }
    bool HasDataList() override {
        ComPtr<IShellLinkDataList> dataList;
        return SUCCEEDED(link_->QueryInterface(IID_IShellLinkDataList, dataList.put_void()));
    }

private:
    // The buffer starts as `text` (cut to fit), so a call that writes nothing leaves it.
    template <typename Call>
    static HResult Read(std::wstring& text, Call call) {
        std::vector<wchar_t> buffer(kMaxPath + 1, L'\0');
        text.copy(buffer.data(), kMaxPath);
        const HRESULT result = call(buffer.data());
        buffer.back() = L'\0';
        text = BufferText(buffer);
        return result;
    }

    ComPtr<IShellLinkW> link_;
    ComPtr<IPersistFile> persist_;
    HWND owner_;
};

}  // namespace

std::unique_ptr<WideShellLink> Win32ShellLinks::CreateWide(std::uint32_t context, bool throughUnknown,
                                                           HResult& result) {
    ComPtr<IShellLinkW> link;
    if (throughUnknown) {
        ComPtr<IUnknown> object;
        result = CoCreateInstance(CLSID_ShellLink, nullptr, context, IID_IUnknown, object.put_void());
        if (FAILED(result)) return nullptr;
        result = object->QueryInterface(IID_IShellLinkW, link.put_void());
    } else {
        result = CoCreateInstance(CLSID_ShellLink, nullptr, context, IID_IShellLinkW, link.put_void());
    }
    if (FAILED(result) || !link) return nullptr;
    return std::make_unique<Win32WideShellLink>(std::move(link), owner_);
}

std::wstring Win32ShellLinks::MessageFor(HResult code) const { return SystemMessage(static_cast<DWORD>(code)); }

}  // namespace quillmark
