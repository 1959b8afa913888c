#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "col/_array/ArrayBase.h"
#include "col/_array/ArrayP.h"
#include "str/strbuffer/StrBuffer.h"
#include "thread/Pooled.h"
#include "xml/ArrayText.h"
#include "xml/Attributes.h"
#include "xml/Node.h"

using s::str::strbuffer::StrBuffer;
using s::thread::Pooled;
using s::xml::Attributes;
using s::xml::Node;

namespace {

Pooled<Node> parsed(std::u16string_view text)
{
    Pooled<Node> node(Node::take());
    node->parse(text);
    return node;
}

std::u16string written(const Node& node)
{
    Pooled<StrBuffer> out(node.write(nullptr));
    return out->str();
}

std::u16string stringOf(const Node& node, std::u16string_view name, std::u16string_view fallback = u"<missing>")
{
    StrBuffer out;
    node.getString(out, name, fallback);
    return out.str();
}

// The stored (escaped) values of the attributes named `name`, in order.
std::vector<std::u16string> storedValues(const Node& node, std::u16string_view name)
{
    std::vector<std::u16string> values;
    for (int32_t i = 0; i < node.attributes().count(); ++i) {
        const auto& record = node.attributes().at(i);
        if (Attributes::nameOf(record) == name)
            values.emplace_back(Attributes::valueOf(record));
    }
    return values;
}

int32_t depthOf(const Node& node)
{
    int32_t deepest = 0;
    for (int32_t i = 0; i < node.childCount(); ++i)
        deepest = std::max(deepest, depthOf(*node.childAt(i)));
    return deepest + 1;
}

}  // namespace

// --- The shapes the language pack and the settings file use ------------------------------------

TEST(XmlParse, LanguageListOfEmptyElements)
{
    auto root = parsed(u"<lang>\n <languages>\n  <entry tagName=\"eng\" engName=\"English\" trueName=\"English\"/>\n"
                       u"  <entry tagName=\"deu\" engName=\"German\" trueName=\"Deutsch\"/>\n </languages>\n</lang>");
    ASSERT_TRUE(root->nameEquals(u"lang"));
    ASSERT_EQ(root->childCount(), 1);
    const Node* languages = root->childAt(0);
    EXPECT_TRUE(languages->nameEquals(u"languages"));
    ASSERT_EQ(languages->childCount(), 2);
    const Node* english = languages->childAt(0);
    EXPECT_TRUE(english->nameEquals(u"entry"));
    EXPECT_EQ(english->attributes().count(), 3);
    EXPECT_EQ(english->attributes().find(u""), nullptr);  // no text attribute
    EXPECT_EQ(stringOf(*english, u"engName"), u"English");
    EXPECT_EQ(stringOf(*languages->childAt(1), u"trueName"), u"Deutsch");
}

TEST(XmlParse, EntryKeepsItsCommentLineAsFirstTextAndOneChildPerLanguage)
{
    auto entry = parsed(u"<entry id=\"609450\">\n    Status bar text while idle\n    <eng>Ready</eng>\n"
                        u"    <deu>Bereit</deu>\n  </entry>");
    ASSERT_EQ(entry->childCount(), 2);
    EXPECT_EQ(stringOf(*entry, u""), u"Status bar text while idle");
    EXPECT_EQ(entry->rawValue(u"id", nullptr), std::u16string(u"609450"));
    EXPECT_EQ(stringOf(*entry->childAt(0), u""), u"Ready");
    EXPECT_TRUE(entry->childAt(1)->nameEquals(u"deu", 3));
    EXPECT_EQ(stringOf(*entry->childAt(1), u""), u"Bereit");
}

TEST(XmlParse, CommentsBecomeNoNodes)
{
    auto root = parsed(u"<a><!-- one --><b/><!-- two <c/> --><d></d><!----></a>");
    ASSERT_EQ(root->childCount(), 2);
    EXPECT_TRUE(root->childAt(0)->nameEquals(u"b"));
    EXPECT_TRUE(root->childAt(1)->nameEquals(u"d"));
}

