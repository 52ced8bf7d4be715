#include "win32/win32_task_scheduler.h"

#include <gtest/gtest.h>
#include <sddl.h>

#include <string>

#include "win32/unique_handle.h"

namespace quillon::platform::win32 {
namespace {

// The process token's account: an identifier the system maps back to the
// account the user logged on as, named as the account database names it.
TEST(Win32TaskScheduler, TheAccountsIdentifierNamesTheSameAccount) {
    const Account account = Win32TaskScheduler().CurrentAccount();
    // "S-1-5-21-..." for a local or domain account, "S-1-12-1-..." for Entra ID.
    ASSERT_TRUE(account.sid.starts_with("S-1-")) << account.sid;
    unique_local<void> sid;
    ASSERT_TRUE(ConvertStringSidToSidA(account.sid.c_str(), sid.out()));
    char name[257] = {}, domain[257] = {}, user[257] = {};
    DWORD nameSize = sizeof name, domainSize = sizeof domain, userSize = sizeof user;
    SID_NAME_USE use{};
    ASSERT_TRUE(LookupAccountSidA(nullptr, sid.get(), name, &nameSize, domain, &domainSize, &use));
    ASSERT_TRUE(GetUserNameA(user, &userSize));
    EXPECT_EQ(std::string(name), user);
    EXPECT_EQ(account.name, std::string(domain) + "\\" + name);
}

}  // namespace
}  // namespace quillon::platform::win32
