#pragma once
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "app/main_view.h"
#include "inventory/icon_fetcher.h"
#include "inventory/inventory_context.h"
#include "inventory/load_scope.h"
#include "inventory/program_icons.h"
#include "inventory/scope_reader.h"
#include "inventory/startup_entry.h"
#include "platform/platform.h"

namespace quillmark {

class ImageList;
class RegistryAccessor;
class TWindowsStartMan;

// How the lists' load uses threads besides the window's own.
struct LoadThreads {
    // Prepares a thread that works with the shell (Windows: its own COM
    // apartment): the icon workers and the threads that read shortcuts.
    ThreadSetup setup = {};
    // How many threads, the window's included, may read a load's shortcuts.
    unsigned shortcutThreads = 1;
    // How many threads may ask the shell for icons at once.
    unsigned iconThreads = 1;
    // Whether a load reads its rows on a thread of its own (set up as the
    // others), handing them to the window's thread through RowsRead; else
    // it reads them on the window's thread and shows them at once.
    bool readRowsApart = false;
};

// The two scopes' lists, what they were loaded from and the icons on their
// way: the state every feature of the main window shares.
class StartupLists {
public:
    StartupLists(MainView& view, Platform platform, ImageList& images, LoadThreads threads);
    ~StartupLists();
    StartupLists(const StartupLists&) = delete;
    StartupLists& operator=(const StartupLists&) = delete;

    // Sets up the registry accessor and the Startup-folder locator; until
    // then Inventory throws.
    void Open();
    // The inventory as Open set it up; throws Error when it is not.
    InventoryContext Inventory();

    // Whether a row is to be selected after a reload.
    using RowChoice = std::function<bool(const StartupEntry&)>;

    // Reloads the selected tab's list, focuses it and selects its last row,
    // or the rows `choose` picks (it is kept until the rows are shown, so it
    // holds what it needs by value). Carries no guard: each command that ends
    // with it has its own. The rows are shown once read (read apart: when
    // RowsRead takes them; the list shows the rows it had until then); icons
    // and whether each program is there follow through IconsArrived, and
    // what is still outstanding from an earlier load is dropped.
    void LoadSelectedTab(const RowChoice& choose = {});
    // Starts reading the selected tab's rows (when they are read apart)
    // without showing them: the next LoadSelectedTab of that tab without a
    // choice of rows shows these rows, at once when they have been read.
    void ReadAhead();
    // Drops the load still outstanding, and any rows read ahead.
    void CancelLoad();
    // Rows read apart since the last call: shown as LoadSelectedTab says. The
    // view asks for it on the window's thread after PostRowsRead.
    void RowsRead();
    // Icons the shell has handed over since the last call: into the image
    // list and onto their rows. The view asks for it on the window's thread
    // after PostIconsArrived.
    void IconsArrived();
    // The image list was started anew at another size (the window moved to
    // a screen of another DPI): the last load's rows show the built-in image
    // and each of their programs' icons is asked for again, at the new size.
    // The other tab's rows get theirs when that tab is loaded again.
    void ImagesResized();
    // Whether the last load's rows are still being read apart.
    bool RowsAwaited() const noexcept { return pendingLoad_.has_value(); }
    // Programs of the last load whose icons have not arrived yet.
    std::size_t IconsAwaited() const noexcept { return iconsAwaited_; }

    const ScopeList& Rows(Role list) const noexcept;
    ScopeList& Rows(Role list) noexcept;
    // The rows the user has selected in the list, in list order.
    std::vector<StartupEntry> SelectedRows(Role list) const;

private:
    // A load whose rows are being read apart.
    struct PendingLoad {
        Role list = Role::CurrentUserList;
        RowChoice choose;
        unsigned long long read = 0;
        unsigned imagesEpoch = 0;  // ImagesResized since: the rows' images are stale
    };
    void ShowLoaded(Role list, ScopeList read, std::vector<IconRequest> requests, const RowChoice& choose);
    void FetchIcons();
    void ShowStatus(Role list, std::size_t row);

    MainView& view_;
    Platform platform_;
    ImageList& images_;
    LoadThreads threads_;
    std::unique_ptr<RegistryAccessor> registry_;
    std::unique_ptr<TWindowsStartMan> startMan_;
    // Each program's image in the shared image list, for as long as the window lives.
    ProgramIcons programIcons_;
    ScopeList currentUserRows_;
    ScopeList allUsersRows_;
    // The last load's programs still to be looked up, and the list they go to.
    std::vector<IconRequest> iconRequests_;
    std::size_t iconsAwaited_ = 0;
    Role iconList_ = Role::CurrentUserList;
    std::optional<PendingLoad> pendingLoad_;
    std::optional<PendingLoad> readAhead_;
    unsigned imagesEpoch_ = 0;
    // Last, so their workers are stopped before anything they hand over to goes.
    IconFetcher iconFetcher_;
    std::unique_ptr<ScopeReader> reader_;  // when rows are read apart
};

}  // namespace quillmark
