#include "platform/window_toolkit.h"

namespace quillon::platform {

void Annotate(AccessibleAnnotations& service, std::uintptr_t control, const ControlDesign& design) {
    // A service that refused the name refuses the description too.
    if (!design.accessibleName.empty() && !service.SetName(control, design.accessibleName)) return;
    if (!design.accessibleDescription.empty()) {
        static_cast<void>(service.SetDescription(control, design.accessibleDescription));
    }
}

}  // namespace quillon::platform
