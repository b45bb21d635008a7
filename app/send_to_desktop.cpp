// "&Send to Desktop" and the offer made on the first close: both put a copy
// of Quillmark into DataFolder with a desktop shortcut to it.
#include "app/desktop_copy.h"
#include "app/guards.h"
#include "app/settings_file.h"
#include "app/tfrm_run.h"
#include "app/web_pages.h"
#include "platform/file_system.h"
#include "platform/shell.h"

namespace quillmark {

namespace {

constexpr wchar_t kSendToDesktopQuestion[] =
    L"Would you like to send Quillmark to My Documents and create a desktop shortcut?";

// Only OK counts as yes; Escape and the close box answer Cancel.
bool UserWantsDesktopCopy(MainView& view) {
    return view.ShowMessage(kSendToDesktopQuestion, L"Information", MessageKind::Information,
                            MessageButtons::OkCancel) == MessageAnswer::Ok;
}

}  // namespace

// Guard: the default error box. Steps done before a failure stay done, for
// example a copy without its shortcut.
void TfrmRun::SpeedButton6Click() {
    WithDefaultErrorBox(view_, [&] {
        if (!UserWantsDesktopCopy(view_)) return;
        InstallDesktopCopy(services_.platform);
        ShowDesktop(services_.platform);
    });
}

// Runs inside FormCloseQuery's guard: a failure ends it silently and the
// window closes all the same.
void TfrmRun::FirstExitOffer() {
    if (settingsFile_ == nullptr || !settingsFile_->ReadBool(kKeyNeedSendToDesk, true)) return;
    // Written before anything else, so the offer is made at most once
    // whatever happens next.
    settingsFile_->WriteBool(kKeyNeedSendToDesk, false);

    const Platform& platform = services_.platform;
    const DesktopCopyPlan plan = PlanDesktopCopy(platform);
    // A copy already there (this may be it) is not offered again.
    if (!platform.files.FileExists(plan.programCopy) && UserWantsDesktopCopy(view_)) {
        // The desktop is not toggled here: the window is closing.
        std::wstring failure;
        CopyProgramWithShortcut(platform, plan, failure);
    }
    OpenWebPage(platform, WebPage::ThankYou, kSwShowNormal);
}

}  // namespace quillmark
