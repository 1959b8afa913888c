#include "gui/win/native/SpacerView.h"

#include "gui/win/native/GuiFont.h"

namespace s::gui::win::native {

TextExtent SpacerView::measureText(std::u16string_view text) const { return measureWith(guiFont(), text); }

}  // namespace s::gui::win::native
