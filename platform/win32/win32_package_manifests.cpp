#include "platform/win32/win32_package_manifests.h"

#include <windows.h>
#include <objbase.h>
#include <xmllite.h>

#include <cstdint>
#include <string_view>

#include "platform/trace.h"
#include "platform/win32/handles.h"
#include "platform/win32/system_library.h"

namespace quillmark {

namespace {

using CreateXmlReaderFunction = HRESULT(WINAPI*)(REFIID, void**, IMalloc*);

CreateXmlReaderFunction XmlReaderFactory() noexcept {
    static const CreateXmlReaderFunction factory = []() noexcept -> CreateXmlReaderFunction {
        const HMODULE library = LoadSystemLibrary(L"xmllite.dll");
        if (library == nullptr) return nullptr;
        return reinterpret_cast<CreateXmlReaderFunction>(
            reinterpret_cast<void*>(GetProcAddress(library, "CreateXmlReader")));
    }();
    return factory;
}

bool SameFile(HANDLE a, HANDLE b) {
    BY_HANDLE_FILE_INFORMATION first{};
    BY_HANDLE_FILE_INFORMATION second{};
    return GetFileInformationByHandle(a, &first) && GetFileInformationByHandle(b, &second) &&
           first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
           first.nFileIndexHigh == second.nFileIndexHigh && first.nFileIndexLow == second.nFileIndexLow;
}

UniqueFileHandle OpenForReading(const std::wstring& path, DWORD flags) {
    return UniqueFileHandle(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                        OPEN_EXISTING, flags, nullptr));
}

// Opens the manifest itself, never what a link in its place points at: a
// symbolic link or junction (a name surrogate) is refused. Other reparse
// points (compressed, deduplicated or cloud files) hold the file's own data,
// which only a normal open reads; that open must reach the same file.
UniqueFileHandle OpenManifest(const std::wstring& path) {
    UniqueFileHandle file = OpenForReading(path, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_SEQUENTIAL_SCAN);
    FILE_ATTRIBUTE_TAG_INFO tag{};
    if (!file || !GetFileInformationByHandleEx(file.get(), FileAttributeTagInfo, &tag, sizeof tag) ||
        (tag.FileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return {};
    }
    if (!(tag.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) return file;
    if (IsReparseTagNameSurrogate(tag.ReparseTag)) return {};
    UniqueFileHandle data = OpenForReading(path, FILE_FLAG_SEQUENTIAL_SCAN);
    if (!data || !SameFile(file.get(), data.get())) return {};
    return data;
}

// The whole file into a stream XmlLite can read, unless it is larger than
// any manifest has reason to be.
ComPtr<IStream> ReadManifest(const std::wstring& path) {
    const UniqueFileHandle file = OpenManifest(path);
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.get(), &size) || size.QuadPart <= 0 ||
        static_cast<std::uint64_t>(size.QuadPart) > kMaxManifestBytes) {
        return {};
    }
    ComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.put()))) return {};
    std::uint8_t buffer[64 * 1024];
    std::uint64_t total = 0;
    for (;;) {
        DWORD read = 0;
        if (!::ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr)) return {};
        if (read == 0) break;
        total += read;
        // A file that grows while it is read is held to the same bound.
        ULONG written = 0;
        if (total > kMaxManifestBytes || FAILED(stream->Write(buffer, read, &written)) || written != read) return {};
    }
    const LARGE_INTEGER start{};
    if (FAILED(stream->Seek(start, STREAM_SEEK_SET, nullptr))) return {};
    return stream;
}

std::wstring_view LocalName(IXmlReader& reader) {
    const wchar_t* name = nullptr;
    UINT length = 0;
    if (FAILED(reader.GetLocalName(&name, &length)) || name == nullptr) return {};
    return {name, length};
}

