#include "Artwork.h"

#include <algorithm>
#include <cmath>

#include "image/win/BufferedImage.h"

namespace resgen {

using s::image::win::BufferedImage;

namespace {

struct Colour {
    double r = 0, g = 0, b = 0, a = 0;  // straight alpha, 0..1
};

Colour over(const Colour& top, const Colour& under)
{
    const double a = top.a + under.a * (1 - top.a);
    if (a <= 0)
        return Colour();
    auto mix = [&](double t, double u) { return (t * top.a + u * under.a * (1 - top.a)) / a; };
    return Colour{mix(top.r, under.r), mix(top.g, under.g), mix(top.b, under.b), a};
}

Colour lerp(const Colour& from, const Colour& to, double t)
{
    t = std::clamp(t, 0.0, 1.0);
    return Colour{from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t, from.b + (to.b - from.b) * t,
                  from.a + (to.a - from.a) * t};
}

Colour rgb(int r, int g, int b, double a = 1) { return Colour{r / 255.0, g / 255.0, b / 255.0, a}; }

uint32_t pack(const Colour& c)
{
    auto byte = [](double v) { return static_cast<uint32_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255)); };
    return byte(c.a) << 24 | byte(c.r) << 16 | byte(c.g) << 8 | byte(c.b);
}

// Inside a rectangle with rounded corners (all in unit coordinates).
bool inRoundedSquare(double x, double y, double lo, double hi, double radius)
{
    if (x < lo || x > hi || y < lo || y > hi)
        return false;
    const double cx = std::clamp(x, lo + radius, hi - radius);
    const double cy = std::clamp(y, lo + radius, hi - radius);
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
}

// Inside the triangle (ax, ay), (bx, by), (cx, cy), either winding.
bool inTriangle(double x, double y, double ax, double ay, double bx, double by, double cx, double cy)
{
    auto side = [&](double px, double py, double qx, double qy) { return (qx - px) * (y - py) - (qy - py) * (x - px); };
    const double d1 = side(ax, ay, bx, by);
    const double d2 = side(bx, by, cx, cy);
    const double d3 = side(cx, cy, ax, ay);
    const bool negative = d1 < 0 || d2 < 0 || d3 < 0;
    const bool positive = d1 > 0 || d2 > 0 || d3 > 0;
    return !(negative && positive);
}

// The icon at one point of the unit square.
Colour iconAt(double x, double y)
{
    if (!inRoundedSquare(x, y, 0.03, 0.97, 0.2))
        return Colour();
    Colour colour = lerp(rgb(58, 145, 232), rgb(22, 72, 160), y);
    const double dx = x - 0.5;
    const double dy = y - 0.5;
    const double distance = std::sqrt(dx * dx + dy * dy);
    if (distance >= 0.27 && distance <= 0.39)
        colour = over(rgb(255, 255, 255), colour);
    if (inTriangle(x, y, 0.5, 0.27, 0.30, 0.66, 0.70, 0.66))
        colour = over(lerp(rgb(255, 214, 90), rgb(255, 150, 30), (y - 0.27) / 0.39), colour);
    return colour;
}

Colour bannerAt(double x, double y, double aspect)
{
    // x runs 0..1 across, y 0..1 down; circles are round in pixels.
    Colour colour = lerp(rgb(18, 52, 120), rgb(28, 150, 170), 0.75 * x + 0.25 * y);
    struct Circle {
        double x, y, r, a;
    };
    const Circle circles[] = {{0.10, 0.95, 0.30, 0.10}, {0.30, 0.10, 0.16, 0.08}, {0.78, 0.70, 0.42, 0.07},
                              {0.93, 0.15, 0.22, 0.09}};
    for (const Circle& c : circles) {
        const double dx = (x - c.x) * aspect;
        const double dy = y - c.y;
        if (dx * dx + dy * dy <= c.r * c.r)
            colour = over(rgb(255, 255, 255, c.a), colour);
    }
    // The icon's triangle, large and faint, on the right.
    const double tx = x * aspect;
    if (inTriangle(tx, y, 0.80 * aspect, 0.18, 0.80 * aspect - 0.36, 0.86, 0.80 * aspect + 0.36, 0.86))
        colour = over(rgb(255, 190, 60, 0.22), colour);
    // A soft light band along the top.
    colour = over(rgb(255, 255, 255, 0.12 * (1 - std::min(1.0, y * 4))), colour);
    return colour;
}

// Averages samples x samples points of the painter in each pixel, so the
// edges come out smooth at every size.
template <class Painter>
BufferedImage* render(int32_t width, int32_t height, int samples, Painter paint)
{
    BufferedImage* image = BufferedImage::createImage(width, height);
    if (!image)
        return nullptr;
    for (int32_t py = 0; py < height; ++py) {
        uint32_t* line = image->row(py);
        for (int32_t px = 0; px < width; ++px) {
            Colour sum;
            for (int sy = 0; sy < samples; ++sy) {
                for (int sx = 0; sx < samples; ++sx) {
                    const Colour c = paint((px + (sx + 0.5) / samples) / width, (py + (sy + 0.5) / samples) / height);
                    // Premultiplied while summing, so transparent samples add no colour.
                    sum.r += c.r * c.a;
                    sum.g += c.g * c.a;
                    sum.b += c.b * c.a;
                    sum.a += c.a;
                }
            }
            Colour pixel;
            if (sum.a > 0)
                pixel = Colour{sum.r / sum.a, sum.g / sum.a, sum.b / sum.a, sum.a / (samples * samples)};
            line[px] = pack(pixel);
        }
    }
    return image;
}

}  // namespace

BufferedImage* Artwork::productIcon(int32_t size)
{
    BufferedImage* image = render(size, size, 8, [](double x, double y) { return iconAt(x, y); });
    if (image)
        image->setHasAlpha(true);
    return image;
}

BufferedImage* Artwork::aboutBanner(int32_t width, int32_t height)
{
    const double aspect = static_cast<double>(width) / height;
    BufferedImage* image = render(width, height, 2, [aspect](double x, double y) { return bannerAt(x, y, aspect); });
    if (image)
        image->setHasAlpha(false);
    return image;
}

}  // namespace resgen
