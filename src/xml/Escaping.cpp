#include "xml/Escaping.h"

namespace s::xml {

namespace {

struct Entity {
    std::u16string_view text;
    char16_t character;
    bool keepsBlank;  // the character survives the trimming of element text
};

constexpr Entity kAttributeEntities[] = {
    {u"&amp;", u'&', false},  {u"&lt;", u'<', false},   {u"&quot;", u'"', false},
    {u"&#13;", u'\r', false}, {u"&#10;", u'\n', false},
};

constexpr Entity kTextEntities[] = {
    {u"&amp;", u'&', false},    {u"&lt;", u'<', false},   {u"&gt;", u'>', false},
    {u"&#160;", u' ', true},    {u"&#13;", u'\r', true},  {u"&#10;", u'\n', true},
    {u"&#9;", u'\t', true},     {u"&#12288;", u'\u3000', true},
};

// Characters the trimming of element text removes from the end.
bool isTrailingBlank(char16_t c) { return c == u' ' || c == u'\n' || c == u'\u3000' || c == u'\t' || c == u'\r'; }

template <size_t N>
const Entity* entityAt(std::u16string_view stored, size_t position, const Entity (&table)[N])
{
    const std::u16string_view rest = stored.substr(position);
    for (const Entity& entity : table) {
        if (rest.substr(0, entity.text.size()) == entity.text)
            return &entity;
    }
    return nullptr;
}

}  // namespace

void Escaping::appendEscapedAttribute(std::u16string& out, std::u16string_view value)
{
    for (char16_t c : value) {
        switch (c) {
        case u'\n': out += u"&#10;"; break;
        case u'\r': out += u"&#13;"; break;
        case u'"': out += u"&quot;"; break;
        case u'&': out += u"&amp;"; break;
        case u'<': out += u"&lt;"; break;
        default: out += c; break;
        }
    }
}

void Escaping::appendEscapedText(std::u16string& out, std::u16string_view value)
{
    for (char16_t c : value) {
        switch (c) {
        case u'\n': out += u"&#10;"; break;
        case u'\r': out += u"&#13;"; break;
        case u'&': out += u"&amp;"; break;
        case u'<': out += u"&lt;"; break;
        case u'>': out += u"&gt;"; break;
        case u' ': out += u"&#160;"; break;
        case u'\t': out += u"&#9;"; break;
        case u'\u3000': out += u"&#12288;"; break;
        default: out += c; break;
        }
    }
}

void Escaping::appendUnescapedAttribute(std::u16string& out, std::u16string_view stored)
{
    size_t i = 0;
    while (i < stored.size()) {
        if (stored[i] == u'&') {
            if (const Entity* entity = entityAt(stored, i, kAttributeEntities)) {
                out += entity->character;
                i += entity->text.size();
                continue;
            }
        }
        out += stored[i++];
    }
}

void Escaping::appendUnescapedText(std::u16string& out, std::u16string_view stored)
{
    size_t i = 0;
    while (i < stored.size() && isBlank(stored[i]))
        ++i;
    const size_t start = out.size();
    size_t kept = start;  // out[start, kept) may not be trimmed
    while (i < stored.size()) {
        if (stored[i] == u'&') {
            if (const Entity* entity = entityAt(stored, i, kTextEntities)) {
                out += entity->character;
                if (entity->keepsBlank)
                    kept = out.size();
                i += entity->text.size();
                continue;
            }
        }
        out += stored[i++];
    }
    size_t end = out.size();
    while (end > kept && isTrailingBlank(out[end - 1]))
        --end;
    out.resize(end);
}

}  // namespace s::xml
