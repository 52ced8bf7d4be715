// A stored option value: any program, or a person with the registry
// editor, can leave any text there.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "settings/setting_value.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quillon::settings;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::int32_t value = ParseSettingValue(text);
    // What the program stores for a value reads back as that value.
    Check(ParseSettingValue(FormatSettingValue(value)) == value);
    return 0;
}