TEST(XmlWrite, OneLineWithoutDeclarationAndEmptyElementsAsTwoTags)
{
    Pooled<Node> root(Node::take());
    root->setName(u"savedata");
    root->addChild(u"View")->setInt32(u"x", 5);
    EXPECT_EQ(written(*root), u"<savedata><View x=\"5\"></View></savedata>");

    // Only the first text run is written.
    auto mixed = parsed(u"<a>one<b/>two</a>");
    EXPECT_EQ(storedValues(*mixed, u"").size(), 2u);
    EXPECT_EQ(written(*mixed), u"<a>one<b></b></a>");
}

TEST(XmlWrite, AppendsOrReplacesInTheGivenString)
{
    auto root = parsed(u"<a/>");
    StrBuffer out;
    out.setText(u"before:");
    root->write(&out, true);
    EXPECT_EQ(out.str(), u"before:<a></a>");
    root->write(&out, false);
    EXPECT_EQ(out.str(), u"<a></a>");

    // UTF-8, no byte-order mark, appended or replacing.
    auto text = parsed(u"<a>\u00C4</a>");
    std::unique_ptr<s::col::_array::ArrayU08> bytes(text->toUtf8(nullptr));
    EXPECT_EQ(std::string(bytes->data(), bytes->data() + bytes->count()), "<a>\xC3\x84</a>");
    text->toUtf8(bytes.get(), true);
    EXPECT_EQ(bytes->count(), 18);
}

// --- Escaping ---------------------------------------------------------------------------------------

TEST(XmlEscaping, SetStoresTheEscapedFormAndGetReturnsTheValue)
{
    struct Case {
        std::u16string_view name;  // "" is the element's text
        std::u16string_view value;
        std::u16string_view stored;
    };
    const Case cases[] = {
        {u"a", u"x<y>\"q\"&z", u"x&lt;y>&quot;q&quot;&amp;z"},
        {u"a", u"line\r\nnext", u"line&#13;&#10;next"},
        {u"a", u" spaced\ttab ", u" spaced\ttab "},
        {u"a", u"&#10;", u"&amp;#10;"},
        {u"", u"two words", u"two&#160;words"},
        {u"", u"  padded  ", u"&#160;&#160;padded&#160;&#160;"},
        {u"", u"<<\u00A0Minimize", u"&lt;&lt;\u00A0Minimize"},
        {u"", u"Options >>", u"Options&#160;&gt;&gt;"},
        {u"", u"say \"hi\"\n", u"say&#160;\"hi\"&#10;"},
        {u"", u"\ttabbed\t", u"&#9;tabbed&#9;"},
        {u"", u"\u3000wide\u3000", u"&#12288;wide&#12288;"},
        {u"", u"&amp;", u"&amp;amp;"},
        {u"", u"", u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.stored.begin(), c.stored.end()));
        Pooled<Node> node(Node::take());
        node->setName(u"e");
        node->setString(c.name, c.value);
        EXPECT_EQ(node->rawValue(c.name, nullptr), std::u16string(c.stored));
        EXPECT_EQ(stringOf(*node, c.name), c.value);
        // And through a file's text form.
        auto reread = parsed(written(*node));
        EXPECT_EQ(stringOf(*reread, c.name, u""), c.value);
    }
}

TEST(XmlEscaping, HandWrittenTextIsTrimmedButEntitiesSurvive)
{
    struct Case {
        std::u16string_view stored;
        std::u16string_view text;
    };
    const Case cases[] = {
        {u"  Ready \t\r\n  ", u"Ready"},
        {u"&#160;Ready&#160;", u" Ready "},
        {u"Ready&#10; \t", u"Ready\n"},
        {u"a&#13;\u3000", u"a\r"},
        {u"a \u3000 ", u"a"},
        {u"\u3000a", u"\u3000a"},  // only blanks are skipped at the start
        {u"a&unknown;b&", u"a&unknown;b&"},
        {u"&lt;&lt; x &gt;&gt;", u"<< x >>"},
        {u"&quot;", u"&quot;"},  // not a text entity
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.stored.begin(), c.stored.end()));
        Pooled<Node> node(Node::take());
        node->attributes().add(u"", c.stored);
        EXPECT_EQ(stringOf(*node, u""), c.text);
    }
    // Named attributes keep every character and know their own entities only.
    auto named = parsed(u"<a v=\"  x&#160;&gt;&quot;  \"/>");
    EXPECT_EQ(stringOf(*named, u"v"), u"  x&#160;&gt;\"  ");
}

// --- Typed values -----------------------------------------------------------------------------------

