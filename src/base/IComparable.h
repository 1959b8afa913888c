#pragma once
#include <cstdint>

namespace s::base {

class IComparator;

// Ordering and hashing shared by every framework object. The defaults order
// objects by address and hash them by class; text-holding classes override
// all six so that they can serve as map keys.
class IComparable {
public:
    virtual ~IComparable() = default;
    virtual int32_t compareTo(const IComparable* other, const IComparator* comparator = nullptr) const;
    virtual int32_t compareToIgnoreCase(const IComparable* other, const IComparator* comparator = nullptr) const;
    virtual bool equals(const IComparable* other, const IComparator* comparator = nullptr) const;
    virtual bool equalsIgnoreCase(const IComparable* other, const IComparator* comparator = nullptr) const;
    virtual uint32_t hashCode() const;
    virtual uint32_t hashCodeIgnoreCase() const;
};

}  // namespace s::base