// The value of the element's attribute with this local name and no
// namespace (the manifest's own attributes carry none); empty when absent.
std::wstring Attribute(IXmlReader& reader, std::wstring_view name) {
    std::wstring value;
    for (HRESULT more = reader.MoveToFirstAttribute(); more == S_OK; more = reader.MoveToNextAttribute()) {
        const wchar_t* uri = nullptr;
        UINT uriLength = 0;
        if (LocalName(reader) != name || FAILED(reader.GetNamespaceUri(&uri, &uriLength)) || uriLength != 0) continue;
        const wchar_t* text = nullptr;
        UINT length = 0;
        if (SUCCEEDED(reader.GetValue(&text, &length)) && text != nullptr) value.assign(text, length);
        break;
    }
    reader.MoveToElement();
    return value;
}

// Where the reader stands: one entry per open element from the root down.
// Elements are matched by local name only, since the Extension and
// StartupTask elements come in several namespaces (uap5, desktop, ...).
struct OpenElement {
    std::wstring name;
    std::wstring executable;     // an Application's, or a startup Extension's own or inherited one
    bool startupExtension = false;
};

bool NamesAre(const std::vector<OpenElement>& open, std::initializer_list<std::wstring_view> names) {
    if (open.size() != names.size()) return false;
    auto name = names.begin();
    for (const OpenElement& element : open) {
        if (element.name != *name++) return false;
    }
    return true;
}

// Reads the document through; false on any error the reader reports,
// including a document type (prohibited) and elements nested too deep.
bool CollectStartupTasks(IXmlReader& reader, std::vector<ManifestStartupTask>& tasks) {
    std::vector<OpenElement> open;
    XmlNodeType type = XmlNodeType_None;
    HRESULT result = S_OK;
    while ((result = reader.Read(&type)) == S_OK) {
        if (type == XmlNodeType_EndElement) {
            if (!open.empty()) open.pop_back();
            continue;
        }
        if (type != XmlNodeType_Element) continue;
        // The reader enforces the depth too; this holds should it not.
        if (open.size() >= kMaxManifestDepth) return false;
        OpenElement element{std::wstring(LocalName(reader)), {}, false};
        if (element.name == L"Application" && NamesAre(open, {L"Package", L"Applications"})) {
            element.executable = Attribute(reader, L"Executable");
        } else if (element.name == L"Extension" &&
                   NamesAre(open, {L"Package", L"Applications", L"Application", L"Extensions"})) {
            element.startupExtension = Attribute(reader, L"Category") == L"windows.startupTask";
            element.executable = Attribute(reader, L"Executable");
            if (element.executable.empty()) element.executable = open[2].executable;
        } else if (element.name == L"StartupTask" && open.size() == 5 && open.back().startupExtension &&
                   NamesAre(open, {L"Package", L"Applications", L"Application", L"Extensions", L"Extension"})) {
            tasks.push_back({Attribute(reader, L"TaskId"), Attribute(reader, L"DisplayName"), open.back().executable});
        }
        if (!reader.IsEmptyElement()) open.push_back(std::move(element));
    }
    return result == S_FALSE;
}

}  // namespace

bool Win32PackageManifests::ReadStartupTasks(const std::wstring& path,
                                             std::vector<ManifestStartupTask>& tasks) noexcept {
    try {
        const CreateXmlReaderFunction factory = XmlReaderFactory();
        if (factory == nullptr) return false;
        const ComPtr<IStream> stream = ReadManifest(path);
        ComPtr<IXmlReader> reader;
        if (!stream || FAILED(factory(__uuidof(IXmlReader), reader.put_void(), nullptr))) return false;
        // No document type at all: a manifest has none, and prohibiting it
        // rules out entity expansion and anything fetched from elsewhere.
        if (FAILED(reader->SetProperty(XmlReaderProperty_DtdProcessing, DtdProcessing_Prohibit)) ||
            FAILED(reader->SetProperty(XmlReaderProperty_MaxElementDepth, kMaxManifestDepth)) ||
            FAILED(reader->SetInput(stream.get()))) {
            return false;
        }
        std::vector<ManifestStartupTask> found;
        if (!CollectStartupTasks(*reader.get(), found)) return false;
        tasks = std::move(found);
        return true;
    } catch (...) {
        TraceCaughtFailure();
        return false;
    }
}

}  // namespace quillmark
