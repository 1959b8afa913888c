#pragma once
#include "base/IDestructor.h"
#include "base/IObject.h"

namespace s::cleaner {

// Frees a container's elements as raw memory blocks (std::malloc'd).
class CleanerRawObject : public s::base::IObject, public s::base::IDestructor {
public:
    static CleanerRawObject& instance();
    const char16_t* className() const override { return u"s_cleaner_CleanerRawObject"; }
    s::base::IObject* newInstance() const override { return &instance(); }
    void dispose(void** object) override;
};

}  // namespace s::cleaner
