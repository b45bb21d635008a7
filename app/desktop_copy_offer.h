#pragma once
#include "app/main_view.h"
#include "platform/platform.h"

namespace quillmark {

class SettingsSlot;

// "&Send to Desktop" and the offer made on the first close: both put a copy
// of Quillmark into DataFolder with a desktop shortcut to it.
class DesktopCopyOffer {
public:
    DesktopCopyOffer(MainView& view, Platform platform, SettingsSlot& settings)
        : view_(view), platform_(platform), settings_(settings) {}

    void SendToDesktop();
    // Asked once in the life of the settings file, as the window closes.
    // Carries no guard: the close's own guard ends it silently on a failure.
    void MakeFirstExitOffer();

private:
    MainView& view_;
    Platform platform_;
    SettingsSlot& settings_;
};

}  // namespace quillmark
