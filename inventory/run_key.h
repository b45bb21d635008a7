#pragma once
#include "inventory/startup_scope.h"
#include "platform/registry_accessor.h"

namespace quillmark {

// The scope's Run key opened on the shared accessor for one operation, and
// closed however that operation ends, so no key stays open between commands.
class RunKey {
public:
    RunKey(RegistryAccessor& registry, StartupScope scope) : registry_(registry) {
        registry_.SetRoot(RootOf(scope));
        opened_ = registry_.OpenKey(kRunKey);
    }
    RunKey(const RunKey&) = delete;
    RunKey& operator=(const RunKey&) = delete;
    ~RunKey() { registry_.CloseKey(); }

    // False when the key is missing or may not be opened with full access.
    bool IsOpen() const noexcept { return opened_; }

private:
    RegistryAccessor& registry_;
    bool opened_ = false;
};

}  // namespace quillmark
