#pragma once
#include <cstdint>
#include <string_view>

#include "base/IObject.h"
#include "col/_array/ArrayP.h"
#include "xml/AttrRecord.h"

namespace s::xml {

// The attributes of one element in insertion order, text runs included (they
// have the empty name). Names are looked up ignoring ASCII case; values are
// stored exactly as given, that is escaped.
class Attributes : public s::base::IObject {
public:
    Attributes();
    ~Attributes() override = default;
    Attributes(const Attributes&) = delete;
    Attributes& operator=(const Attributes&) = delete;

    const char16_t* className() const override { return u"s_xml_Attributes"; }
    s::base::IObject* newInstance() const override { return new Attributes; }

    int32_t count() const { return m_records.count(); }
    // No bounds check: callers stay within count().
    const AttrRecord& at(int32_t index) const { return *m_records.at(index); }

    // Position of the first attribute of that name, or -1.
    int32_t indexOf(std::u16string_view name) const;
    const AttrRecord* find(std::u16string_view name) const;

    // Appends a record; false only when memory ran out.
    bool add(std::u16string_view name, std::u16string_view value);
    // Removes the first attribute of that name; false when there is none.
    bool remove(std::u16string_view name);
    void removeAt(int32_t index);
    void clear() { m_records.clear(); }

    static std::u16string_view nameOf(const AttrRecord& record) { return {record.name ? record.name : u"", record.nameLength}; }
    static std::u16string_view valueOf(const AttrRecord& record) { return {record.value ? record.value : u"", record.valueLength}; }

private:
    s::col::_array::ArrayP<AttrRecord> m_records;  // owned through the attribute factory
};

}  // namespace s::xml
