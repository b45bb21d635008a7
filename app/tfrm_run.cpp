#include "app/tfrm_run.h"

#include "app/command_table.h"
#include "app/data_folder.h"
#include "app/guards.h"
#include "app/keys.h"
#include "app/main_window_layout.h"
#include "app/window_keys.h"
#include "app/other_account.h"
#include "app/texts.h"
#include "inventory/load_scope.h"
#include "platform/code_page.h"
#include "platform/file_system.h"
#include "shellpath/shell_services.h"

namespace quillmark {

namespace {

// Controls drawn off-screen first, so reloading a list or resizing does not flicker.
constexpr Role kDoubleBuffered[] = {Role::CurrentUserList, Role::AllUsersList, Role::Toolbar, Role::BottomPanel,
                                    Role::TabStrip};

}  // namespace

TfrmRun::TfrmRun(MainView& view, MainWindowServices services)
    : view_(view),
      services_(std::move(services)),
      lists_(view_, services_.platform, services_.images, services_.loadThreads),
      failureReport_(view_, services_.platform, services_.isElevated, services_.programPath, services_.account.sid),
      rowCommands_(view_, lists_, services_.platform, failureReport_),
      addPanel_(view_, lists_, services_.platform, settings_, failureReport_),
      launchers_(view_, lists_, services_.platform),
      helpMenu_(view_, services_.platform),
      desktopCopy_(view_, services_.platform, settings_) {}

// A failure skips the remaining steps; before the last one
// that leaves the timer off and the lists empty until the user reloads.
void TfrmRun::FormCreate() {
    SwallowFailures([&] {
        for (const Role control : kDoubleBuffered) view_.SetDoubleBuffered(control);

        lists_.Open();

        ApplyColumnRule();

        // Under WOW64 the system draws the tabs in its own style, with the
        // tab's own text: the other account's caption must be that text.
        view_.SetOwnerDrawTabs(!(services_.isWow64 && services_.isWow64()));
        if (ForOtherAccount()) view_.SetTabCaption(0, texts::OtherAccountTabCaption(services_.account.accountName));

        // Without a documents folder, or when the data folder cannot be made,
        // the settings live in memory for this run and nothing is written:
        // never a settings file at the root of a drive. Another account's
        // documents are not the asking user's: nothing is written there either.
        FileSystem& files = services_.platform.files;
        const std::wstring dataFolder = ForOtherAccount() ? std::wstring() : DataFolder(services_.platform);
        if (!dataFolder.empty() && !files.DirectoryExists(dataFolder)) files.ForceDirectories(dataFolder);
        const bool haveFolder = !dataFolder.empty() && files.DirectoryExists(dataFolder);
        settings_.Open(std::make_unique<SettingsFile>(services_.profile,
                                                      haveFolder ? dataFolder + L"\\default.ini" : std::wstring()));
        SettingsFile& settings = settings_.Required();

        addPanel_.SetLastBrowsePath(
            services_.platform.codePage.FromAnsi(settings.ReadString(kKeyDefaultFilePath, std::string())));

        // Only the two tabs there are can be selected; any other stored
        // number leaves the layout's initial page (AllUsers) active. A restart
        // as administrator names the tab it came from.
        const int storedTab = ForOtherAccount()      ? 1
                              : services_.startTab ? *services_.startTab
                                                   : settings.ReadInteger(kKeySelectedTab, 0);
        if (storedTab == 0 || storedTab == 1) view_.SelectTab(storedTab);

        MakeImageList32Bit(&services_.images);

        view_.SetTimerEnabled(true);
        // The timer shows the rows; reading them may start now.
        if (LoadsSelectedTab()) lists_.ReadAhead();
    });
}

// A failed write skips what follows; the window still closes.
void TfrmRun::FormCloseQuery(bool& /*canClose*/) {
    SwallowFailures([&] {
        settings_.Required().WriteInteger(kKeySelectedTab, view_.TabIndex());
        // Closing for the restart as administrator is not the user's close:
        // the offer stays due for that. Another account's instance makes none:
        // it would copy into that account's documents and desktop.
        if (!failureReport_.RestartStarted() && !ForOtherAccount()) desktopCopy_.MakeFirstExitOffer();
    });
}

void TfrmRun::FormResize() {
    SwallowFailures([&] {
        const int fieldWidth = view_.OuterWidth() - kEditFieldMargin;
        view_.SetFieldWidth(Role::NameField, fieldWidth);
        view_.SetFieldWidth(Role::PathField, fieldWidth);
        ApplyColumnRule();
    });
}

// The timer fires once per run: it is off before anything can fail.
void TfrmRun::LoadOnStart() {
    view_.SetTimerEnabled(false);
    SwallowFailures([&] { LoadSelectedTab(); });
}

// A tab that fails to paint stays as the system left it.
void TfrmRun::DrawTab(int tabIndex, TabCanvas& canvas) {
    SwallowFailures([&] {
        if (tabIndex == view_.TabIndex()) canvas.UseBoldFont();
        // Captions are kept as ANSI text; the blanks around them are part of
        // it. An account's name is shown whole.
        const std::wstring caption = tabIndex == 0 && ForOtherAccount()
                                         ? texts::OtherAccountTabCaption(services_.account.accountName)
                                         : services_.platform.codePage.RoundTrip(TabCaption(tabIndex));
        canvas.FillBackground();
        canvas.DrawCentredText(caption);
    });
}

// Each command's handler carries its own guard.
void TfrmRun::Execute(Command command) {
    if (RefusedForOtherAccount(command)) return;
    if (const auto run = RowOf(command).run) run(*this);
}

void TfrmRun::ListDoubleClicked() { Execute(Command::OpenSelected); }

// The row commands carry their own guards.
void TfrmRun::ListKeyDown(int key) { Execute(ListKeyCommand(key)); }

// The add panel carries its own guards.
void TfrmRun::FieldKeyDown(Role field, int key) {
    if (key != kKeyEnter || !RefusedForOtherAccount(Command::ConfirmAdd)) addPanel_.FieldKeyDown(field, key);
}

// A failure to tell leaves the item enabled: the command reports for itself.
bool TfrmRun::IsEnabled(Command command) {
    try {
        if (ForOtherAccount() && RefusalForOtherAccount(command, view_.TabIndex()) != OtherAccountRefusal::None) {
            return false;
        }
        const auto enabled = RowOf(command).enabled;
        return enabled == nullptr || enabled(*this);
    } catch (...) {
        TraceCaughtFailure();
        return true;
    }
}

void TfrmRun::Refresh() {
    WithDefaultErrorBox(view_, [&] { LoadSelectedTab(); });
}

// The load itself guards every row.
void TfrmRun::SwitchTab() {
    WithDefaultErrorBox(view_, [&] { LoadSelectedTab(); });
}

bool TfrmRun::ForOtherAccount() const {
    // Only a restart names a user, so a normal start never asks the token.
    return !services_.askingUserSid.empty() && services_.askingUserSid != services_.account.sid &&
           services_.isElevated && services_.isElevated();
}

std::wstring TfrmRun::WebPageRefusal() const {
    return ForOtherAccount() ? texts::NotStartedAsAdministrator(services_.account.accountName) : std::wstring();
}

bool TfrmRun::LoadsSelectedTab() const { return !ForOtherAccount() || view_.TabIndex() == 1; }

void TfrmRun::LoadSelectedTab() {
    if (LoadsSelectedTab()) return lists_.LoadSelectedTab();
    lists_.CancelLoad();
    view_.ShowRows(Role::CurrentUserList, ScopeList{});
    view_.ShowMessage(texts::OtherAccountsItems(services_.account.accountName), texts::kInformation,
                      MessageKind::Information, MessageButtons::Ok);
}

// Telling cannot fail in a way the user could act on.
bool TfrmRun::RefusedForOtherAccount(Command command) {
    if (!ForOtherAccount()) return false;
    const OtherAccountRefusal refusal = RefusalForOtherAccount(command, view_.TabIndex());
    if (refusal == OtherAccountRefusal::None) return false;
    const std::wstring& account = services_.account.accountName;
    SwallowFailures([&] {
        view_.ShowMessage(refusal == OtherAccountRefusal::CurrentUsersScope ? texts::OtherAccountsItems(account)
                                                                            : WebPageRefusal(),
                          texts::kInformation, MessageKind::Information, MessageButtons::Ok);
    });
    return true;
}

// No guard needed: asking the window to close cannot fail.
// Selecting a tab cannot fail; the load carries its own guard.
void TfrmRun::SelectNeighbourTab(bool backwards) {
    view_.SelectTab(NeighbourTab(view_.TabIndex(), TabCount(), backwards));
    SwitchTab();
}

void TfrmRun::Exit() { view_.Close(); }

void TfrmRun::ApplyColumnRule() {
    // The location takes what the name, the status and the place leave.
    const int locationWidth =
        view_.PageWidth() - kNameColumnWidth - kStatusColumnWidth - kSourceColumnWidth - kLocationColumnMargin;
    for (Role list : {Role::CurrentUserList, Role::AllUsersList}) {
        view_.SetColumnWidth(list, 0, kNameColumnWidth);
        view_.SetColumnWidth(list, 1, locationWidth);
        view_.SetColumnWidth(list, 2, kStatusColumnWidth);
        view_.SetColumnWidth(list, 3, kSourceColumnWidth);
    }
}

}  // namespace quillmark
