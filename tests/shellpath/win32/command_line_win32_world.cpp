#include <windows.h>

#include <map>
#include <optional>
#include <vector>

#include "platform/win32/win32_platform.h"
#include "tests/shellpath/command_line_world.h"

namespace quillmark {
namespace {

// The test process's own environment, read through GetEnvironmentVariableA
// as the program does. Every variable touched is restored afterwards.
class Win32World final : public CommandLineWorld {
public:
    ~Win32World() override {
        for (const auto& [name, value] : saved_) {
            SetEnvironmentVariableA(name.c_str(), value ? value->c_str() : nullptr);
        }
    }
    Platform View() override { return platform_.View(); }
    void SetVariable(const std::string& name, const std::string& value) override {
        Save(name);
        SetEnvironmentVariableA(name.c_str(), value.c_str());
    }
    void UnsetVariable(const std::string& name) override {
        Save(name);
        SetEnvironmentVariableA(name.c_str(), nullptr);
    }

private:
    void Save(const std::string& name) {
        if (saved_.count(name) != 0) return;
        const DWORD size = GetEnvironmentVariableA(name.c_str(), nullptr, 0);
        if (size == 0) {
            saved_[name] = std::nullopt;
            return;
        }
        std::vector<char> buffer(size + 1, '\0');
        GetEnvironmentVariableA(name.c_str(), buffer.data(), size);
        saved_[name] = std::string(buffer.data());
    }

    Win32Platform platform_;
    std::map<std::string, std::optional<std::string>> saved_;
};

INSTANTIATE_TEST_SUITE_P(Win32, CommandLineTest,
                         testing::Values(CommandLineWorldFactory{
                             "Win32", [] { return std::unique_ptr<CommandLineWorld>(new Win32World()); }}),
                         WorldName);

}  // namespace
}  // namespace quillmark
