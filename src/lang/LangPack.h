#pragma once
#include <cstdint>
#include <string_view>

#include "base/IObject.h"
#include "col/_array/ArrayBase.h"
#include "col/_array/ArrayP.h"
#include "map/MapTable.h"
#include "str/strbuffer/StrBuffer.h"
#include "thread/PooledBy.h"

namespace s::lang {

// The texts of one language: by numeric id (in the order added; the first
// text of an id wins) and by string key.
class LangPack : public s::base::IObject, public s::thread::PooledBy<LangPack> {
public:
    LangPack();
    ~LangPack() override;

    const char16_t* className() const override { return u"s_lang_LangPack"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;

    const s::str::strbuffer::StrBuffer& tagName() const { return m_tagName; }
    const s::str::strbuffer::StrBuffer& engName() const { return m_engName; }
    const s::str::strbuffer::StrBuffer& trueName() const { return m_trueName; }
    void setNames(std::u16string_view tagName, std::u16string_view engName, std::u16string_view trueName);

    void addText(int32_t id, std::u16string_view text);
    bool hasId(int32_t id) const { return indexOf(id) >= 0; }
    // The first text of the id, or the empty text.
    const char16_t* text(int32_t id) const;
    int32_t textCount() const { return m_ids.count(); }

    // False when the key has a text already.
    bool addKeyText(std::u16string_view key, std::u16string_view text);
    bool hasKey(std::u16string_view key) const;
    const char16_t* keyText(std::u16string_view key) const;

private:
    int32_t indexOf(int32_t id) const;

    s::str::strbuffer::StrBuffer m_tagName;
    s::str::strbuffer::StrBuffer m_engName;
    s::str::strbuffer::StrBuffer m_trueName;
    s::col::_array::ArrayS32 m_ids;
    s::col::_array::ArrayP<s::str::strbuffer::StrBuffer> m_texts;       // owned, parallel to m_ids
    s::col::_array::ArrayP<s::str::strbuffer::StrBuffer> m_stringKeys;  // owned
    s::col::_array::ArrayP<s::str::strbuffer::StrBuffer> m_stringTexts; // owned, parallel to m_stringKeys
    s::map::MapTable m_stringMap;  // key -> text, both held by the lists above
};

}  // namespace s::lang
