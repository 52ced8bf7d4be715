#pragma once

#include "platform/networks.h"

namespace quillon::platform::win32 {

// Windows' list of networks (the Network List Manager), created on the
// first question only.
class Win32Networks final : public Networks {
public:
    std::vector<Network> Connected() override;
};

}  // namespace quillon::platform::win32
