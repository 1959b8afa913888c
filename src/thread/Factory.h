#pragma once
#include "thread/PoolerBase.h"

namespace s::thread {

// Base of the concrete record factories.
class Factory : public PoolerBase {
public:
    const char16_t* className() const override { return u"s_thread_Factory"; }
};

}  // namespace s::thread
