#pragma once
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_arguments.h"
#include "cli/entry_records.h"
#include "inventory/inventory_context.h"
#include "inventory/startup_entry.h"
#include "inventory/startup_scope.h"

namespace quillmark {

class CodePage;

// A row of one scope's list as the window would show it, with the program it starts.
struct ListedRow {
    StartupScope scope;
    StartupEntry entry;
    std::wstring program;
};

std::vector<StartupScope> ScopesOf(ScopeChoice choice);

// The scopes' rows in the window's order (the current user's first), each
// told whether its program is missing from a fixed drive. No icon is asked
// for, and no file out of reach is waited on.
std::vector<ListedRow> LoadListedRows(InventoryContext& context, ScopeChoice scopes);

// The rows named `name` as Windows compares value names (in one letter
// case), and, when `source` is given, of that source in any letter case.
std::vector<ListedRow> MatchingRows(const CodePage& codePage, const std::vector<ListedRow>& rows,
                                    const std::wstring& name, const std::optional<std::wstring>& source);
// The rows of that source (all of them without one).
std::vector<ListedRow> RowsOfSource(const CodePage& codePage, const std::vector<ListedRow>& rows,
                                    const std::optional<std::wstring>& source);

std::vector<EntryRecord> RecordsOf(const std::vector<ListedRow>& rows);

}  // namespace quillmark
