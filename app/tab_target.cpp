#include "app/tab_target.h"

namespace quillmark {

namespace {

constexpr TabTarget kCurrentUser{StartupScope::CurrentUser, Role::CurrentUserList};
constexpr TabTarget kAllUsers{StartupScope::AllUsers, Role::AllUsersList};

}  // namespace

std::optional<TabTarget> TargetOfTab(TabUse use, int tabIndex) noexcept {
    switch (use) {
    case TabUse::Load:
        if (tabIndex == 0) return kCurrentUser;
        if (tabIndex == 1) return kAllUsers;
        return std::nullopt;
    case TabUse::RowCommand: return tabIndex == 0 ? kCurrentUser : kAllUsers;
    case TabUse::Delete:
    case TabUse::Add: return tabIndex == 1 ? kAllUsers : kCurrentUser;
    }
    return std::nullopt;
}

}  // namespace quillmark
