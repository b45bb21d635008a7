#pragma once
#include <string>

#include "inventory/startup_entry.h"
#include "inventory/startup_scope.h"

namespace quillmark {

// The one place a row's source is named for people and scripts: "Run" for a
// Run value, "Startup folder" for a Startup file. A new kind of source gets
// its name here, and its place below.
std::wstring SourceName(const StartupEntry& row);

// Where the row lives: the Run key as the registry editor names it (the
// 32-bit view of the machine's key spelt with WOW6432Node), or the folder
// that holds the Startup file.
std::wstring SourcePlace(StartupScope scope, const StartupEntry& row);

}  // namespace quillmark
