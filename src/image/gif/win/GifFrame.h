#pragma once
#include <cstdint>
#include <memory>

#include "base/IObject.h"
#include "thread/PooledBy.h"

namespace s::image::gif::win {

// One picture of a GIF: one palette index per pixel, a 256-entry colour
// table and the frame's place on the logical screen. The table always has
// room for every index a byte can hold, so a pixel whose index lies past the
// colours a file gave reads as black, never as memory.
class GifFrame : public s::base::IObject, public s::thread::PooledBy<GifFrame> {
public:
    static constexpr int32_t kTableEntries = 256;
    // GIF stores sizes and offsets in 16 bits.
    static constexpr int32_t kMaxSide = 65535;

    GifFrame() { reset(); }

    const char16_t* className() const override { return u"s_image_gif_win_GifFrame"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;

    // width x height indices, all 0, and a black table. False (and an empty
    // frame) for a side outside 1..kMaxSide, more pixels than the image
    // model's cap, or memory refused.
    bool create(int32_t width, int32_t height);

    int32_t width() const { return m_width; }
    int32_t height() const { return m_height; }
    int32_t left() const { return m_left; }
    int32_t top() const { return m_top; }
    void setPlacement(int32_t left, int32_t top)
    {
        m_left = left;
        m_top = top;
    }
    // Rows are width bytes each, top row first, without padding.
    uint8_t* indices() { return m_indices.get(); }
    const uint8_t* indices() const { return m_indices.get(); }
    uint8_t* row(int32_t y) { return m_indices.get() + static_cast<size_t>(y) * static_cast<size_t>(m_width); }
    const uint8_t* row(int32_t y) const { return m_indices.get() + static_cast<size_t>(y) * static_cast<size_t>(m_width); }
    // Entries 0x00RRGGBB.
    uint32_t* colorTable() { return m_colorTable; }
    const uint32_t* colorTable() const { return m_colorTable; }

private:
    std::unique_ptr<uint8_t[]> m_indices;  // owned, width x height
    int32_t m_width = 0;
    int32_t m_height = 0;
    int32_t m_left = 0;
    int32_t m_top = 0;
    uint32_t m_colorTable[kTableEntries] = {};
};

}  // namespace s::image::gif::win
