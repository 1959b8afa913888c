#include "gui/win/StatusBar.h"

#include "gui/layout/Pile.h"

namespace s::gui::win {

StatusBar::ContentSizes StatusBar::arrange()
{
    return s::gui::layout::Pile::arrange(*this, s::gui::layout::ArrangeSettings());
}

}  // namespace s::gui::win
