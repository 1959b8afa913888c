#pragma once
#include <type_traits>

#include "base/IDestructor.h"
#include "col/_array/ArrayBase.h"

namespace s::col::_array {

// An array of object pointers. With an element disposer it owns its
// elements: clearing it disposes of each one (back to a pool, deleted or
// freed). Without one, clearing merely forgets them.
template <class T = s::base::IObject>
class ArrayP : public ArrayBase<T*> {
public:
    ArrayP() = default;
    ~ArrayP() { clear(); }
    ArrayP(const ArrayP&) = delete;
    ArrayP& operator=(const ArrayP&) = delete;

    void setElementDisposer(s::base::IDestructor* disposer) { m_elementDisposer = disposer; }
    s::base::IDestructor* elementDisposer() const { return m_elementDisposer; }

    // Disposes of the elements (when there is a disposer) and empties the array.
    void clear() { disposeAll(); this->m_elements.clear(); }
    void clearAndFree() { disposeAll(); this->m_elements = std::vector<T*>(); }
    // Empties the array without disposing of anything.
    void forget() { this->m_elements.clear(); }
    void forgetAndFree() { this->m_elements = std::vector<T*>(); }
    // Disposes of one element.
    void disposeOf(T* element) const
    {
        if (!m_elementDisposer || !element)
            return;
        void* raw = toRaw(element);
        m_elementDisposer->dispose(&raw);
    }

private:
    static void* toRaw(T* element)
    {
        // Disposers that know objects expect the IObject address.
        if constexpr (std::is_base_of_v<s::base::IObject, T>)
            return static_cast<s::base::IObject*>(element);
        else
            return element;
    }
    void disposeAll()
    {
        if (!m_elementDisposer)
            return;
        // Detach first, so a disposer that looks at this array sees it empty.
        std::vector<T*> elements;
        elements.swap(this->m_elements);
        for (T* element : elements)
            disposeOf(element);
        elements.clear();
        this->m_elements.swap(elements);
    }

    s::base::IDestructor* m_elementDisposer = nullptr;  // not owned
};

}  // namespace s::col::_array
