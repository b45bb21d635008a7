#include "cli/listed_rows.h"

#include "inventory/load_scope.h"
#include "inventory/program_icons.h"
#include "inventory/program_lookup.h"
#include "platform/code_page.h"
#include "platform/platform.h"

namespace quillmark {

std::vector<StartupScope> ScopesOf(ScopeChoice choice) {
    switch (choice) {
    case ScopeChoice::CurrentUser: return {StartupScope::CurrentUser};
    case ScopeChoice::AllUsers: return {StartupScope::AllUsers};
    case ScopeChoice::Both: break;
    }
    return {StartupScope::CurrentUser, StartupScope::AllUsers};
}

std::vector<ListedRow> LoadListedRows(InventoryContext& context, ScopeChoice scopes) {
    std::vector<ListedRow> listed;
    for (const StartupScope scope : ScopesOf(scopes)) {
        ScopeList list;
        const std::vector<IconRequest> requests = LoadScopeRows(context, scope, list, ProgramIcons());
        std::vector<std::wstring> programs(list.rows.size());
        for (const IconRequest& request : requests) {
            const bool missing = ProgramMissingFromFixedDrive(context.platform.files, request.program);
            SetRequestPresence(list, request, missing ? ProgramPresence::Missing : ProgramPresence::Unknown);
            for (const std::size_t row : request.rows) {
                if (row < programs.size()) programs[row] = request.program;
            }
        }
        for (std::size_t row = 0; row < list.rows.size(); ++row)
            listed.push_back(ListedRow{scope, std::move(list.rows[row]), std::move(programs[row])});
    }
    return listed;
}

std::vector<ListedRow> RowsOfSource(const CodePage& codePage, const std::vector<ListedRow>& rows,
                                    const std::optional<std::wstring>& source) {
    std::vector<ListedRow> chosen;
    const std::optional<std::wstring> folded = source ? std::optional(codePage.Upper(*source)) : std::nullopt;
    for (const ListedRow& row : rows) {
        if (!folded || codePage.Upper(SourceName(row.entry.source)) == *folded) chosen.push_back(row);
    }
    return chosen;
}

std::vector<ListedRow> MatchingRows(const CodePage& codePage, const std::vector<ListedRow>& rows,
                                    const std::wstring& name, const std::optional<std::wstring>& source) {
    std::vector<ListedRow> matching;
    const std::wstring folded = codePage.Upper(name);
    for (ListedRow& row : RowsOfSource(codePage, rows, source)) {
        if (codePage.Upper(row.entry.name) == folded) matching.push_back(std::move(row));
    }
    return matching;
}

std::vector<EntryRecord> RecordsOf(const std::vector<ListedRow>& rows) {
    std::vector<EntryRecord> records;
    records.reserve(rows.size());
    for (const ListedRow& row : rows) records.push_back(RecordOf(row.scope, row.entry, row.program));
    return records;
}

}  // namespace quillmark
