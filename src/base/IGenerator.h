#pragma once

namespace s::base {

class IObject;

class IGenerator {
public:
    virtual ~IGenerator() = default;
    virtual IObject* generate() = 0;
};

}  // namespace s::base
