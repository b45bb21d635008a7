#pragma once
#include <functional>
#include <string>
#include <vector>

#include "app/main_view.h"
#include "inventory/remove_entries.h"
#include "platform/platform.h"

namespace quillmark {

// What a change to the startup entries could not do, told to the user. Rights
// that are missing can be had by restarting as administrator (on Windows a
// standard user's process never holds them), so the report offers that;
// other failures are only named.
class FailureReport {
public:
    // `isElevated`: true when this process already has an administrator's
    // full rights. `programPath`: this program's own file, started again.
    FailureReport(MainView& view, Platform platform, std::function<bool()> isElevated, std::wstring programPath);

    // `heading`, then one line per failure ("name: reason"); when any was
    // refused for missing rights, `restartQuestion` follows and OK restarts
    // elevated on the selected tab. This instance closes only once the
    // elevated one runs; a declined elevation leaves everything as it is.
    void Show(const std::wstring& heading, const std::vector<RemovalFailure>& failures,
              const std::wstring& restartQuestion);

private:
    MainView& view_;
    Platform platform_;
    std::function<bool()> isElevated_;
    std::wstring programPath_;
};

}  // namespace quillmark
