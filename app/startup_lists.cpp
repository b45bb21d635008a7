#include "app/startup_lists.h"

#include <algorithm>
#include <utility>

#include "app/guards.h"
#include "app/tab_target.h"
#include "app/texts.h"
#include "inventory/entry_status.h"
#include "inventory/windows_start_man.h"
#include "platform/error.h"
#include "platform/image_list.h"
#include "platform/registry_accessor.h"

namespace quillmark {

namespace {

// The list draws itself once, when the rows it holds have all been changed.
class RedrawHeld {
public:
    RedrawHeld(MainView& view, Role list) : view_(view), list_(list) { view_.SetListRedraw(list_, false); }
    ~RedrawHeld() { view_.SetListRedraw(list_, true); }
    RedrawHeld(const RedrawHeld&) = delete;
    RedrawHeld& operator=(const RedrawHeld&) = delete;

private:
    MainView& view_;
    Role list_;
};

}  // namespace

StartupLists::StartupLists(MainView& view, Platform platform, ImageList& images, LoadThreads threads)
    : view_(view),
      platform_(platform),
      images_(images),
      threads_(std::move(threads)),
      iconFetcher_(platform_, [this] { view_.PostIconsArrived(); }, threads_.setup, threads_.iconThreads) {
    if (threads_.readRowsApart) {
        reader_ = std::make_unique<ScopeReader>(platform_, [this] { view_.PostRowsRead(); }, threads_.setup,
                                                threads_.shortcutThreads);
    }
}

StartupLists::~StartupLists() = default;

void StartupLists::Open() {
    registry_ = std::make_unique<RegistryAccessor>(platform_.registry);
    startMan_ = std::make_unique<TWindowsStartMan>(platform_);
}

InventoryContext StartupLists::Inventory() {
    if (registry_ == nullptr || startMan_ == nullptr) throw Error(texts::kInventoryNotAvailable);
    return InventoryContext{platform_, *registry_, *startMan_, images_,
                            ShortcutWorkers{threads_.shortcutThreads, threads_.setup}};
}

void StartupLists::LoadSelectedTab(const RowChoice& choose) {
    std::optional<PendingLoad> ahead = std::exchange(readAhead_, std::nullopt);
    // Whatever the last load still waits for belongs to rows about to go.
    iconFetcher_.Cancel();
    iconRequests_.clear();
    iconsAwaited_ = 0;
    const std::optional<TabTarget> target = TargetOfTab(TabUse::Load, view_.TabIndex());
    if (target && ahead && !choose && ahead->list == target->list) {
        // The reader's latest read is this one: any later one would have dropped it.
        pendingLoad_ = std::move(ahead);
        RowsRead();
        return;
    }
    CancelLoad();
    if (!target) return;

    InventoryContext context = Inventory();
    if (reader_) {
        pendingLoad_ = PendingLoad{target->list, choose, reader_->Read(target->scope, programIcons_), imagesEpoch_};
        return;
    }
    ScopeList rows;
    std::vector<IconRequest> requests = LoadScopeRows(context, target->scope, rows, programIcons_);
    ShowLoaded(target->list, std::move(rows), std::move(requests), choose);
}

void StartupLists::ReadAhead() {
    if (!reader_) return;
    CancelLoad();
    const std::optional<TabTarget> target = TargetOfTab(TabUse::Load, view_.TabIndex());
    if (!target || registry_ == nullptr) return;
    readAhead_ = PendingLoad{target->list, {}, reader_->Read(target->scope, programIcons_), imagesEpoch_};
}

void StartupLists::CancelLoad() {
    pendingLoad_.reset();
    readAhead_.reset();
    if (reader_) reader_->Cancel();
}

// Rows that cannot be shown leave the list as it was.
void StartupLists::RowsRead() {
    SwallowFailures([&] {
        if (!reader_ || !pendingLoad_) return;
        std::optional<ScopeReader::Done> done = reader_->Take();
        if (!done || done->read != pendingLoad_->read) return;
        const PendingLoad load = std::move(*pendingLoad_);
        pendingLoad_.reset();
        // The image list was started anew while the rows were read: the
        // images they were given are gone, so each program is asked again.
        if (load.imagesEpoch != imagesEpoch_) {
            for (IconRequest& request : done->iconRequests) {
                request.known.reset();
                SetRequestIcon(done->rows, request, 0);
            }
        }
        ShowLoaded(load.list, std::move(done->rows), std::move(done->iconRequests), load.choose);
    });
}

void StartupLists::ShowLoaded(Role list, ScopeList read, std::vector<IconRequest> requests, const RowChoice& choose) {
    ScopeList& rows = Rows(list);
    rows = std::move(read);
    iconRequests_ = std::move(requests);
    iconList_ = list;
    view_.ShowRows(list, rows);
    {
        const RedrawHeld held(view_, list);
        for (std::size_t row = 0; row < rows.rows.size(); ++row) ShowStatus(list, row);
    }
    FetchIcons();
    view_.FocusList(list);
    // The list was emptied and refilled, so the last row ends up the only
    // selected one unless the command chooses others; none is scrolled into view.
    for (std::size_t row = 0; row < rows.rows.size(); ++row) {
        const bool selected = choose ? choose(rows.rows[row]) : row + 1 == rows.rows.size();
        if (selected) view_.SelectRow(list, static_cast<int>(row));
    }
}

void StartupLists::ShowStatus(Role list, std::size_t row) {
    const StartupEntry& entry = Rows(list).rows[row];
    view_.SetRowStatus(list, static_cast<int>(row), StatusText(platform_, entry), entry.approval.disabled);
}

void StartupLists::ImagesResized() {
    programIcons_ = ProgramIcons();
    ++imagesEpoch_;
    ScopeList& rows = Rows(iconList_);
    const RedrawHeld held(view_, iconList_);
    for (IconRequest& request : iconRequests_) {
        request.known.reset();
        SetRequestIcon(rows, request, 0);
        for (const std::size_t row : request.rows) {
            if (row < rows.rows.size()) view_.SetRowIcon(iconList_, static_cast<int>(row), 0);
        }
    }
    FetchIcons();
}

void StartupLists::FetchIcons() {
    std::vector<IconFetcher::Program> programs;
    programs.reserve(iconRequests_.size());
    const int iconSize = images_.IconSize();
    for (const IconRequest& request : iconRequests_) programs.push_back({request.program, request.known, iconSize});
    iconsAwaited_ = programs.size();
    iconFetcher_.Fetch(std::move(programs));
}

// An icon that cannot be shown leaves its rows as they are.
void StartupLists::IconsArrived() {
    SwallowFailures([&] {
        ScopeList& rows = Rows(iconList_);
        std::vector<IconFetcher::Arrived> arrivals = iconFetcher_.TakeArrived();
        if (arrivals.empty()) return;
        const RedrawHeld held(view_, iconList_);
        for (IconFetcher::Arrived& arrived : arrivals) {
            if (arrived.program >= iconRequests_.size()) continue;
            const IconRequest& request = iconRequests_[arrived.program];
            if (iconsAwaited_ > 0) --iconsAwaited_;
            const ProgramLookup& lookup = arrived.lookup;
            const int index = programIcons_.Take(images_, lookup.key, lookup.iconAsked, lookup.icon.get());
            for (const std::size_t row : request.rows) {
                if (row < rows.rows.size() && rows.rows[row].iconIndex != index) {
                    view_.SetRowIcon(iconList_, static_cast<int>(row), index);
                }
            }
            SetRequestIcon(rows, request, index);
            SetRequestPresence(rows, request, lookup.presence);
            // "Program not found" is known only now.
            if (lookup.presence != ProgramPresence::Missing) continue;
            for (const std::size_t row : request.rows) {
                if (row < rows.rows.size()) ShowStatus(iconList_, row);
            }
        }
    });
}

const ScopeList& StartupLists::Rows(Role list) const noexcept {
    return list == Role::AllUsersList ? allUsersRows_ : currentUserRows_;
}

ScopeList& StartupLists::Rows(Role list) noexcept {
    return const_cast<ScopeList&>(static_cast<const StartupLists&>(*this).Rows(list));
}

// The selection is the widget's; the rows are the ones the last load showed.
std::vector<StartupEntry> StartupLists::SelectedRows(Role list) const {
    std::vector<int> indexes = view_.SelectedRows(list);
    std::sort(indexes.begin(), indexes.end());
    indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
    const std::vector<StartupEntry>& rows = Rows(list).rows;
    std::vector<StartupEntry> selected;
    for (const int index : indexes) {
        if (index >= 0 && static_cast<std::size_t>(index) < rows.size()) selected.push_back(rows[index]);
    }
    return selected;
}

}  // namespace quillmark