TEST(XmlValues, SettersAppendAndGettersReadTheFirst)
{
    Pooled<Node> node(Node::take());
    node->setInt32(u"x", 1);
    node->setInt32(u"X", 2);
    EXPECT_EQ(node->attributes().count(), 2);
    EXPECT_EQ(node->getInt32(u"x", -1), 1);
    EXPECT_EQ(node->getInt32(u"missing", -1), -1);
    EXPECT_EQ(stringOf(*node, u"missing", u"default"), u"default");
    StrBuffer out;
    out.setText(u"keep+");
    node->getString(out, u"missing", u"default", true);
    EXPECT_EQ(out.str(), u"keep+default");
}

TEST(XmlValues, SettersFormatAsDocumented)
{
    Pooled<Node> node(Node::take());
    node->setInt64(u"i64", INT64_MIN);
    node->setUInt32(u"u32", 4294967295u);
    node->setInt8(u"i8", -128);
    node->setFloat(u"f", 1.5f);
    node->setDouble(u"d", -0.25);
    node->setDouble(u"big", 1e300);
    const uint8_t bytes[] = {0x00, 0xAB, 0x7F};
    node->setByteArray(u"bytes", bytes, 3);
    const uint16_t words[] = {1, 0xBEEF};
    node->setUInt16Array(u"words", words, 2);
    const int32_t ints[] = {-1, 16};
    node->setInt32Array(u"ints", ints, 2);
    const int64_t longs[] = {-2};
    node->setInt64Array(u"longs", longs, 1);
    const uint64_t pairs[] = {0x1122334455667788ull};
    node->setWordPairArray(u"pairs", pairs, 1);

    EXPECT_EQ(node->rawValue(u"i64", nullptr), std::u16string(u"-9223372036854775808"));
    EXPECT_EQ(node->rawValue(u"u32", nullptr), std::u16string(u"4294967295"));
    EXPECT_EQ(node->rawValue(u"i8", nullptr), std::u16string(u"-128"));
    EXPECT_EQ(node->rawValue(u"f", nullptr), std::u16string(u"1.500000"));
    EXPECT_EQ(node->rawValue(u"d", nullptr), std::u16string(u"-0.250000"));
    // A fixed buffer would have cut this one short and stored another number.
    EXPECT_EQ(std::u16string(node->rawValue(u"big", nullptr)).size(), 301u + 7u);
    EXPECT_EQ(node->rawValue(u"bytes", nullptr), std::u16string(u"00ab7f"));
    EXPECT_EQ(node->rawValue(u"words", nullptr), std::u16string(u"0001beef"));
    EXPECT_EQ(node->rawValue(u"ints", nullptr), std::u16string(u"ffffffff00000010"));
    EXPECT_EQ(node->rawValue(u"longs", nullptr), std::u16string(u"fffffffffffffffe"));
    EXPECT_EQ(node->rawValue(u"pairs", nullptr), std::u16string(u"5566778811223344"));
}

TEST(XmlValues, GettersConvertLikeTheCLibraryOnBothBuilds)
{
    struct Case {
        std::u16string_view stored;
        int32_t int32;
        int64_t int64;
        uint32_t uint32;
        int8_t int8;
        uint8_t uint8;
        bool flag;
    };
    const Case cases[] = {
        {u"42", 42, 42, 42, 42, 42, false},
        {u" \t-12px", -12, -12, 4294967284u, -12, 244, false},
        {u"+7", 7, 7, 7, 7, 7, false},
        {u"abc", 0, 0, 0, 0, 0, false},
        {u"", 0, 0, 0, 0, 0, false},
        {u"1", 1, 1, 1, 1, 1, true},
        {u"10", 10, 10, 10, 10, 10, true},
        {u"true", 0, 0, 0, 0, 0, true},
        {u"trueish", 0, 0, 0, 0, 0, true},
        {u"True", 0, 0, 0, 0, 0, false},
        {u"yes", 0, 0, 0, 0, 0, false},
        {u"300", 300, 300, 300, 44, 44, false},
        {u"99999999999", INT32_MAX, 99999999999, UINT32_MAX, -1, 255, false},
        {u"-99999999999", INT32_MIN, -99999999999, UINT32_MAX, 0, 255, false},
        {u"-2147483648", INT32_MIN, -2147483648LL, 2147483648u, 0, 0, false},
        {u"99999999999999999999", INT32_MAX, INT64_MAX, UINT32_MAX, -1, 255, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.stored.begin(), c.stored.end()));
        Pooled<Node> node(Node::take());
        node->attributes().add(u"v", c.stored);
        EXPECT_EQ(node->getInt32(u"v", 99), c.int32);
        EXPECT_EQ(node->getInt64(u"v", 99), c.int64);
        EXPECT_EQ(node->getUInt32(u"v", 99), c.uint32);
        EXPECT_EQ(node->getInt8(u"v", 99), c.int8);
        EXPECT_EQ(node->getUInt8(u"v", 99), c.uint8);
        EXPECT_EQ(node->getBool(u"v", !c.flag), c.flag);
    }
    Pooled<Node> empty(Node::take());
    EXPECT_TRUE(empty->getBool(u"v", true));
    EXPECT_EQ(empty->getUInt16(u"v", 7), 7);
}

