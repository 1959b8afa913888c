#pragma once
#include <array>
#include <cstdint>
#include <string_view>

namespace s::gui::drawer {

class ISkin;
class Skinner;

// The two skin families and their colour schemes, and the builders that
// turn one scheme into a skin with all its drawers.
class SkinFamilies {
public:
    static constexpr std::u16string_view kThinWindow = u"ThinWindow";
    static constexpr std::u16string_view kThin = u"Thin";
    static constexpr int32_t kThinWindowColourCount = 15;

    // The fifteen colours of a "ThinWindow" scheme, C1 to C15 at 0 to 14.
    using ThinWindowColours = std::array<uint32_t, kThinWindowColourCount>;
    struct ThinColours {
        uint32_t background;
        uint32_t line;
        uint32_t text;
        uint32_t slider;
        uint32_t counter1;
        uint32_t counter2;
    };

    // A new pooled skin of that family; the caller owns it.
    static ISkin* buildThinWindowSkin(std::u16string_view name, const ThinWindowColours& colours);
    static ISkin* buildThinSkin(std::u16string_view name, const ThinColours& colours);

    // Every scheme of the family, in order, into the skinner.
    static void addThinWindowSkins(Skinner& skinner);
    static void addThinSkins(Skinner& skinner);
};

}  // namespace s::gui::drawer
