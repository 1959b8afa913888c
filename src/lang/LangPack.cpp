#include "lang/LangPack.h"

#include "thread/Pooled.h"

namespace s::lang {

using s::str::strbuffer::StrBuffer;

LangPack::LangPack()
{
    m_texts.setElementDisposer(&StrBuffer::classPool());
    m_stringKeys.setElementDisposer(&StrBuffer::classPool());
    m_stringTexts.setElementDisposer(&StrBuffer::classPool());
}

LangPack::~LangPack() { reset(); }

void LangPack::reset()
{
    // The map refers to the lists' strings: empty it first.
    m_stringMap.clear();
    m_stringKeys.clearAndFree();
    m_stringTexts.clearAndFree();
    m_texts.clearAndFree();
    m_ids.clearAndFree();
    m_tagName.reset();
    m_engName.reset();
    m_trueName.reset();
}

void LangPack::setNames(std::u16string_view tagName, std::u16string_view engName, std::u16string_view trueName)
{
    m_tagName.setText(tagName);
    m_engName.setText(engName);
    m_trueName.setText(trueName);
}

int32_t LangPack::indexOf(int32_t id) const
{
    for (int32_t i = 0; i < m_ids.count(); ++i) {
        if (m_ids.at(i) == id)
            return i;
    }
    return -1;
}

void LangPack::addText(int32_t id, std::u16string_view text)
{
    m_ids.add(id);
    m_texts.add(StrBuffer::make(text));
}

const char16_t* LangPack::text(int32_t id) const
{
    const int32_t index = indexOf(id);
    return index < 0 ? u"" : m_texts.at(index)->text();
}

bool LangPack::addKeyText(std::u16string_view key, std::u16string_view text)
{
    s::thread::Pooled<StrBuffer> keyString(StrBuffer::make(key));
    s::thread::Pooled<StrBuffer> textString(StrBuffer::make(text));
    if (!m_stringMap.put(keyString.get(), textString.get()))
        return false;
    m_stringKeys.add(keyString.take());
    m_stringTexts.add(textString.take());
    return true;
}

bool LangPack::hasKey(std::u16string_view key) const
{
    s::thread::Pooled<StrBuffer> probe(StrBuffer::make(key));
    return m_stringMap.containsKey(probe.get());
}

const char16_t* LangPack::keyText(std::u16string_view key) const
{
    s::thread::Pooled<StrBuffer> probe(StrBuffer::make(key));
    const auto* text = static_cast<const StrBuffer*>(m_stringMap.get(probe.get()));
    return text ? text->text() : u"";
}

}  // namespace s::lang
