#pragma once
#include "thread/Factory.h"

namespace s::map {

// The process-wide pool of hash-table entries (records, kept up to 10000).
class MapEntryFactory : public s::thread::Factory {
public:
    static MapEntryFactory& instance();

    MapEntryFactory();
    ~MapEntryFactory() override;

    const char16_t* className() const override { return u"s_map_MapEntryFactory"; }

    int32_t objectSize(void* object) override;
    void resetObject(void* object) override;
    void destroyObject(void** object) override;
    void* generateRecord() override;
};

}  // namespace s::map
