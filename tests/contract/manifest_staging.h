#pragma once
#include <optional>
#include <string>
#include <vector>

#include "platform/package_manifests.h"
#include "tests/contract/contract_fixture.h"

namespace quillmark {

// Writes a manifest file with exactly this text, removed after the test. On
// Windows the reader parses it; the stand-in's table is told what the file
// declares instead (nothing: a file that is no manifest).
void StageManifest(ContractTest& test, const Platform& platform, const std::wstring& path, const std::string& text,
                   const std::optional<std::vector<ManifestStartupTask>>& declares);

// A manifest with one Application starting `appExecutable` and one startup
// Extension per task: a task whose executable is the Application's gets an
// Extension without its own, and an empty DisplayName is left out.
std::string ManifestText(const std::wstring& appExecutable, const std::vector<ManifestStartupTask>& tasks);

// UTF-8 of UTF-16 text (a wide character holds a whole code point on Linux).
std::string Utf8(const std::wstring& text);

}  // namespace quillmark
