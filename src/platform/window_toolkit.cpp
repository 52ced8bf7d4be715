#include "platform/window_toolkit.h"

namespace quillon::platform {

bool IsLink(const ControlDesign& design) {
    return design.kind == ControlKind::Label && (design.style & kHandPointer) != 0;
}

bool IsList(const ControlDesign& design) {
    return design.kind == ControlKind::ListBox || design.kind == ControlKind::ComboBox;
}

bool IsAnnotated(const ControlDesign& design) {
    return IsLink(design) || !design.accessibleName.empty() || !design.accessibleDescription.empty();
}

void Annotate(AccessibleAnnotations& service, std::uintptr_t control, const ControlDesign& design) {
    if (IsLink(design)) static_cast<void>(service.SetLinkRole(control));
    // A service that refused the name refuses the description too.
    if (!design.accessibleName.empty() && !service.SetName(control, design.accessibleName)) return;
    if (!design.accessibleDescription.empty()) {
        static_cast<void>(service.SetDescription(control, design.accessibleDescription));
    }
}

}  // namespace quillon::platform
