#include <windows.h>

#include <map>
#include <optional>
#include <vector>

#include "platform/win32/win32_platform.h"
#include "tests/shellpath/command_line_world.h"

namespace quillmark {
namespace {

// The test process's own environment, read through GetEnvironmentVariableW
// as the program does. Every variable touched is restored afterwards.
class Win32World final : public CommandLineWorld {
public:
    ~Win32World() override {
        for (const auto& [name, value] : saved_) {
            SetEnvironmentVariableW(name.c_str(), value ? value->c_str() : nullptr);
        }
    }
    Platform View() override { return platform_.View(); }
    void SetVariable(const std::wstring& name, const std::wstring& value) override {
        Save(name);
        SetEnvironmentVariableW(name.c_str(), value.c_str());
    }
    void UnsetVariable(const std::wstring& name) override {
        Save(name);
        SetEnvironmentVariableW(name.c_str(), nullptr);
    }

private:
    void Save(const std::wstring& name) {
        if (saved_.count(name) != 0) return;
        const DWORD size = GetEnvironmentVariableW(name.c_str(), nullptr, 0);
        if (size == 0) {
            saved_[name] = std::nullopt;
            return;
        }
        std::vector<wchar_t> buffer(size + 1, L'\0');
        GetEnvironmentVariableW(name.c_str(), buffer.data(), size);
        saved_[name] = std::wstring(buffer.data());
    }

    Win32Platform platform_;
    std::map<std::wstring, std::optional<std::wstring>> saved_;
};

INSTANTIATE_TEST_SUITE_P(Win32, CommandLineTest,
                         testing::Values(CommandLineWorldFactory{
                             "Win32", [] { return std::unique_ptr<CommandLineWorld>(new Win32World()); }}),
                         WorldName);

}  // namespace
}  // namespace quillmark