// --- Names, children, attributes ---------------------------------------------------------------------

TEST(XmlNames, ExplicitLengthIsExactAndCaseSensitiveMinusOneIgnoresCase)
{
    auto node = parsed(u"<View/>");
    struct Case {
        const char16_t* text;
        int32_t length;
        bool equal;
    };
    const Case cases[] = {
        {u"View", -1, true},   {u"view", -1, true},  {u"VIEW", -1, true}, {u"Vie", -1, false},
        {u"View", 4, true},    {u"view", 4, false},  {u"Views", 4, true}, {u"View", 3, false},
        {u"Viewer", 6, false}, {u"", 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::u16string(c.text).size());
        EXPECT_EQ(node->nameEquals(c.text, c.length), c.equal);
    }
    Pooled<Node> unnamed(Node::take());
    EXPECT_FALSE(unnamed->nameEquals(u"", 0));
    EXPECT_FALSE(unnamed->nameEquals(u"", -1));
    EXPECT_EQ(unnamed->name(), nullptr);
}

TEST(XmlChildren, FindAddRemoveAndAttributeLookupIgnoringCase)
{
    auto root = parsed(u"<r><a/><B k=\"1\"/><a>second</a></r>");
    int32_t index = -1;
    ASSERT_TRUE(root->findChild(u"a", &index));
    EXPECT_EQ(index, 0);
    EXPECT_EQ(root->child(u"b"), root->childAt(1));
    EXPECT_EQ(root->child(u"b", 1), nullptr);
    EXPECT_EQ(root->childAt(1)->getInt32(u"K", 0), 1);

    root->removeChild(0);
    EXPECT_EQ(stringOf(*root->child(u"a"), u""), u"second");
    root->removeChild(7);  // out of range: nothing happens
    EXPECT_EQ(root->childCount(), 2);

    Node* added = root->addChild(u"new");
    EXPECT_EQ(root->childAt(2), added);
    root->appendChild(Node::take());
    EXPECT_EQ(root->childCount(), 4);
    EXPECT_TRUE(root->attributes().add(u"Name", u"v"));
    EXPECT_TRUE(root->attributes().remove(u"NAME"));
    EXPECT_FALSE(root->attributes().remove(u"name"));
}

// --- Hostile and truncated input -----------------------------------------------------------------------

namespace {

// Parses from a heap block exactly as long as the text, so that a read past
// the end is caught by the address sanitizer.
size_t parseExact(Node& node, std::u16string_view text)
{
    std::unique_ptr<char16_t[]> block(new char16_t[text.size() ? text.size() : 1]);
    std::copy(text.begin(), text.end(), block.get());
    return node.parse(std::u16string_view(block.get(), text.size()));
}

}  // namespace

