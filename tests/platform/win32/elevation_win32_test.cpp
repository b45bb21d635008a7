#include <gtest/gtest.h>

#include "app/elevated_restart.h"
#include "platform/win32/elevation.h"

namespace quillmark {
namespace {

// The process's own token names its user in the form a restart passes on,
// and LookupAccountSidW names the account "DOMAIN\name".
TEST(ProcessTokenAccount, NamesTheUserAsARestartPassesIt) {
    const TokenAccount account = ProcessTokenAccount(true);
    ASSERT_FALSE(account.sid.empty());
    const auto request = RestartFromCommandLine(L"/tab:1 /user:" + account.sid);
    ASSERT_TRUE(request.has_value()) << testing::PrintToString(account.sid);
    EXPECT_EQ(request->userSid, account.sid);
    EXPECT_NE(account.accountName.find(L'\\'), std::wstring::npos) << testing::PrintToString(account.accountName);
    EXPECT_EQ(ProcessTokenAccount(false).accountName, account.sid) << "named by its SID unless asked";
}

}  // namespace
}  // namespace quillmark
