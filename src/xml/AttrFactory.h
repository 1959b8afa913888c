#pragma once
#include "thread/Factory.h"

namespace s::xml {

// The process-wide pool of attribute records. Element attribute lists use it
// as their element disposer, so a released record keeps its block for reuse
// and only its strings are freed.
class AttrFactory : public s::thread::Factory {
public:
    static AttrFactory& instance();

    AttrFactory() = default;
    ~AttrFactory() override;

    const char16_t* className() const override { return u"s_xml_AttrFactory"; }

    int32_t objectSize(void* object) override;
    void resetObject(void* object) override;
    void destroyObject(void** object) override;
    // A zero-filled record.
    void* generateRecord() override;
};

}  // namespace s::xml
