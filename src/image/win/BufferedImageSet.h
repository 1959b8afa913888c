#pragma once
#include <cstdint>

#include "col/_array/ArrayBase.h"
#include "col/_array/ArrayP.h"
#include "image/IImage.h"
#include "image/win/BufferedImage.h"
#include "thread/PooledBy.h"

namespace s::image::win {

// The pictures of one file, in file order, with each one's bit depth in
// the file, frame delay and disposal, and the set's animation attributes.
// The set owns its images.
class BufferedImageSet : public s::image::IImage, public s::thread::PooledBy<BufferedImageSet> {
public:
    static constexpr int32_t kPastTheEnd = 1000;

    // Where a frame of an animation lies: its own pixels are the area x, y,
    // width x height of its image (the whole image when width or height is
    // below 0), shown with their top-left corner at left, top of the
    // logical screen.
    struct FrameArea {
        int32_t left = 0;
        int32_t top = 0;
        int32_t x = 0;
        int32_t y = 0;
        int32_t width = -1;
        int32_t height = -1;
    };

    BufferedImageSet();
    ~BufferedImageSet() override;

    const char16_t* className() const override { return u"s_image_win_BufferedImageSet"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override { clearAndRelease(); }

    int32_t width() const override { return m_largestWidth; }
    int32_t height() const override { return m_largestHeight; }
    int32_t count() const { return m_images.count(); }
    // Takes ownership of image (null: nothing).
    void add(BufferedImage* image, int32_t bitDepth, int32_t delay, int32_t disposal);
    void add(BufferedImage* image) { add(image, 32, 0, 0); }
    int32_t updateLargest();
    bool isAnimated() const { return m_animated; }
    uint16_t loopCount() const { return m_loopCount; }
    void setAnimation(bool animated, uint16_t loopCount);
    int32_t bitDepthAt(int32_t index) const { return index < count() ? m_bitDepths.at(index) : kPastTheEnd; }
    int32_t delayAt(int32_t index) const { return index < count() ? m_delays.at(index) : kPastTheEnd; }
    int32_t disposalAt(int32_t index) const { return index < count() ? m_disposals.at(index) : kPastTheEnd; }
    // The frame area of an image; the whole image at the origin unless set,
    // and for an index past the end.
    FrameArea frameAreaAt(int32_t index) const { return index >= 0 && index < count() ? m_frameAreas.at(index) : FrameArea(); }
    void setFrameArea(int32_t index, const FrameArea& area);
    // The logical screen an animation is composed on; 0 x 0 when not known,
    // and then the frames' own extent.
    int32_t screenWidth() const { return m_screenWidth; }
    int32_t screenHeight() const { return m_screenHeight; }
    void setScreenSize(int32_t w, int32_t h);

    // New pooled sets; null when memory is refused.
    BufferedImageSet* copy() const;
    // The pictures an animation shows, one per frame, each the size of the
    // logical screen; null when memory is refused or the pictures together
    // would pass the image model's pixel cap.
    BufferedImageSet* composed() const;
    BufferedImageSet* scaled(int32_t w, int32_t h, bool keepRatio) const;
    BufferedImageSet* filtered() const;

    int32_t primaryIndex() const { return m_primaryIndex; }
    int32_t primaryDepth() const { return m_primaryDepth; }
    BufferedImage* primary() const { return count() ? item(m_primaryIndex) : nullptr; }
    bool findExact(int32_t w, int32_t h, int32_t bitDepth, int32_t* indexOut) const;
    bool findNearestDepth(int32_t w, int32_t h, int32_t bitDepth, int32_t* indexOut) const;
    bool findNearestSize(int32_t w, int32_t h, int32_t bitDepth, int32_t* indexOut) const;

    // Forgets the images without releasing them.
    void clear();
    void clearAndRelease();
    // No bounds check: callers stay within count().
    BufferedImage* item(int32_t index) const { return m_images.at(index); }

private:
    bool findNearest(int32_t w, int32_t h, int32_t bitDepth, bool bySize, int32_t* indexOut) const;
    // A new set with this set's per-image values and animation attributes,
    // holding make(i) for each image; null if any make() fails. Frame areas
    // and the screen go along when the images keep their size and place.
    template <class Make>
    BufferedImageSet* derive(Make make, bool keepPlacement) const;
    bool composedCanvasSize(int32_t* w, int32_t* h) const;

    s::col::_array::ArrayP<BufferedImage> m_images;
    s::col::_array::ArrayS32 m_bitDepths;
    s::col::_array::ArrayS32 m_delays;
    s::col::_array::ArrayS32 m_disposals;
    s::col::_array::ArrayBase<FrameArea> m_frameAreas;
    int32_t m_screenWidth = 0;
    int32_t m_screenHeight = 0;
    bool m_animated = false;
    uint16_t m_loopCount = 1;
    int32_t m_largestWidth = 0;
    int32_t m_largestHeight = 0;
    int32_t m_primaryDepth = 0;
    int32_t m_primaryIndex = 0;
};

}  // namespace s::image::win
