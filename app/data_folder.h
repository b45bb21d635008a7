#pragma once
#include <string>

#include "inventory/removal_record.h"
#include "inventory/startup_scope.h"

namespace quillmark {

struct Platform;

// `DataFolder`: the user's documents folder followed by "\\Quillmark", read
// in UTF-16 so a user name outside the ANSI code page is kept. Empty when
// the documents folder cannot be found: then there is no data folder (it
// would otherwise be "\\Quillmark" at the root of the current drive).
std::wstring DataFolder(const Platform& platform);

// Where the scope's removal records are kept. The current user's: in
// DataFolder, "\\Removed", where that user's own programs may write, as they
// may change that user's startup items anyway. All users': in the machine's
// data folder (ProgramData), "\\Quillmark\\Removed", made for administrators
// only and trusted only while theirs, so a record another program wrote can
// never make an administrator's Quillmark put back anything; both an
// administrator's and another account's elevated window find them there.
RecordsPlace RecordsPlaceOf(const Platform& platform, StartupScope scope);

}  // namespace quillmark
