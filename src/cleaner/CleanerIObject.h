#pragma once
#include "base/IDestructor.h"
#include "base/IObject.h"

namespace s::cleaner {

// Deletes a container's elements through their virtual destructor.
class CleanerIObject : public s::base::IObject, public s::base::IDestructor {
public:
    static CleanerIObject& instance();
    const char16_t* className() const override { return u"s_cleaner_CleanerIObject"; }
    s::base::IObject* newInstance() const override { return &instance(); }
    void dispose(void** object) override;
};

}  // namespace s::cleaner
