#include "image/filters/scale/BilinearFilter.h"

#include <cmath>

namespace s::image::filters::scale {

double BilinearFilter::weight(double t) const
{
    const double distance = std::fabs(t);
    return distance < m_support ? m_support - distance : 0.0;
}

}  // namespace s::image::filters::scale
