#pragma once
#include <string>
#include <vector>

namespace quillmark {

// Where a row came from, so that removing it touches only that place.
enum class EntryOrigin { RunValue, StartupFile };

// One row of a scope's list.
struct StartupEntry {
    std::wstring name;      // first column
    std::wstring location;  // second column: the Run value's data or the Startup file's path
    int iconIndex = 0;      // into the shared image list; 0 is the built-in image, -1 none
    EntryOrigin origin = EntryOrigin::RunValue;
    bool selected = false;
};

// A scope's list as the main window shows it, independent of any widget.
struct ScopeList {
    std::wstring nameCaption = L"Name";
    std::wstring locationCaption = L"Location";
    std::vector<StartupEntry> rows;
};

}  // namespace quillmark
