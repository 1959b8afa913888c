#include "map/MapEntryFactory.h"

#include <cstdlib>
#include <cstring>

#include "map/MapEntry.h"
#include "thread/EasyPooler.h"

namespace s::map {

MapEntryFactory& MapEntryFactory::instance()
{
    static MapEntryFactory single;
    return single;
}

MapEntryFactory::MapEntryFactory() { m_maxIdle = s::thread::kPoolRecordCapacity; }

MapEntryFactory::~MapEntryFactory() { destroyIdle(); }

int32_t MapEntryFactory::objectSize(void*) { return static_cast<int32_t>(sizeof(MapEntry)); }

void MapEntryFactory::resetObject(void* object) { std::memset(object, 0, sizeof(MapEntry)); }

void MapEntryFactory::destroyObject(void** object)
{
    if (!object)
        return;
    std::free(*object);
    *object = nullptr;
}

void* MapEntryFactory::generateRecord() { return std::calloc(1, sizeof(MapEntry)); }

}  // namespace s::map
