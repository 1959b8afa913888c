#pragma once
#include <cstdint>

#include "base/IComparator.h"
#include "base/IObject.h"

namespace s::comp {

// Compares the two values its arguments point to: -1, 0 or 1.
template <class Value, const char16_t* Name>
class CompValue : public s::base::IObject, public s::base::IComparator {
public:
    static CompValue& instance()
    {
        static CompValue single;
        return single;
    }
    const char16_t* className() const override { return Name; }
    s::base::IObject* newInstance() const override { return &instance(); }
    int32_t compare(const void* a, const void* b) const override
    {
        const Value x = *static_cast<const Value*>(a);
        const Value y = *static_cast<const Value*>(b);
        return x < y ? -1 : (y < x ? 1 : 0);
    }
};

inline constexpr char16_t kCompPName[] = u"s_comp_CompP";
inline constexpr char16_t kCompU32Name[] = u"s_comp_CompU32";
inline constexpr char16_t kCompU08Name[] = u"s_comp_CompU08";
inline constexpr char16_t kCompS08Name[] = u"s_comp_CompS08";
inline constexpr char16_t kCompS32Name[] = u"s_comp_CompS32";

using CompP = CompValue<uintptr_t, kCompPName>;
using CompU32 = CompValue<uint32_t, kCompU32Name>;
using CompU08 = CompValue<uint8_t, kCompU08Name>;
using CompS08 = CompValue<int8_t, kCompS08Name>;
using CompS32 = CompValue<int32_t, kCompS32Name>;

}  // namespace s::comp
