#pragma once
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>

#include "app/settings_file.h"
#include "app/settings_slot.h"
#include "app/startup_lists.h"
#include "app/failure_report.h"
#include "app/tfrm_run.h"
#include "inventory/startup_scope.h"
#include "tests/stand_ins/counting_image_list.h"
#include "tests/stand_ins/memory_profile.h"
#include "tests/stand_ins/portable_platform.h"
#include "shellpath/shell_services.h"
#include "tests/app/recording_main_view.h"

namespace quillmark::app_testing {

inline const char kDocuments[] = "C:\\Users\\Quill\\Documents";
inline const wchar_t kDataFolderPath[] = L"C:\\Users\\Quill\\Documents\\Quillmark";
inline const wchar_t kSettingsPath[] = L"C:\\Users\\Quill\\Documents\\Quillmark\\default.ini";
inline const wchar_t kRunPath[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline const wchar_t kShellFoldersPath[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
inline const wchar_t kProgramPath[] = L"C:\\Program Files\\Quillmark\\Quillmark.exe";
// The user the stand-in process runs as.
inline const wchar_t kUserSid[] = L"S-1-5-21-7-1001";

// A main window's surroundings: the portable platform with a documents
// folder, an in-memory settings file, a counting image list, a recording view.
struct MainWindowStandIns {
    PortablePlatform platform;
    MemoryProfile profile;
    CountingImageList images;
    RecordingMainView view;
    bool wow64 = false;
    bool elevated = false;

    MainWindowStandIns() {
        platform.shell().SetFolderPath(kCsidlPersonal, kDocuments);
        platform.files().AddFolder(L"C:\\Users\\Quill\\Documents");
        platform.shell().SetFolderPath(kCsidlCommonAppData, "C:\\ProgramData");
        platform.files().AddFolder(L"C:\\ProgramData");
        platform.registry().CreateKey(RegistryRoot::CurrentUser, kRunPath);
        platform.registry().CreateKey(RegistryRoot::LocalMachine, kRunPath);
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
};

// What a feature of the main window works with, without the window's other
// features: the lists (open, nothing loaded), the open settings file and the
// failure report.
struct FeatureWorld : MainWindowStandIns {
    SettingsSlot settings;
    StartupLists lists{view, platform.View(), images, LoadThreads{}};
    FailureReport failures{view, platform.View(), [this] { return elevated; }, kProgramPath, kUserSid};

    FeatureWorld() {
        lists.Open();
        settings.Open(std::make_unique<SettingsFile>(profile, kSettingsPath));
    }
    // Shows the tab's list as the user would see it.
    void Load(int tab) {
        view.tabIndex = tab;
        lists.LoadSelectedTab();
    }
};

// Counts the worker threads whose work has ended: each takes a token when
// it starts and drops it as its very last step, after any wake-up it makes.
class WorkerEnds {
public:
    ThreadSetup Setup() {
        return [this] { return std::shared_ptr<void>(this, [](WorkerEnds* ends) { ends->Ended(); }); };
    }
    // False when fewer than `count` workers ended within a few seconds.
    bool WaitFor(int count) {
        std::unique_lock lock(mutex_);
        return ended_.wait_for(lock, std::chrono::seconds(5), [&] { return count_ >= count; });
    }

private:
    void Ended() {
        const std::lock_guard lock(mutex_);
        ++count_;
        ended_.notify_all();
    }
    std::mutex mutex_;
    std::condition_variable ended_;
    int count_ = 0;
};

// The whole main window's behaviour on the stand-ins.
struct TfrmRunWorld : MainWindowStandIns {
    WorkerEnds workerEnds;
    std::unique_ptr<TfrmRun> form;

    // `iconThreads`: how many workers may ask the shell for icons at once;
    // `readRowsApart`: whether a load's rows are read on a thread of their own.
    explicit TfrmRunWorld(unsigned iconThreads = 1, bool readRowsApart = false) {
        MainWindowServices services{platform.View(), profile, images, [this] { return wow64; },
                                    [this] { return elevated; }, kProgramPath, std::nullopt};
        services.loadThreads.iconThreads = iconThreads;
        services.loadThreads.readRowsApart = readRowsApart;
        services.loadThreads.setup = workerEnds.Setup();
        form = std::make_unique<TfrmRun>(view, std::move(services));
        view.onEnterField = [this](Role field) { form->Panel().FieldEntered(field); };
    }

    // Hands read rows over as the window does on each wake-up, until the
    // last load's rows are shown; false when the reader stops delivering.
    bool PumpRows() {
        while (true) {
            const int seen = view.WakeUps();
            form->Lists().RowsRead();
            if (!form->Lists().RowsAwaited()) return true;
            if (!view.WaitForWakeUp(seen)) return false;
        }
    }
    // Hands icons over as the window does on each wake-up, until the last
    // load has all of its icons; false when the worker stops delivering.
    bool PumpIcons() {
        while (true) {
            const int seen = view.WakeUps();
            form->Lists().IconsArrived();
            if (form->Lists().IconsAwaited() == 0) return true;
            if (!view.WaitForWakeUp(seen)) return false;
        }
    }
};

}  // namespace quillmark::app_testing
