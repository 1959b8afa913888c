#pragma once
#include <string>
#include <string_view>

namespace s::platform {

// The text with every %NAME% reference replaced by that environment
// variable's value, as the Windows shell expands registry values;
// references to unknown variables stay as written. The result is as long as
// it needs to be.
std::u16string expandEnvironment(std::u16string_view text);

}  // namespace s::platform
