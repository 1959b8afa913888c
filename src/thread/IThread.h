#pragma once
#include "base/IObject.h"
#include "thread/IPoolable.h"

namespace s::thread {

class IThread : public s::base::IObject {
};

}  // namespace s::thread
