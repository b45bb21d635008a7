#include "tests/contract/manifest_staging.h"

#include "platform/file_system.h"
#include "tests/stand_ins/manifest_table.h"

namespace quillmark {

namespace {

std::string Escaped(const std::wstring& text) {
    std::string out;
    for (const char c : Utf8(text)) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
    return out;
}

}  // namespace

std::string Utf8(const std::wstring& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto code = static_cast<std::uint32_t>(text[i]);
        if (code >= 0xD800 && code < 0xDC00 && i + 1 < text.size()) {
            code = 0x10000 + ((code - 0xD800) << 10) + (static_cast<std::uint32_t>(text[++i]) - 0xDC00);
        }
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return out;
}

void StageManifest(ContractTest& test, const Platform& platform, const std::wstring& path, const std::string& text,
                   const std::optional<std::vector<ManifestStartupTask>>& declares) {
    ASSERT_EQ(platform.files.WriteFile(path, std::vector<std::uint8_t>(text.begin(), text.end())), kErrorSuccess)
        << testing::PrintToString(path);
    test.RemoveAfterwards(path);
    if (auto* table = dynamic_cast<ManifestTable*>(&platform.manifests); table != nullptr && declares)
        table->Set(path, *declares);
}

std::string ManifestText(const std::wstring& appExecutable, const std::vector<ManifestStartupTask>& tasks) {
    std::string text =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
        "<Package xmlns=\"http://schemas.microsoft.com/appx/manifest/foundation/windows10\"\n"
        "  xmlns:uap5=\"http://schemas.microsoft.com/appx/manifest/uap/windows10/5\">\n"
        "  <Applications>\n"
        "    <Application Id=\"App\" Executable=\"" + Escaped(appExecutable) +
        "\" EntryPoint=\"Windows.FullTrustApplication\">\n"
        "      <Extensions>\n";
    for (const ManifestStartupTask& task : tasks) {
        text += "        <uap5:Extension Category=\"windows.startupTask\"";
        if (task.executable != appExecutable) text += " Executable=\"" + Escaped(task.executable) + "\"";
        text += ">\n          <uap5:StartupTask TaskId=\"" + Escaped(task.taskId) + "\" Enabled=\"true\"";
        if (!task.displayName.empty()) text += " DisplayName=\"" + Escaped(task.displayName) + "\"";
        text += "/>\n        </uap5:Extension>\n";
    }
    return text + "      </Extensions>\n    </Application>\n  </Applications>\n</Package>\n";
}

}  // namespace quillmark
