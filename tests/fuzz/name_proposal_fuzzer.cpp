// The add panel's name proposal from whatever is typed as the path.
#include <cstddef>
#include <cstdint>

#include "app/name_proposal.h"
#include "shellpath/path_text.h"
#include "tests/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quillmark;
    using fuzz::Require;
    const std::wstring path = fuzz::TextOf(data, size);
    const std::wstring name = ProposedName(path);
    const std::wstring trimmed = Trim(path);
    Require(trimmed.ends_with(name) || trimmed.ends_with(name + L"/"), "the proposal is the end of the path");
    Require(name.find_first_of(L"\\:") == std::wstring::npos, "no folder or drive part");
    if (!trimmed.starts_with(L"http")) {
        Require(name == ExtractFileName(trimmed), "a path proposes its file name");
    } else {
        Require(name.size() + 2 <= ExtractFileName(trimmed).size() || name.empty(),
                "an address loses its two slashes");
    }
    return 0;
}
