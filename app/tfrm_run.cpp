#include "app/tfrm_run.h"

#include "app/data_folder.h"
#include "app/guards.h"
#include "app/main_window_layout.h"
#include "app/settings_file.h"
#include "inventory/load_scope.h"
#include "inventory/windows_start_man.h"
#include "platform/code_page.h"
#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/platform.h"
#include "platform/registry_accessor.h"
#include "shellpath/shell_services.h"

namespace quillmark {

namespace {

// Components drawn off-screen first, so reloading a list or resizing does not flicker.
constexpr const wchar_t* kDoubleBuffered[] = {L"LvCurrentUser", L"LVLocalMachine", L"pnlTop", L"Panel2",
                                              L"PageControl1"};

}  // namespace

TfrmRun::TfrmRun(MainView& view, MainWindowServices services)
    : view_(view),
      services_(std::move(services)),
      iconFetcher_(services_.platform, [this] { view_.PostIconsArrived(); }, services_.workerThreadSetup,
                   services_.iconThreads) {}

TfrmRun::~TfrmRun() = default;

// Guard: swallow. A failure skips the remaining steps; before the last one
// that leaves the timer off and the lists empty until the user reloads.
void TfrmRun::FormCreate() {
    SwallowFailures([&] {
        for (const wchar_t* component : kDoubleBuffered) view_.SetDoubleBuffered(component);

        registry_ = std::make_unique<RegistryAccessor>(services_.platform.registry);
        startMan_ = std::make_unique<TWindowsStartMan>(services_.platform);

        ApplyColumnRule();

        // Under WOW64 the system draws the tabs in its own style.
        view_.SetOwnerDrawTabs(!(services_.isWow64 && services_.isWow64()));

        // Without a documents folder, or when the data folder cannot be made,
        // the settings live in memory for this run and nothing is written:
        // never a settings file at the root of a drive.
        FileSystem& files = services_.platform.files;
        dataFolder_ = DataFolder(services_.platform);
        if (!dataFolder_.empty() && !files.DirectoryExists(dataFolder_)) files.ForceDirectories(dataFolder_);
        const bool haveFolder = !dataFolder_.empty() && files.DirectoryExists(dataFolder_);
        settingsFile_ = std::make_unique<SettingsFile>(services_.profile,
                                                       haveFolder ? dataFolder_ + L"\\default.ini" : std::wstring());

        lastBrowsePath_ = services_.platform.codePage.FromAnsi(
            settingsFile_->ReadString(kKeyDefaultFilePath, std::string()));

        // Only the two tabs there are can be selected; any other stored
        // number leaves the layout's initial page (AllUsers) active. A restart
        // as administrator names the tab it came from.
        const int storedTab =
            services_.startTab ? *services_.startTab : settingsFile_->ReadInteger(kKeyPageControl1, 0);
        if (storedTab == 0 || storedTab == 1) view_.SelectTab(storedTab);

        MakeImageList32Bit(&services_.images);

        view_.SetTimerEnabled(true);
    });
}

// Guard: swallow. The timer fires once per run: it is off before anything can fail.
void TfrmRun::Timer1Timer() {
    view_.SetTimerEnabled(false);
    SwallowFailures([&] { LoadSelectedTab(); });
}

// Guard: the default error box (the load itself guards every row).
void TfrmRun::PageControl1Change() {
    WithDefaultErrorBox(view_, [&] { LoadSelectedTab(); });
}

// Guard: the default error box.
void TfrmRun::Button1Click() {
    WithDefaultErrorBox(view_, [&] { LoadSelectedTab(); });
}

// Guard: swallow; a tab that fails to paint stays as the system left it.
void TfrmRun::PageControl1DrawTab(int tabIndex, TabCanvas& canvas) {
    SwallowFailures([&] {
        if (tabIndex == view_.TabIndex()) canvas.UseBoldFont();
        // Captions are kept as ANSI text; the blanks around them are part of it.
        const std::wstring caption = services_.platform.codePage.RoundTrip(TabCaption(tabIndex));
        canvas.FillBackground();
        canvas.DrawCentredText(caption);
    });
}

// Guard: swallow.
void TfrmRun::FormResize() {
    SwallowFailures([&] {
        const int fieldWidth = view_.OuterWidth() - kEditFieldMargin;
        view_.SetFieldWidth(FieldId::TxtStartName, fieldWidth);
        view_.SetFieldWidth(FieldId::TxtStartPath, fieldWidth);
        ApplyColumnRule();
    });
}

// Guard: swallow. A failed write skips what follows; the window still closes.
void TfrmRun::FormCloseQuery(bool& /*canClose*/) {
    SwallowFailures([&] {
        if (settingsFile_ == nullptr) throw Error(L"The settings file is not open");
        settingsFile_->WriteInteger(kKeyPageControl1, view_.TabIndex());
        FirstExitOffer();
    });
}

// No guard needed: asking the window to close cannot fail.
void TfrmRun::SpeedButton8Click() { view_.Close(); }

// Guard: swallow; an icon that cannot be shown leaves its rows as they are.
void TfrmRun::IconsArrived() {
    SwallowFailures([&] {
        ScopeList& rows = Rows(iconList_);
        for (IconFetcher::Arrived& arrived : iconFetcher_.TakeArrived()) {
            if (arrived.program >= iconRequests_.size()) continue;
            const IconRequest& request = iconRequests_[arrived.program];
            if (iconsAwaited_ > 0) --iconsAwaited_;
            const ProgramLookup& lookup = arrived.lookup;
            const int index = programIcons_.Take(services_.images, lookup.key, lookup.iconAsked, lookup.icon.get());
            for (const std::size_t row : request.rows) {
                if (row < rows.rows.size() && rows.rows[row].iconIndex != index)
                    view_.SetRowIcon(iconList_, static_cast<int>(row), index);
            }
            SetRequestIcon(rows, request, index);
            SetRequestPresence(rows, request, lookup.presence);
        }
    });
}

void TfrmRun::LoadSelectedTab() {
    // Whatever the last load still waits for belongs to rows about to go.
    iconFetcher_.Cancel();
    iconRequests_.clear();
    iconsAwaited_ = 0;
    const int tabIndex = view_.TabIndex();
    if (tabIndex != 0 && tabIndex != 1) return;
    const StartupScope scope = tabIndex == 0 ? StartupScope::CurrentUser : StartupScope::AllUsers;
    const ListId list = tabIndex == 0 ? ListId::LvCurrentUser : ListId::LVLocalMachine;
    ScopeList& rows = Rows(list);

    InventoryContext context = Inventory();
    iconRequests_ = LoadScopeRows(context, scope, rows, programIcons_);
    iconList_ = list;
    view_.ShowRows(list, rows);
    FetchIcons();
    view_.FocusList(list);
    // The list was emptied and refilled, so the last row ends up the only
    // selected one; it is not scrolled into view.
    if (!rows.rows.empty()) {
        const int last = static_cast<int>(rows.rows.size()) - 1;
        for (StartupEntry& row : rows.rows) row.selected = false;
        rows.rows.back().selected = true;
        view_.SelectRow(list, last);
    }
}

void TfrmRun::FetchIcons() {
    std::vector<IconFetcher::Program> programs;
    programs.reserve(iconRequests_.size());
    for (const IconRequest& request : iconRequests_) programs.push_back({request.program, request.known});
    iconsAwaited_ = programs.size();
    iconFetcher_.Fetch(std::move(programs));
}

const ScopeList& TfrmRun::Rows(ListId list) const noexcept {
    switch (list) {
    case ListId::LvCurrentUser: return lvCurrentUser_;
    case ListId::LVLocalMachine: return lvLocalMachine_;
    case ListId::TntListView1: break;
    }
    return tntListView1_;
}

ScopeList& TfrmRun::Rows(ListId list) noexcept {
    return const_cast<ScopeList&>(static_cast<const TfrmRun&>(*this).Rows(list));
}

InventoryContext TfrmRun::Inventory() {
    if (registry_ == nullptr || startMan_ == nullptr) throw Error(L"The startup inventory is not available");
    return InventoryContext{services_.platform, *registry_, *startMan_, services_.images,
                            ShortcutWorkers{services_.shortcutThreads, services_.workerThreadSetup}};
}

void TfrmRun::ApplyColumnRule() {
    const int locationWidth = view_.PageWidth() - kNameColumnWidth - kLocationColumnMargin;
    for (ListId list : {ListId::LvCurrentUser, ListId::LVLocalMachine}) {
        view_.SetColumnWidth(list, 0, kNameColumnWidth);
        view_.SetColumnWidth(list, 1, locationWidth);
    }
}

}  // namespace quillmark
