// Name cleaning, and the add that uses it: whatever name is typed, the
// shortcut lands directly inside the scope's Startup folder or nowhere.
#include <cstddef>
#include <cstdint>

#include "inventory/add_shortcut.h"
#include "platform/error.h"
#include "shellpath/path_text.h"
#include "tests/contract/contract_fixture.h"
#include "tests/fuzz/fuzz_input.h"
#include "tests/inventory/stand_in_inventory.h"

namespace {

const wchar_t kStartup[] = L"C:\\Users\\quill\\Startup";

// Characters no Windows file name may hold: the nine reserved ones and the
// controls U+0000-U+001F.
bool FileNameMayHold(wchar_t c) {
    return c >= 0x20 && std::wstring_view(L"\"/\\:*?<>|").find(c) == std::wstring_view::npos;
}

void CheckCleaning(const std::wstring& text) {
    using quillmark::fuzz::Require;
    const std::wstring name = quillmark::CleanEntryName(text);
    Require(text.starts_with(name), "the cleaned name is a beginning of the text");
    for (const wchar_t c : name) Require(FileNameMayHold(c), "the cleaned name holds only file-name characters");
    const auto blank = name.find(L' ');
    Require(blank == std::wstring::npos || blank + 1 == name.size(), "a blank only as the last character");
    if (name.size() < text.size()) {
        const wchar_t next = text[name.size()];
        Require(!FileNameMayHold(next) || name.ends_with(L' '), "the cut is at a forbidden character or a blank");
    }
}

void CheckAdd(const std::wstring& text) {
    using namespace quillmark;
    using fuzz::Require;
    StandInInventory inventory;
    inventory.world_.registry().SetString(RegistryRoot::CurrentUser, kShellFoldersPath, L"StartUp", kStartup);
    inventory.world_.files().AddFolder(kStartup);
    try {
        AddStartupShortcut(inventory.context_, StartupScope::CurrentUser, text, L"C:\\Tools\\app.exe", false, {});
    } catch (const Error&) {
        Require(inventory.world_.files().Children(kStartup).empty(), "a failed add writes nothing");
        return;
    }
    const auto written = inventory.world_.files().Children(kStartup);
    Require(written.size() == 1, "one shortcut, in the Startup folder itself");
    Require(written.front() == CleanEntryName(Trim(text)) + L".lnk", "named after the cleaned name");
    Require(inventory.world_.files().Children(L"C:\\").size() == 1, "nothing beside the folder's tree");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::wstring text = quillmark::fuzz::TextOf(data, size);
    CheckCleaning(text);
    CheckAdd(text);
    return 0;
}
