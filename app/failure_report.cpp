#include "app/failure_report.h"

#include <algorithm>

#include "app/elevated_restart.h"
#include "app/texts.h"
#include "platform/registry.h"
#include "platform/shell.h"

namespace quillmark {

FailureReport::FailureReport(MainView& view, Platform platform, std::function<bool()> isElevated,
                             std::wstring programPath, std::wstring userSid)
    : view_(view),
      platform_(platform),
      isElevated_(std::move(isElevated)),
      programPath_(std::move(programPath)),
      userSid_(std::move(userSid)) {}

void FailureReport::Show(const std::wstring& heading, const std::vector<RemovalFailure>& failures,
                         const std::wstring& restartQuestion, const std::wstring& note) {
    std::wstring text = heading;
    for (const RemovalFailure& failure : failures) text += L"\n" + failure.name + L": " + failure.reason;
    if (!note.empty()) text += L"\n\n" + note;
    const bool refused = std::any_of(failures.begin(), failures.end(), [](const auto& f) { return f.accessDenied; });
    Present(std::move(text), refused, restartQuestion);
}

void FailureReport::Show(const Error& failure, const std::wstring& restartQuestion) {
    Present(failure.message(), failure.accessDenied(), restartQuestion);
}

void FailureReport::Present(std::wstring text, bool refused, const std::wstring& restartQuestion) {
    const bool offerElevation = refused && !(isElevated_ && isElevated_());
    if (offerElevation) text += restartQuestion;
    const MessageAnswer answer = view_.ShowMessage(text, texts::kError, MessageKind::Error,
                                                   offerElevation ? MessageButtons::OkCancel : MessageButtons::Ok);
    if (!offerElevation || answer != MessageAnswer::Ok) return;
    const std::uint32_t error = RestartElevated(platform_, programPath_, view_.TabIndex(), userSid_);
    // The user's own No to the consent prompt needs no word.
    if (error == kErrorCancelled) return;
    if (error != kErrorSuccess) {
        view_.ShowMessage(texts::RestartFailed(platform_.registry.MessageFor(error)), texts::kError,
                          MessageKind::Error, MessageButtons::Ok);
        return;
    }
    restartStarted_ = true;
    view_.Close();
}

}  // namespace quillmark
