#include "xml/AttrFactory.h"

#include <cstdlib>
#include <cstring>

#include "xml/AttrRecord.h"

namespace s::xml {

AttrFactory& AttrFactory::instance()
{
    static AttrFactory single;
    return single;
}

AttrFactory::~AttrFactory() { destroyIdle(); }

int32_t AttrFactory::objectSize(void*) { return static_cast<int32_t>(sizeof(AttrRecord)); }

void AttrFactory::resetObject(void* object)
{
    auto* record = static_cast<AttrRecord*>(object);
    std::free(record->name);
    std::free(record->value);
    std::memset(record, 0, sizeof(AttrRecord));
}

void AttrFactory::destroyObject(void** object)
{
    if (!object || !*object)
        return;
    auto* record = static_cast<AttrRecord*>(*object);
    std::free(record->name);
    std::free(record->value);
    std::free(record);
    *object = nullptr;
}

void* AttrFactory::generateRecord() { return std::calloc(1, sizeof(AttrRecord)); }

}  // namespace s::xml
