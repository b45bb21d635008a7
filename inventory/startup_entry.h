#pragma once
#include <string>
#include <vector>

#include "inventory/listed_state.h"
#include "inventory/approval_value.h"
#include "inventory/packaged_tasks.h"
#include "platform/registry.h"

namespace quillmark {

// Where a row came from, so that removing it touches only that place.
enum class EntryOrigin { RunValue, StartupFile, PackagedTask };

// Which of the places Windows starts programs from at logon a row comes
// from, in the order the lists show them. Run once and policy rows are
// values (EntryOrigin::RunValue) of their own keys.
enum class EntrySource { Run, StartupFolder, RunOnce, Policy, PackagedApp };

// What is known of the program a row starts. Unknown until the icon worker
// has looked, and for programs out of reach (network, removable drives).
enum class ProgramPresence { Unknown, Found, Missing };

// One row of a scope's list.
struct StartupEntry {
    std::wstring name;      // first column
    std::wstring location;  // second column: the Run value's data or the Startup file's path
    int iconIndex = 0;      // into the shared image list; 0 is the built-in image, -1 none
    EntryOrigin origin = EntryOrigin::RunValue;
    EntrySource source = EntrySource::Run;
    // The registry view a Run value was listed from; removal deletes it there
    // and in no other view. Default for folder rows and the user's Run key.
    RegistryView registryView = RegistryView::Default;
    Approval approval;  // switched off through StartupApproved, and since when
    ProgramPresence program = ProgramPresence::Unknown;
    // The source as loaded; removal takes it only while it is still that.
    ListedState listed;
    // A packaged app's startup task: which one, and its State as listed.
    PackagedStartupTask task;
};

// The "Starts from" column: the place in words a user knows.
const wchar_t* SourceName(EntrySource source) noexcept;
// Whether Windows keeps a Disabled mark (StartupApproved) for the row's
// place: Run values and Startup files. Run once values run once whatever,
// and policy values are the policy's to switch.
bool HasApprovalMark(const StartupEntry& row) noexcept;

// A scope's list as the main window shows it, independent of any widget.
struct ScopeList {
    std::wstring nameCaption = L"Name";
    std::wstring locationCaption = L"Location";
    std::wstring statusCaption = L"Status";
    std::wstring sourceCaption = L"Starts from";
    std::vector<StartupEntry> rows;
};

}  // namespace quillmark
