#pragma once
#include <string>
#include <vector>

#include "inventory/listed_state.h"
#include "inventory/registry_key_paths.h"
#include "inventory/startup_scope.h"
#include "platform/registry_accessor.h"

namespace quillmark {

// The views of the scope's Run key that Windows starts programs from, in the
// order they are listed. The user's Run key is one key in both views. On
// 64-bit Windows the machine's Run key exists in the 64-bit view and, for
// 32-bit programs, in the 32-bit view (WOW6432Node), and Windows runs both;
// a process asking for neither would see only the view of its own bitness.
inline std::vector<RegistryView> RunKeyViews(const RegistryAccessor& registry, StartupScope scope) {
    if (scope == StartupScope::AllUsers && registry.HasTwoViews()) return {RegistryView::Bits64, RegistryView::Bits32};
    return {RegistryView::Default};
}

// The scope's Run key (or Run once, or policy Run key) opened on the shared
// accessor for one operation, in one view and with the rights that
// operation needs, and closed however it ends, so no key stays open between
// commands. Every read and delete goes through this object, so a call names
// the key it works on.
class RunKey {
public:
    RunKey(RegistryAccessor& registry, StartupScope scope, RegistryView view, KeyAccess access = KeyAccess::Read,
           EntrySource source = EntrySource::Run)
        : registry_(registry) {
        registry_.SetRoot(RootOf(scope));
        registry_.SetView(view);
        opened_ = registry_.OpenKey(RunKeyPathOf(source), access);
    }
    RunKey(const RunKey&) = delete;
    RunKey& operator=(const RunKey&) = delete;
    ~RunKey() {
        registry_.CloseKey();
        registry_.SetView(RegistryView::Default);
    }

    // False when the key is missing or the rights asked for are refused;
    // OpenError() says which.
    bool IsOpen() const noexcept { return opened_; }
    std::uint32_t OpenError() const noexcept { return registry_.OpenError(); }

    // The value names in index order; empty when the key is not open.
    std::vector<std::wstring> ValueNames() {
        std::vector<std::wstring> names;
        registry_.GetValueNames(names);
        return names;
    }
    // The value's data as the Location column shows it (RegistryAccessor::ReadString).
    std::wstring ReadString(const std::wstring& name) { return registry_.ReadString(name); }
    // ReadString's text from the value as Listed read it: one read of the
    // value instead of two (each is a round trip to the registry). A value
    // Listed could not read is read again, so it fails as ReadString does.
    std::wstring LocationOf(const std::wstring& name, const ListedState& listed) {
        if (!listed.known) return ReadString(name);
        return RegistryAccessor::StringOfValue(name, listed.valueType, listed.valueData);
    }
    // The value as it is now; unknown when it is gone or unreadable.
    ListedState Listed(const std::wstring& name) {
        ListedState state;
        state.known = registry_.ReadValue(name, state.valueType, state.valueData);
        return state;
    }
    // Needs KeyAccess::SetValue: the Windows error code, kErrorSuccess when it went.
    std::uint32_t DeleteValue(const std::wstring& name) { return registry_.DeleteValue(name); }

private:
    RegistryAccessor& registry_;
    bool opened_ = false;
};

}  // namespace quillmark
