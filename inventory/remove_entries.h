#pragma once
#include <span>
#include <string>
#include <vector>

#include "inventory/inventory_context.h"
#include "inventory/removal_record.h"
#include "inventory/startup_entry.h"
#include "inventory/startup_scope.h"

namespace quillmark {

// A row that could not be removed (or, for undo, put back).
struct RemovalFailure {
    std::wstring name;          // the row's name as listed
    std::wstring reason;        // the system's text for the failure, e.g. "Access is denied."
    bool accessDenied = false;  // missing rights: an elevated Quillmark may succeed
};

// Reasons of Quillmark's own for leaving a row where it is.
inline const wchar_t kReasonChanged[] = L"changed since the list was loaded";
inline const wchar_t kReasonOutsideFolder[] = L"no longer inside the Startup folder";
inline const wchar_t kReasonUnknownSource[] = L"where it came from cannot be told";
inline const wchar_t kReasonPackagedTask[] =
    L"an app's startup task goes when the app is uninstalled; Disable switches it off";

struct RemovalOutcome {
    std::vector<RemovalFailure> failures;  // the rows that were not removed, in list order
    // Rows that were removed, but whose StartupApproved value could not be
    // deleted, with why.
    std::vector<RemovalFailure> marksLeft;
};

// Removes each of `rows` (rows of the scope's list) from where it came from, and only while it is
// still what the list showed (the Run value's type and data, the Startup
// file's size and last-write time): a Run value is deleted from the registry
// view it was listed from, a Startup file inside the scope's Startup folder
// goes to the recycle bin; then the removed row's StartupApproved value is
// deleted. First a removal record of what goes, StartupApproved values
// included, is written in `place` (see removal_record.h); when it cannot be
// written this throws Error and nothing is removed; it keeps in the end only
// what went.
RemovalOutcome RemoveEntries(InventoryContext& context, StartupScope scope, std::span<const StartupEntry> rows,
                             const RecordsPlace& place);

}  // namespace quillmark