TEST(XmlHostile, TruncatedInputStopsAtTheEnd)
{
    struct Case {
        std::u16string_view text;
        std::u16string_view name;  // of the root afterwards
        int32_t children;
    };
    const Case cases[] = {
        {u"", u"", 0},
        {u"no markup", u"", 0},
        {u"<", u"", 0},
        {u"<a", u"a", 0},
        {u"<a b", u"a", 0},
        {u"<a b=", u"a", 0},
        {u"<a b=\"", u"a", 0},
        {u"<a b=\"1", u"a", 0},
        {u"<a b=\"1\"", u"a", 0},
        {u"<a/", u"a", 0},
        {u"<a>", u"a", 0},
        {u"<a>text", u"a", 0},
        {u"<a><", u"a", 0},
        {u"<a><b", u"a", 1},
        {u"<a><b>", u"a", 1},
        {u"<a></", u"a", 0},
        {u"<!", u"!", 0},
        {u"<!-", u"!-", 0},
        {u"<!-- never closed", u"!--", 0},
        {u"<a><!-- never closed", u"a", 0},
        {u"<a x=1 y=\"2\">", u"a", 0},
        {u"< \t>", u"", 0},
        {u"<>", u"", 0},
        {u"<a><>< /></a>", u"a", 1},
        {u"\uFEFF<a/>", u"a", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text.begin(), c.text.end()));
        Pooled<Node> node(Node::take());
        EXPECT_LE(parseExact(*node, c.text), c.text.size());
        EXPECT_EQ(node->nameView(), c.name);
        EXPECT_EQ(node->childCount(), c.children);
        written(*node);
    }
}

TEST(XmlHostile, NestingIsCappedWithoutRecursingOnAndOn)
{
    std::u16string deep;
    for (int i = 0; i < 100000; ++i)
        deep += u"<a>";
    Pooled<Node> node(Node::take());
    EXPECT_EQ(parseExact(*node, deep), deep.size());
    EXPECT_EQ(depthOf(*node), Node::kMaxDepth + 1);
    EXPECT_EQ(written(*node).size(), static_cast<size_t>(Node::kMaxDepth + 1) * 7);
}

TEST(XmlHostile, RandomMarkupAlwaysEndsWithinTheText)
{
    const std::u16string alphabet = u"<>/!-=\" \tab&;#\n";
    std::mt19937 random(20130814);
    for (int round = 0; round < 3000; ++round) {
        std::u16string text;
        const size_t length = random() % 80;
        for (size_t i = 0; i < length; ++i)
            text += alphabet[random() % alphabet.size()];
        Pooled<Node> node(Node::take());
        ASSERT_LE(parseExact(*node, text), text.size()) << round;
        auto again = parsed(written(*node));
        stringOf(*again, u"");
    }
}

TEST(XmlHostile, Utf8InputWithByteOrderMarkOrBrokenSequences)
{
    const std::string withMark = "\xEF\xBB\xBF<a v=\"\xC3\xA9\"/>";
    Pooled<Node> node(Node::take());
    node->parseUtf8(reinterpret_cast<const uint8_t*>(withMark.data()), withMark.size());
    EXPECT_EQ(node->nameView(), u"a");
    EXPECT_EQ(stringOf(*node, u"v"), u"\u00E9");

    const std::string broken = "<a v=\"\xC3\"><\xFF\xFE/></a>";
    Pooled<Node> other(Node::take());
    other->parseUtf8(reinterpret_cast<const uint8_t*>(broken.data()), broken.size());
    EXPECT_EQ(other->nameView(), u"a");
    EXPECT_EQ(other->childCount(), 1);
}

// --- Collections as text ---------------------------------------------------------------------------------

TEST(XmlArrayText, BracketAndXmlForms)
{
    using s::xml::ArrayText;
    s::col::_array::ArrayS32 ints;
    for (int32_t v : {1, -2, 3})
        ints.add(v);
    s::col::_array::ArrayU08 bytes;
    bytes.add(255);
    s::col::_array::ArrayP<Node> nodes;
    Pooled<Node> element(Node::take());
    nodes.add(element.get());
    nodes.add(nullptr);

    std::u16string out;
    ArrayText::appendBracketForm(out, ints);
    EXPECT_EQ(out, u"s_col__array_ArrayS32 [1 -2 3]");
    out.clear();
    ArrayText::appendXmlForm(out, ints);
    EXPECT_EQ(out, u"<s_col__array_ArrayS32 length=\"3\">1 -2 3</s_col__array_ArrayS32>");
    out.clear();
    ArrayText::appendBracketForm(out, bytes);
    EXPECT_EQ(out, u"s_col__array_ArrayU08 [255]");
    out.clear();
    ArrayText::appendBracketForm(out, nodes);
    EXPECT_EQ(out, u"s_col__array_ArrayP [s_xml_Node null]");
    out.clear();
    ArrayText::appendXmlForm(out, nodes);
    EXPECT_EQ(out, u"<s_col__array_ArrayP length=\"2\"></s_col__array_ArrayP>");
    nodes.forget();
}
