#pragma once
#include "base/IComparable.h"

namespace s::base {

// Root of every framework class. className() is the namespace path joined
// with underscores, e.g. "s_thread_EasyPooler".
class IObject : public IComparable {
public:
    virtual const char16_t* className() const = 0;
    // A fresh object of the same class; pooled classes take it from their pool.
    virtual IObject* newInstance() const = 0;
};

}  // namespace s::base
