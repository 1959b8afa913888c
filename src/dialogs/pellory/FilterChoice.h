#pragma once

namespace s::image::filters::sharpness {
class Sharpness;
}

namespace s::image::gui::dialogs::pellory {

class Setting;

// A sharpness filter for the setting: +strength for Sharpen, -strength for
// Blur. It is marked to go back to its pool with the image's filter list.
s::image::filters::sharpness::Sharpness* makeFilter(const Setting& setting);

}  // namespace s::image::gui::dialogs::pellory
