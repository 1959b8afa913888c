#include "gui/drawer/text/win/Basic.h"

#include "gui/drawer/Colour.h"
#include "gui/drawer/Extent.h"
#include "gui/drawer/ICanvas.h"

namespace s::gui::drawer::text::win {

namespace {

using s::gui::win::FontSetting;

struct Pass {
    int32_t dx;
    int32_t dy;
    uint32_t colour;
};

// The halo: the text spread around itself in the halo colour, then the
// text one pixel right of where it was asked for.
constexpr int32_t kHaloOffsets[][2] = {{0, -1}, {1, -1}, {2, -1}, {2, 0}, {2, 1}, {1, 1}, {0, 1}, {0, 0}};

void drawAt(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom, std::u16string_view text,
            const FontSetting& font, uint32_t flags, const Pass& pass)
{
    canvas.drawText(left + pass.dx, top + pass.dy, right + pass.dx, bottom + pass.dy, text, font, pass.colour, flags);
}

}  // namespace

void Basic::reset()
{
    for (FontSetting& setting : m_fontSettings)
        setting.reset();
    m_centred = false;
}

uint32_t Basic::layoutFlags(const FontSetting& font) const
{
    // Prefix characters are never processed: captions show '&' as it is.
    if (m_centred)
        return ICanvas::kTextCentred | ICanvas::kTextSingleLine | ICanvas::kTextEndEllipsis | ICanvas::kTextNoPrefix;
    if (font.wordBreak())
        return ICanvas::kTextWordBreak | ICanvas::kTextNoPrefix;
    if (font.endEllipsis())
        return ICanvas::kTextSingleLine | ICanvas::kTextEndEllipsis | ICanvas::kTextNoPrefix;
    return ICanvas::kTextSingleLine | ICanvas::kTextNoPrefix;
}

void Basic::paint(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom, std::u16string_view text,
                  const FontSetting& font)
{
    if (!hasArea(left, top, right, bottom) || text.empty())
        return;
    const uint32_t flags = layoutFlags(font);
    const uint32_t ink = font.textColour();
    auto draw = [&](int32_t dx, int32_t dy, uint32_t colour) {
        drawAt(canvas, left, top, right, bottom, text, font, flags, {dx, dy, colour});
    };
    switch (font.effect()) {
    case kEffectHalo:
    case kEffectThirdColourHalo: {
        const uint32_t halo = font.effect() == kEffectHalo ? font.secondColour() : font.thirdColour();
        for (const auto& offset : kHaloOffsets)
            draw(offset[0], offset[1], halo);
        draw(1, 0, ink);
        return;
    }
    case kEffectShadow:
        // A black text would vanish in a dark shadow, so it gets a light one.
        draw(1, 1, ink == colour::kBlack ? colour::grey(238) : colour::grey(119));
        draw(0, 0, ink);
        return;
    case kEffectSunkenDark:
        draw(2, 2, colour::kBlack);
        draw(0, 0, colour::kWhite);
        draw(1, 1, ink);
        return;
    case kEffectRaisedLight:
        draw(0, 0, colour::kWhite);
        draw(0, 2, colour::kBlack);
        draw(0, 1, ink);
        return;
    case kEffectRaisedDark:
        draw(2, 2, colour::kWhite);
        draw(0, 0, colour::kBlack);
        draw(1, 1, ink);
        return;
    case kEffectSunkenLight:
        draw(0, 0, colour::kBlack);
        draw(0, 2, colour::kWhite);
        draw(0, 1, ink);
        return;
    default:
        draw(0, 0, ink);
        return;
    }
}

void Basic::applyTo(FontSetting* first, FontSetting* second, FontSetting* third, FontSetting* fourth,
                    FontSetting* fifth) const
{
    FontSetting* targets[kFontSettingCount] = {first, second, third, fourth, fifth};
    for (int32_t i = 0; i < kFontSettingCount; ++i) {
        if (targets[i])
            targets[i]->takeSetAttributesOf(m_fontSettings[static_cast<size_t>(i)]);
    }
}

FontSetting& Basic::fontSetting(int32_t index)
{
    return m_fontSettings[index >= 0 && index < kFontSettingCount ? static_cast<size_t>(index) : 0u];
}

const FontSetting& Basic::fontSetting(int32_t index) const
{
    return m_fontSettings[index >= 0 && index < kFontSettingCount ? static_cast<size_t>(index) : 0u];
}

}  // namespace s::gui::drawer::text::win
