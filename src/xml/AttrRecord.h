#pragma once
#include <cstdint>

namespace s::xml {

// One attribute of an element, as a plain block from the AttrFactory. A
// record whose name is empty holds a run of the element's text. Both strings
// are std::malloc'd, NUL-terminated and owned by the record; the value is kept
// in its escaped form.
struct AttrRecord {
    uint32_t nameLength;
    char16_t* name;
    uint32_t valueLength;
    char16_t* value;
};

}  // namespace s::xml
