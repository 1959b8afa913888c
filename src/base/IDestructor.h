#pragma once

namespace s::base {

// A disposal strategy for the elements of a container: return them to a
// pool, delete them or free their raw memory.
class IDestructor {
public:
    virtual ~IDestructor() = default;
    // Disposes of *object when it is non-null, then nulls the pointer.
    virtual void dispose(void** object) = 0;
};

}  // namespace s::base
