#include "dialogs/pellory/FilterChoice.h"

#include "dialogs/pellory/Setting.h"
#include "image/filters/sharpness/Sharpness.h"

namespace s::image::gui::dialogs::pellory {

s::image::filters::sharpness::Sharpness* makeFilter(const Setting& setting)
{
    auto* filter = s::image::filters::sharpness::Sharpness::take();
    filter->setStrength(setting.signedStrength());
    filter->setAutoRelease(true);
    return filter;
}

}  // namespace s::image::gui::dialogs::pellory
