#pragma once
#include <cstdint>

#include "col/_array/ArrayBase.h"
#include "image/IEncodeSetting.h"
#include "thread/PooledBy.h"

namespace s::image::ico {

// How pictures are written as an icon: one entry per value of entryShapes,
// (size << 16) | bit depth, each picture scaled to size x size (stretched,
// or fitted and centred on transparent black when keepRatio), with its
// transparency kept as mask and alpha or flattened onto the background.
class EncodeSetting : public s::image::IEncodeSetting, public s::thread::PooledBy<EncodeSetting> {
public:

    EncodeSetting() { reset(); }

    const char16_t* className() const override { return u"s_image_ico_EncodeSetting"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;

    // A new Icon with one entry per picture of the set (filters applied),
    // when entryShapes holds exactly one value per picture; else null.
    s::image::IEncodedImage* toEncodedSet(s::image::win::BufferedImageSet& set) override;
    // Null: an icon is only ever built from a set with entry shapes.
    s::image::IEncodedImage* toEncoded(const s::image::win::BufferedImage& image) override;

    bool keepTransparency() const { return m_keepTransparency; }
    void setKeepTransparency(bool flag) { m_keepTransparency = flag; }
    bool keepRatio() const { return m_keepRatio; }
    void setKeepRatio(bool flag) { m_keepRatio = flag; }
    s::col::_array::ArrayS32& entryShapes() { return m_entryShapes; }

private:
    bool m_keepTransparency = true;
    bool m_keepRatio = true;
    s::col::_array::ArrayS32 m_entryShapes;
};

}  // namespace s::image::ico
