#include "win32/win32_networks.h"

namespace quillon::platform::win32 {

// PLACEHOLDER (i30base): the Network List Manager body comes with the networks branch.
std::vector<Network> Win32Networks::Connected() { return {}; }

}  // namespace quillon::platform::win32
