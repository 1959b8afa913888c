#include "gui/drawer/button/win/Thin.h"

#include <utility>

#include "gui/drawer/Colour.h"
#include "gui/drawer/Extent.h"
#include "gui/drawer/Glyph.h"
#include "gui/drawer/ICanvas.h"
#include "gui/drawer/border/win/Thin.h"
#include "gui/drawer/text/win/Basic.h"
#include "gui/win/FontSetting.h"
#include "thread/Pooled.h"

namespace s::gui::drawer::button::win {

namespace {

// A drawer kept across resets is reset in place rather than swapped for a fresh one.
void resetInPlace(s::base::IObject* drawer)
{
    if (auto* poolable = dynamic_cast<s::thread::IPoolable*>(drawer))
        poolable->reset();
}

template <class T>
void replaceOwned(T*& slot, T* replacement)
{
    if (slot == replacement)
        return;
    s::thread::releaseToPool(std::exchange(slot, replacement));
}

}  // namespace

Thin::Thin()
    : m_border(s::gui::drawer::border::win::Thin::take()),
      m_captionText(s::gui::drawer::text::win::Basic::take()),
      m_secondText(s::gui::drawer::text::win::Basic::take())
{
    reset();
}

Thin::~Thin()
{
    // Deleted, not released: a button is destroyed by its pool at exit (or when the
    // pool is full), and at exit the pools of its parts may already be gone.
    delete m_border;
    delete m_captionText;
    delete m_secondText;
}

void Thin::reset()
{
    m_pressShift = false;
    m_style = 1;
    m_normalColour = colour::grey(kResetGrey);
    m_disabledColour = colour::grey(kResetGrey);
    m_checkedColour = colour::grey(kResetGrey);
    m_faceColour = colour::grey(kResetGrey);
    resetInPlace(m_border);
    resetInPlace(m_captionText);
    resetInPlace(m_secondText);
    // Captions sit in the middle of the button.
    if (m_captionText)
        m_captionText->setCentred(true);
    if (m_secondText)
        m_secondText->setCentred(true);
}

void Thin::setBorder(IBorder* border) { replaceOwned(m_border, border); }
void Thin::setCaptionText(IText* text) { replaceOwned(m_captionText, text); }
void Thin::setSecondText(IText* text) { replaceOwned(m_secondText, text); }

void Thin::drawBorder(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t type,
                      uint32_t colour)
{
    if (m_border)
        m_border->paint(canvas, left, top, right, bottom, type, m_style, colour::red(colour), colour::green(colour),
                        colour::blue(colour));
}

void Thin::paint(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t state,
                 std::u16string_view caption, bool framed, const s::gui::win::FontSetting* font, bool enabled,
                 bool checked, bool outlined)
{
    // 1. Nothing to paint into.
    if (!hasArea(left, top, right, bottom))
        return;
    // 2. A checked toggle shows the hover and pressed looks the other way round.
    if (checked && (state == kStateHot || state == kStatePressed))
        state = state == kStateHot ? kStatePressed : kStateHot;
    // 3. The colour of glyphs and border.
    const uint32_t c = !enabled ? m_disabledColour : checked ? m_checkedColour : m_normalColour;
    // 4./5. Face and border.
    bool borderDrawn = true;
    if (framed) {
        if (checked)
            canvas.fillRect(left + 1, top + 1, right - left - 2, bottom - top - 2, m_faceColour);
        const int32_t type = state == kStateHot ? IBorder::kRaised : state == kStatePressed ? IBorder::kSunken
                                                                                           : IBorder::kNormal;
        drawBorder(canvas, left, top, right, bottom, type, c);
    } else if (checked) {
        const int32_t faceTop = outlined ? top + 1 : top;
        canvas.fillRect(left, faceTop, right - left, bottom - faceTop, m_faceColour);
        drawBorder(canvas, left, faceTop, right, bottom, IBorder::kNormal, c);
    } else if (outlined) {
        drawBorder(canvas, left, top, right, bottom, IBorder::kOpenBottom, c);
    } else {
        borderDrawn = false;
    }
    // 6. The content rectangle, moved with the state when pressShift is on.
    struct Area {
        int32_t left, top, right, bottom;
    };
    Area content{left + 2, top + 2, right - 2, bottom - 2};
    if (m_pressShift && state == kStateHot)
        content = {left + 1, top + 1, right - 3, bottom - 3};
    else if (m_pressShift && state == kStatePressed)
        content = {left + 3, top + 3, right - 1, bottom - 1};
    // 7. The caption.
    if (caption.empty())
        return;
    const uint32_t glyphColour = checked && font ? font->textColour() : c;
    drawCaption(canvas, content.left, content.top, content.right, content.bottom, caption, font, glyphColour,
                !checked && !borderDrawn);
}

void Thin::drawCaption(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom,
                       std::u16string_view caption, const s::gui::win::FontSetting* font, uint32_t glyphColour,
                       bool growText)
{
    if (drawGlyph(canvas, left, top, right, bottom, caption, colour::red(glyphColour), colour::green(glyphColour),
                  colour::blue(glyphColour)))
        return;
    if (!font || !m_captionText)
        return;
    // Without a border the text may use the pixels the border would have taken.
    const int32_t grow = growText ? 1 : 0;
    m_captionText->paint(canvas, left - grow, top - grow, right + grow, bottom + grow, caption, *font);
}

bool Thin::drawGlyph(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom,
                     std::u16string_view caption, uint32_t red, uint32_t green, uint32_t blue)
{
    return Glyph::draw(canvas, left, top, right, bottom, caption, colour::rgb(red, green, blue));
}

void Thin::applyTo(s::gui::win::FontSetting* normal, s::gui::win::FontSetting* disabled) const
{
    if (m_captionText)
        m_captionText->applyTo(normal, disabled);
}

void Thin::applyCheckedTo(s::gui::win::FontSetting* checked) const
{
    if (m_secondText)
        m_secondText->applyTo(checked);
}

}  // namespace s::gui::drawer::button::win
