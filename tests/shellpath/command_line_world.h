#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "platform/platform.h"

namespace quillmark {

// The process environment the command-line rules read, either the stand-in
// map or the real one of the test process. Variables a world changes are put
// back when it goes.
class CommandLineWorld {
public:
    virtual ~CommandLineWorld() = default;
    virtual Platform View() = 0;
    virtual void SetVariable(const std::wstring& name, const std::wstring& value) = 0;
    virtual void UnsetVariable(const std::wstring& name) = 0;
};

struct CommandLineWorldFactory {
    std::string name;
    std::function<std::unique_ptr<CommandLineWorld>()> make;
};

inline std::string WorldName(const testing::TestParamInfo<CommandLineWorldFactory>& info) { return info.param.name; }
inline void PrintTo(const CommandLineWorldFactory& factory, std::ostream* out) { *out << factory.name; }

// Each world starts with SystemRoot = C:\WINDOWS, ProgramFiles =
// C:\Program Files and no UNDEFINED.
class CommandLineTest : public testing::TestWithParam<CommandLineWorldFactory> {
protected:
    void SetUp() override {
        world_ = GetParam().make();
        world_->SetVariable(L"SystemRoot", L"C:\\WINDOWS");
        world_->SetVariable(L"ProgramFiles", L"C:\\Program Files");
        world_->UnsetVariable(L"UNDEFINED");
    }

    std::unique_ptr<CommandLineWorld> world_;
};

}  // namespace quillmark
