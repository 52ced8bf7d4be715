#pragma once

#include <vector>

namespace quillon::platform::win32 {

// The security identifier of the account the process runs as, from its
// token, as the bytes of a SID; empty where the token does not tell.
std::vector<unsigned char> ProcessUserSid();

}  // namespace quillon::platform::win32
