#include "app/desktop_copy_offer.h"

#include "app/desktop_copy.h"
#include "app/guards.h"
#include "app/settings_slot.h"
#include "app/texts.h"
#include "app/web_pages.h"
#include "platform/file_system.h"
#include "platform/shell.h"

namespace quillmark {

namespace {

// Only OK counts as yes; Escape and the close box answer Cancel.
bool UserWantsDesktopCopy(MainView& view) {
    return view.ShowMessage(texts::kSendToDesktopQuestion, texts::kInformation, MessageKind::Information,
                            MessageButtons::OkCancel) == MessageAnswer::Ok;
}

}  // namespace

// Steps done before a failure stay done, for
// example a copy without its shortcut.
void DesktopCopyOffer::SendToDesktop() {
    WithDefaultErrorBox(view_, [&] {
        if (!UserWantsDesktopCopy(view_)) return;
        InstallDesktopCopy(platform_);
        ShowDesktop(platform_);
    });
}

void DesktopCopyOffer::MakeFirstExitOffer() {
    SettingsFile* settings = settings_.Get();
    if (settings == nullptr || !settings->ReadBool(kKeyNeedSendToDesk, true)) return;
    // Written before anything else, so the offer is made at most once
    // whatever happens next.
    settings->WriteBool(kKeyNeedSendToDesk, false);

    const DesktopCopyPlan plan = PlanDesktopCopy(platform_);
    // A copy already there (this may be it) is not offered again.
    if (!platform_.files.FileExists(plan.programCopy) && UserWantsDesktopCopy(view_)) {
        // The desktop is not toggled here: the window is closing.
        std::wstring failure;
        CopyProgramWithShortcut(platform_, plan, failure);
    }
    OpenWebPage(platform_, WebPage::ThankYou, kSwShowNormal);
}

}  // namespace quillmark
