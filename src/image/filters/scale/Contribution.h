#pragma once
#include <cstdint>
#include <memory>

#include "base/IObject.h"
#include "thread/PooledBy.h"

namespace s::image::filters::scale {

class IScaleFilter;

// The weights of one resampling pass: for each destination pixel the run of
// source pixels first..last that feed it and their weights in 16.16 fixed
// point. Entries are laid out as first, last, then taps() weights, each a
// signed 32-bit value, entryBytes() bytes an entry.
class Contribution : public s::base::IObject, public s::thread::PooledBy<Contribution> {
public:
    Contribution() { reset(); }

    const char16_t* className() const override { return u"s_image_filters_scale_Contribution"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;

    // Fills the table for a pass from sourceSize to destinationSize pixels;
    // scale is destinationSize / sourceSize. False (and an empty table) for
    // sizes below 1 or a table that would not fit in memory.
    bool build(const IScaleFilter& filter, int32_t destinationSize, int32_t sourceSize, double scale);

    int32_t count() const { return m_count; }
    int32_t taps() const { return m_taps; }
    int32_t entryBytes() const { return m_entryBytes; }
    int32_t first(int32_t entry) const { return field(entry, 0); }
    int32_t last(int32_t entry) const { return field(entry, 1); }
    // Weight k of an entry belongs to source index first(entry) + k.
    int32_t weight(int32_t entry, int32_t k) const { return field(entry, 2 + k); }

private:
    int32_t field(int32_t entry, int32_t slot) const;
    void setField(int32_t entry, int32_t slot, int32_t value);
    void buildEntry(const IScaleFilter& filter, int32_t entry, int32_t sourceSize, double scale, double width, double filterScale, double* weights);

    int32_t m_count = 0;
    int32_t m_taps = 0;
    int32_t m_entryBytes = 0;
    // Sized once per pass, so a plain block rather than a growable array.
    std::unique_ptr<uint8_t[]> m_entries;  // owned
};

}  // namespace s::image::filters::scale
