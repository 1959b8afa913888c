#pragma once
#include <cstdint>

namespace s::base {
class IObject;
}

namespace s::map {

// One entry of a MapTable's chain, a plain record from the MapEntryFactory.
struct MapEntry {
    uint32_t hash;
    s::base::IObject* key;    // owned by the table when it has a key disposer
    s::base::IObject* value;  // owned by the table when it has a value disposer
    MapEntry* next;
};

}  // namespace s::map
