#pragma once

namespace s::thread {

// Second base of every pooled class: release() hands the object back to its
// class pool, which resets it.
class IPoolable {
public:
    virtual ~IPoolable() = default;
    virtual void release() = 0;
    virtual void reset() = 0;
};

}  // namespace s::thread
