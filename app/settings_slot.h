#pragma once
#include <memory>

#include "app/settings_file.h"
#include "app/texts.h"
#include "platform/error.h"

namespace quillmark {

// The settings file once FormCreate has opened it, shared by the features
// that keep settings. Before that (or when FormCreate failed early) there is
// none, and whatever needs it fails with a clear message.
class SettingsSlot {
public:
    void Open(std::unique_ptr<SettingsFile> file) noexcept { file_ = std::move(file); }
    // Null until opened.
    SettingsFile* Get() const noexcept { return file_.get(); }
    // Throws Error when the file is not open.
    SettingsFile& Required() const {
        if (file_ == nullptr) throw Error(texts::kSettingsNotOpen);
        return *file_;
    }

private:
    std::unique_ptr<SettingsFile> file_;
};

}  // namespace quillmark
