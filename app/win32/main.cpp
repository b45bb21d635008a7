// Program start: COM for the main thread, the main window (which runs
// FormCreate), the hidden About window, then the message loop until the main
// window has closed.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "app/data_folder.h"
#include "app/elevated_restart.h"
#include "app/win32/about_window.h"
#include "app/win32/dpi_scale.h"
#include "app/win32/gdi_handles.h"
#include "app/win32/main_window.h"
#include "platform/win32/elevation.h"
#include "platform/win32/shell_handles.h"
#include "platform/win32/trace_log.h"
#include "platform/win32/win32_image_list.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_profile.h"
#include "resources/resource_ids.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int showCommand) {
    using namespace quillmark;
    // Before anything can load a DLL: look for DLLs in System32 only. The exe
    // is unpacked wherever the zip landed (Downloads, a USB stick), and a DLL
    // planted beside it would otherwise be loaded, with an administrator's
    // rights after a restart as administrator. The exe imports only KnownDLLs
    // and the side-by-side common controls, which this search order leaves
    // as they are.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    // A program on a drive without media must not raise Windows' "no disk"
    // box while its file is looked at; the look then simply fails.
    SetErrorMode(SetErrorMode(0) | SEM_FAILCRITICALERRORS);
    // Single-threaded apartment: the shell link, shell and automation
    // objects are used from this thread only.
    const UniqueComApartment apartment(SUCCEEDED(CoInitialize(nullptr)));

    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    Win32Platform win32;
    const Platform platform = win32.View();
    // Failures nobody is told of go to the debugger and, for a normal start,
    // to a log in the data folder. An administrator's instance writes no log
    // there: any program of the user's can plant a link in that folder.
    const std::wstring dataFolder = RunningElevated() ? std::wstring() : DataFolder(platform);
    StartTraceLog(dataFolder.empty() ? std::wstring() : dataFolder + L"\\Quillmark.log");
    Win32Profile profile;
    // The lists' shared image list with its built-in image at index 0, sized for the system
    // DPI until the window knows its screen's; it outlives the lists that show it.
    Win32ImageList images(DpiScale().Metric(SM_CXSMICON), [instance](int size) {
        return UniqueIcon(static_cast<HICON>(
            LoadImageW(instance, MAKEINTRESOURCEW(QM_IDI_BUILTIN), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
    });

    // A restart as administrator names the tab it came from and the user who asked for it.
    const std::optional<RestartRequest> restart = RestartFromCommandLine(commandLine != nullptr ? commandLine : L"");
    TfrmRunWindow frmRun(platform, profile, images, restart ? std::optional<int>(restart->tab) : std::nullopt,
                         restart ? restart->userSid : std::wstring());
    frmRun.Create();
    if (frmRun.Handle() == nullptr) return 1;
    // Dialogs the shell shows (a shortcut's Resolve search, the folder
    // picker) are modal to the main window.
    win32.links().SetOwnerWindow(frmRun.Handle());
    win32.shell().SetOwnerWindows(frmRun.Handle(), frmRun.Handle());
    TFrmAboutWindow frmAbout(platform, frmRun.Logic().WebPageRefusal());
    frmAbout.Create(frmRun.Handle());
    frmRun.SetAboutWindow(&frmAbout);

    ShowWindow(frmRun.Handle(), showCommand);
    UpdateWindow(frmRun.Handle());

    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (frmRun.PreTranslate(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
