#include "base/IComparable.h"

#include <cstdint>
#include <typeinfo>

#include "base/IComparator.h"

namespace s::base {

int32_t IComparable::compareTo(const IComparable* other, const IComparator* comparator) const
{
    if (comparator)
        return comparator->compare(this, other);
    if (this == other)
        return 0;
    return reinterpret_cast<uintptr_t>(this) < reinterpret_cast<uintptr_t>(other) ? -1 : 1;
}

int32_t IComparable::compareToIgnoreCase(const IComparable* other, const IComparator* comparator) const
{
    if (comparator)
        return comparator->compareIgnoreCase(this, other);
    return compareTo(other, nullptr);
}

bool IComparable::equals(const IComparable* other, const IComparator* comparator) const
{
    return compareTo(other, comparator) == 0;
}

bool IComparable::equalsIgnoreCase(const IComparable* other, const IComparator* comparator) const
{
    return compareToIgnoreCase(other, comparator) == 0;
}

uint32_t IComparable::hashCode() const
{
    // The same for every object of one most-derived class: its class identity.
    return static_cast<uint32_t>(typeid(*this).hash_code());
}

uint32_t IComparable::hashCodeIgnoreCase() const
{
    return hashCode();
}

}  // namespace s::base
