#pragma once
#include <memory>
#include <string>

#include "app/settings_file.h"
#include "app/tfrm_run.h"
#include "inventory/startup_scope.h"
#include "platform/portable/counting_image_list.h"
#include "platform/portable/memory_profile.h"
#include "platform/portable/portable_platform.h"
#include "shellpath/shell_services.h"
#include "tests/app/recording_main_view.h"

namespace quillmark::app_testing {

inline const char kDocuments[] = "C:\\Users\\Quill\\Documents";
inline const wchar_t kDataFolderPath[] = L"C:\\Users\\Quill\\Documents\\Quillmark";
inline const wchar_t kSettingsPath[] = L"C:\\Users\\Quill\\Documents\\Quillmark\\default.ini";
inline const wchar_t kRunPath[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline const wchar_t kShellFoldersPath[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
inline const wchar_t kProgramPath[] = L"C:\\Program Files\\Quillmark\\Quillmark.exe";

// A main window's surroundings: the portable platform with a documents
// folder, an in-memory settings file, a counting image list, a recording view.
struct TfrmRunWorld {
    PortablePlatform platform;
    MemoryProfile profile;
    CountingImageList images;
    RecordingMainView view;
    bool wow64 = false;
    bool elevated = false;
    std::unique_ptr<TfrmRun> form;

    // `iconThreads`: how many workers may ask the shell for icons at once.
    explicit TfrmRunWorld(unsigned iconThreads = 1) {
        platform.shell().SetFolderPath(kCsidlPersonal, kDocuments);
        platform.files().AddFolder(L"C:\\Users\\Quill\\Documents");
        platform.registry().CreateKey(RegistryRoot::CurrentUser, kRunPath);
        platform.registry().CreateKey(RegistryRoot::LocalMachine, kRunPath);
        MainWindowServices services{platform.View(), profile, images, [this] { return wow64; },
                                    [this] { return elevated; }, kProgramPath, std::nullopt};
        services.iconThreads = iconThreads;
        form = std::make_unique<TfrmRun>(view, std::move(services));
        view.onEnterField = [this](FieldId field) {
            if (field == FieldId::TxtStartName) {
                form->TxtStartNameEnter();
            } else {
                form->TxtStartPathEnter();
            }
        };
    }

    // The scope's Startup folder, known to the shell and present on disk.
    void AddStartupFolder(StartupScope scope, const std::wstring& folder) {
        platform.registry().SetString(RootOf(scope), kShellFoldersPath,
                                      scope == StartupScope::AllUsers ? L"Common Startup" : L"StartUp", folder);
        platform.files().AddFolder(folder);
    }

    void StoreSetting(const std::string& key, const std::string& value) {
        profile.WriteString(kSettingsPath, kSettingsSection, key, value);
    }
    std::string StoredSetting(const std::string& key) const {
        return profile.RawValue(kSettingsPath, kSettingsSection, key);
    }
    void AddRunValue(StartupScope scope, const std::wstring& name, const std::wstring& data) {
        platform.registry().SetString(RootOf(scope), kRunPath, name, data);
    }
    // Hands icons over as the window does on each wake-up, until the last
    // load has all of its icons; false when the worker stops delivering.
    bool PumpIcons() {
        while (true) {
            const int seen = view.WakeUps();
            form->IconsArrived();
            if (form->IconsAwaited() == 0) return true;
            if (!view.WaitForWakeUp(seen)) return false;
        }
    }
};

}  // namespace quillmark::app_testing
