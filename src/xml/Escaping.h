#pragma once
#include <string>
#include <string_view>

namespace s::xml {

// The two escaping tables of the document model. Values are escaped when
// they are set and unescaped when they are read, so the tree always holds
// what the file holds.
//
// Named attributes sit between double quotes: the quote, "&", "<" and line
// ends are escaped, and nothing is trimmed on the way back. Element text is
// trimmed on reading (files are free to indent it), so every character that
// trimming would eat is written as an entity: spaces ("&#160;"), line ends,
// TAB ("&#9;") and the ideographic space ("&#12288;").
class Escaping {
public:
    static void appendEscapedAttribute(std::u16string& out, std::u16string_view value);
    static void appendEscapedText(std::u16string& out, std::u16string_view value);
    static void appendUnescapedAttribute(std::u16string& out, std::u16string_view stored);
    // Skips leading blanks, replaces entities, then drops trailing blanks, but
    // never one that came from an entity nor anything before it.
    static void appendUnescapedText(std::u16string& out, std::u16string_view stored);

    static bool isBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }
};

}  // namespace s::xml
