#pragma once
#include <functional>
#include <string>
#include <vector>

#include "app/main_view.h"
#include "inventory/remove_entries.h"
#include "platform/error.h"
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
    // `userSid`: this process's user, named to the elevated instance.
    FailureReport(MainView& view, Platform platform, std::function<bool()> isElevated, std::wstring programPath,
                  std::wstring userSid = {});

    // `heading`, then one line per failure ("name: reason"), then `note`
    // when there is one; when any was refused for missing rights,
    // `restartQuestion` follows and OK restarts elevated on the selected tab.
    // This instance closes only once the elevated one runs; a declined
    // elevation leaves everything as it is, and a restart the shell could
    // not start is reported.
    void Show(const std::wstring& heading, const std::vector<RemovalFailure>& failures,
              const std::wstring& restartQuestion, const std::wstring& note = {});
    // One failure told in its own words, with the same offer when it was a refusal.
    void Show(const Error& failure, const std::wstring& restartQuestion);
    // True once this instance has started the elevated one and asked its
    // window to close: that close is not the user's.
    bool RestartStarted() const noexcept { return restartStarted_; }

private:
    void Present(std::wstring text, bool refused, const std::wstring& restartQuestion);

    MainView& view_;
    Platform platform_;
    std::function<bool()> isElevated_;
    std::wstring programPath_;
    std::wstring userSid_;
    bool restartStarted_ = false;
};

}  // namespace quillmark
