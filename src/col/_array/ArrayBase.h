#pragma once
#include <cstdint>
#include <vector>

#include "base/IObject.h"
#include "col/_array/Growth.h"

namespace s::col::_array {

// A growable array of plain values with the framework's growth rule. The
// element-type variants (ArrayU08, ArrayS32...) are instances of it.
template <class Value>
class ArrayBase {
public:
    int32_t count() const { return static_cast<int32_t>(m_elements.size()); }
    bool isEmpty() const { return m_elements.empty(); }
    size_t capacity() const { return m_elements.capacity(); }

    void add(Value value)
    {
        growFor(m_elements, m_elements.size() + 1);
        m_elements.push_back(value);
    }
    void insert(int32_t index, Value value)
    {
        growFor(m_elements, m_elements.size() + 1);
        m_elements.insert(m_elements.begin() + index, value);
    }
    Value removeAt(int32_t index)
    {
        Value value = m_elements[static_cast<size_t>(index)];
        m_elements.erase(m_elements.begin() + index);
        return value;
    }
    // No bounds check: callers stay within count().
    Value& at(int32_t index) { return m_elements[static_cast<size_t>(index)]; }
    const Value& at(int32_t index) const { return m_elements[static_cast<size_t>(index)]; }
    Value* data() { return m_elements.data(); }
    const Value* data() const { return m_elements.data(); }

    // Empties the array, keeping its storage.
    void clear() { m_elements.clear(); }
    // Empties the array and frees its storage.
    void clearAndFree() { std::vector<Value>().swap(m_elements); }

protected:
    std::vector<Value> m_elements;
};

using ArrayU08 = ArrayBase<uint8_t>;
using ArrayS32 = ArrayBase<int32_t>;
using ArrayU32 = ArrayBase<uint32_t>;

}  // namespace s::col::_array
