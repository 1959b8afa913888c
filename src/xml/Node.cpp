#include "xml/Node.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "file/win/FileInputStream.h"
#include "file/win/FileOutputStream.h"
#include "file/win/PathWin.h"
#include "platform/FileReplace.h"
#include "platform/FileSystem.h"
#include "str/strbuffer/StrBuffer.h"
#include "thread/ObjLocker.h"
#include "thread/Pooled.h"
#include "xml/Escaping.h"
#include "xml/NumberText.h"

namespace s::xml {

using s::file::win::PathWin;
using s::str::strbuffer::StrBuffer;
using s::thread::Pooled;

namespace {

bool isBlank(char16_t c) { return Escaping::isBlank(c); }

size_t skipBlanks(std::u16string_view text, size_t i)
{
    while (i < text.size() && isBlank(text[i]))
        ++i;
    return i;
}

// Position of the first of `stops` at or after i, or the end of the text.
size_t findAny(std::u16string_view text, size_t i, std::u16string_view stops)
{
    if (i >= text.size())
        return text.size();
    const size_t found = text.find_first_of(stops, i);
    return found == std::u16string_view::npos ? text.size() : found;
}

// The setters' shared scratch string and the lock that guards it.
s::thread::ObjLocker& scratchLocker()
{
    static s::thread::ObjLocker* locker = [] {
        auto* made = new s::thread::ObjLocker;
        made->hold(new std::u16string, [](void* text) { delete static_cast<std::u16string*>(text); }, nullptr);
        return made;
    }();
    return *locker;
}

}  // namespace

Node::Node() { m_children.setElementDisposer(&classPool()); }

Node::~Node()
{
    m_children.clear();
    m_attributes.clear();
    freeName();
}

void Node::reset()
{
    freeName();
    m_attributes.clear();
    m_children.clear();
}

void Node::freeName()
{
    std::free(m_name);
    m_name = nullptr;
    m_nameLength = 0;
}

void Node::debugWalk(int32_t indent) const
{
    // A diagnostic walk with no output: it only visits the tree.
    for (int32_t i = 0; i < m_children.count(); ++i)
        m_children.at(i)->debugWalk(indent + 1);
}

// --- Names and children -------------------------------------------------------------------

void Node::setName(const char16_t* text, int32_t length)
{
    freeName();
    if (!text)
        return;
    const size_t count = length < 0 ? std::char_traits<char16_t>::length(text) : static_cast<size_t>(length);
    m_name = static_cast<char16_t*>(std::malloc((count + 1) * sizeof(char16_t)));
    if (!m_name)
        return;
    if (count)
        std::memcpy(m_name, text, count * sizeof(char16_t));
    m_name[count] = u'\0';
    m_nameLength = static_cast<uint32_t>(count);
}

bool Node::nameEquals(const char16_t* text, int32_t length) const
{
    if (!m_name || !text)
        return false;
    if (length < 0)
        return StrBuffer::equalsIgnoreCase(nameView(), std::u16string_view(text));
    return m_nameLength == static_cast<uint32_t>(length) &&
           nameView() == std::u16string_view(text, static_cast<size_t>(length));
}

Node* Node::addChild(const char16_t* name, int32_t length)
{
    Node* node = take();
    node->setName(name, length);
    m_children.add(node);
    return node;
}

void Node::appendChild(IXml* node)
{
    if (!node)
        return;
    if (auto* element = dynamic_cast<Node*>(node))
        m_children.add(element);
    else
        s::thread::releaseToPool(node);  // not an element of this model: the parent cannot own it
}

void Node::removeChild(int32_t index)
{
    if (index < 0 || index >= m_children.count())
        return;
    m_children.disposeOf(m_children.removeAt(index));
}

bool Node::findChild(const char16_t* name, int32_t* outIndex, int32_t length) const
{
    for (int32_t i = 0; i < m_children.count(); ++i) {
        if (m_children.at(i)->nameEquals(name, length)) {
            if (outIndex)
                *outIndex = i;
            return true;
        }
    }
    return false;
}

Node* Node::child(const char16_t* name, int32_t length) const
{
    int32_t index = -1;
    return findChild(name, &index, length) ? m_children.at(index) : nullptr;
}

// --- Parsing -----------------------------------------------------------------------------------

size_t Node::parse(std::u16string_view text, size_t from) { return parseElement(text, from, 0); }

size_t Node::parseUtf8(const uint8_t* bytes, size_t count)
{
    if (!bytes || count == 0)
        return 0;
    // A byte-order mark decodes to one character before the first "<", which
    // the parser skips like any other.
    Pooled<StrBuffer> text(StrBuffer::take());
    text->appendUtf8(std::string_view(reinterpret_cast<const char*>(bytes), count));
    return parse(text->view(), 0);
}

size_t Node::parseTextRun(std::u16string_view text, size_t i)
{
    const size_t end = findAny(text, i, u"<");
    m_attributes.add(u"", text.substr(i, end - i));
    return end;
}

size_t Node::parseElement(std::u16string_view text, size_t i, int32_t depth)
{
    const size_t n = text.size();
    // 1. The element starts at the next "<".
    i = findAny(text, i, u"<");
    if (i >= n)
        return n;
    // 2-3. Its name; a comment is named by its first three characters, "!--".
    i = skipBlanks(text, i + 1);
    const size_t nameStart = i;
    if (i < n && text[i] == u'!')
        i = (n - i < 3) ? n : i + 3;
    else
        i = findAny(text, i, u" \t\n\r/>");
    setName(text.data() + nameStart, static_cast<int32_t>(i - nameStart));
    // 4. A comment ends after the next "-->".
    if (isComment()) {
        const size_t close = text.find(u"-->", i);
        return close == std::u16string_view::npos ? n : close + 3;
    }
    // 5. Attributes, stored as written. One cut short by the end of the text is dropped.
    for (;;) {
        i = skipBlanks(text, i);
        if (i >= n)
            return n;
        if (text[i] == u'>' || text[i] == u'/')
            break;
        const size_t nameEnd = findAny(text, i, u"= ");
        const size_t open = findAny(text, nameEnd + 1, u"\"");
        const size_t close = findAny(text, open + 1, u"\"");
        if (close >= n)
            return n;
        m_attributes.add(text.substr(i, nameEnd - i), text.substr(open + 1, close - open - 1));
        i = close + 1;
    }
    // 6. "/>" closes an empty element.
    i = findAny(text, i, u">/");
    if (i >= n)
        return n;
    if (text[i] == u'/') {
        i = findAny(text, i, u">");
        return i >= n ? n : i + 1;
    }
    // 7. Text before the first child.
    i = skipBlanks(text, i + 1);
    if (i < n && text[i] != u'<')
        i = parseTextRun(text, i);
    // 8. Children and the text runs between them, up to "</".
    while (i + 1 < n && text[i] == u'<' && text[i + 1] != u'/') {
        if (depth >= kMaxDepth)
            return n;
        Pooled<Node> element(take());
        i = element->parseElement(text, i, depth + 1);
        if (!element->isComment())
            m_children.add(element.take());
        i = skipBlanks(text, i);
        if (i < n && text[i] != u'<')
            i = parseTextRun(text, i);
    }
    // 9. The end tag; its name is not checked.
    if (i >= n)
        return n;
    i = findAny(text, i, u">");
    return i >= n ? n : i + 1;
}

// --- Setters -------------------------------------------------------------------------------------

template <class Format>
void Node::setFormatted(std::u16string_view name, Format format)
{
    s::thread::ObjLocker& locker = scratchLocker();
    s::thread::Lock lock(locker);
    auto& scratch = *static_cast<std::u16string*>(locker.heldObject());
    scratch.clear();
    format(scratch);
    m_attributes.add(name, scratch);
}

void Node::setInt64(std::u16string_view name, int64_t value)
{
    setFormatted(name, [value](std::u16string& out) { NumberText::appendInt64(out, value); });
}
void Node::setUInt32(std::u16string_view name, uint32_t value) { setInt64(name, value); }
void Node::setUInt16(std::u16string_view name, uint16_t value) { setInt64(name, value); }
void Node::setUInt8(std::u16string_view name, uint8_t value) { setInt64(name, value); }
void Node::setInt32(std::u16string_view name, int32_t value) { setInt64(name, value); }
void Node::setInt16(std::u16string_view name, int16_t value) { setInt64(name, value); }
void Node::setInt8(std::u16string_view name, int8_t value) { setInt64(name, value); }
void Node::setFloat(std::u16string_view name, float value) { setDouble(name, value); }

void Node::setDouble(std::u16string_view name, double value)
{
    setFormatted(name, [value](std::u16string& out) { NumberText::appendFixed(out, value); });
}

void Node::setString(std::u16string_view name, std::u16string_view value)
{
    setFormatted(name, [&](std::u16string& out) {
        if (name.empty())
            Escaping::appendEscapedText(out, value);
        else
            Escaping::appendEscapedAttribute(out, value);
    });
}

void Node::setInt64Array(std::u16string_view name, const int64_t* values, int32_t count)
{
    setFormatted(name, [&](std::u16string& out) {
        for (int32_t i = 0; values && i < count; ++i)
            NumberText::appendHex(out, static_cast<uint64_t>(values[i]), 16);
    });
}

void Node::setInt32Array(std::u16string_view name, const int32_t* values, int32_t count)
{
    setFormatted(name, [&](std::u16string& out) {
        for (int32_t i = 0; values && i < count; ++i)
            NumberText::appendHex(out, static_cast<uint32_t>(values[i]), 8);
    });
}

void Node::setUInt16Array(std::u16string_view name, const uint16_t* values, int32_t count)
{
    setFormatted(name, [&](std::u16string& out) {
        for (int32_t i = 0; values && i < count; ++i)
            NumberText::appendHex(out, values[i], 4);
    });
}

void Node::setByteArray(std::u16string_view name, const uint8_t* bytes, int32_t count)
{
    setFormatted(name, [&](std::u16string& out) {
        for (int32_t i = 0; bytes && i < count; ++i)
            NumberText::appendHex(out, bytes[i], 2);
    });
}

void Node::setWordPairArray(std::u16string_view name, const uint64_t* values, int32_t count)
{
    setFormatted(name, [&](std::u16string& out) {
        for (int32_t i = 0; values && i < count; ++i) {
            NumberText::appendHex(out, values[i] & 0xFFFFFFFFu, 8);
            NumberText::appendHex(out, values[i] >> 32, 8);
        }
    });
}

// --- Getters -------------------------------------------------------------------------------------

bool Node::stored(std::u16string_view name, std::u16string_view* value) const
{
    const AttrRecord* record = m_attributes.find(name);
    if (!record)
        return false;
    *value = Attributes::valueOf(*record);
    return true;
}

const char16_t* Node::rawValue(std::u16string_view name, const char16_t* fallback) const
{
    const AttrRecord* record = m_attributes.find(name);
    return record ? record->value : fallback;
}

bool Node::getBool(std::u16string_view name, bool fallback) const
{
    std::u16string_view value;
    if (!stored(name, &value))
        return fallback;
    return value.substr(0, 1) == u"1" || value.substr(0, 4) == u"true";
}

int8_t Node::getInt8(std::u16string_view name, int8_t fallback) const
{
    return static_cast<int8_t>(getInt32(name, fallback));
}

int16_t Node::getInt16(std::u16string_view name, int16_t fallback) const
{
    return static_cast<int16_t>(getInt32(name, fallback));
}

int32_t Node::getInt32(std::u16string_view name, int32_t fallback) const
{
    std::u16string_view value;
    return stored(name, &value) ? NumberText::toInt32(value) : fallback;
}

int64_t Node::getInt64(std::u16string_view name, int64_t fallback) const
{
    std::u16string_view value;
    return stored(name, &value) ? NumberText::toInt64(value) : fallback;
}

uint8_t Node::getUInt8(std::u16string_view name, uint8_t fallback) const
{
    return static_cast<uint8_t>(getUInt32(name, fallback));
}

uint16_t Node::getUInt16(std::u16string_view name, uint16_t fallback) const
{
    return static_cast<uint16_t>(getUInt32(name, fallback));
}

uint32_t Node::getUInt32(std::u16string_view name, uint32_t fallback) const
{
    std::u16string_view value;
    return stored(name, &value) ? NumberText::toUInt32(value) : fallback;
}

bool Node::getString(StrBuffer& out, std::u16string_view name, std::u16string_view fallback, bool append) const
{
    std::u16string_view value;
    const bool found = stored(name, &value);
    std::u16string text = append ? out.str() : std::u16string();
    if (!found)
        text.append(fallback);
    else if (name.empty())
        Escaping::appendUnescapedText(text, value);
    else
        Escaping::appendUnescapedAttribute(text, value);
    out.setText(text);
    return found;
}

// --- Writing ---------------------------------------------------------------------------------------

StrBuffer* Node::write(StrBuffer* out, bool append) const
{
    if (!out)
        out = StrBuffer::take();
    std::u16string text = append ? out->str() : std::u16string();
    writeTo(text);
    out->setText(text);
    return out;
}

void Node::writeTo(std::u16string& out) const
{
    out += u'<';
    out += nameView();
    const AttrRecord* text = nullptr;
    for (int32_t i = 0; i < m_attributes.count(); ++i) {
        const AttrRecord& record = m_attributes.at(i);
        if (record.nameLength == 0) {
            if (!text)
                text = &record;
            continue;
        }
        out += u' ';
        out += Attributes::nameOf(record);
        out += u"=\"";
        out += Attributes::valueOf(record);
        out += u'"';
    }
    out += u'>';
    if (text)
        out += Attributes::valueOf(*text);
    for (int32_t i = 0; i < m_children.count(); ++i)
        m_children.at(i)->writeTo(out);
    out += u"</";
    out += nameView();
    out += u'>';
}

s::col::_array::ArrayU08* Node::toUtf8(s::col::_array::ArrayU08* bytes, bool append) const
{
    Pooled<StrBuffer> text(write(nullptr, false));
    const std::string utf8 = text->toUtf8();
    if (!bytes)
        bytes = new s::col::_array::ArrayU08;
    else if (!append)
        bytes->clear();
    for (char c : utf8)
        bytes->add(static_cast<uint8_t>(c));
    return bytes;
}

// --- Files -----------------------------------------------------------------------------------------

bool Node::loadFile(std::u16string_view pathText)
{
    Pooled<PathWin> path(PathWin::fromText(pathText));
    return load(*path);
}

bool Node::load(PathWin& path)
{
    const uint64_t size = path.fileSize();
    if (size > kMaxFileBytes)
        return false;
    Pooled<s::file::win::FileInputStream> input(path.openInput());
    if (!input->isOpen())
        return false;
    std::string bytes(static_cast<size_t>(size), '\0');
    size_t filled = 0;
    while (filled < bytes.size()) {
        uint32_t done = 0;
        if (!input->read(bytes.data() + filled, static_cast<uint32_t>(bytes.size() - filled), &done) || done == 0)
            break;
        filled += done;
    }
    input->close();
    bytes.resize(filled);
    parseUtf8(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    return filled == static_cast<size_t>(size);
}

bool Node::saveFile(std::u16string_view pathText) const
{
    Pooled<PathWin> path(PathWin::fromText(pathText));
    return save(*path);
}

bool Node::save(PathWin& path) const
{
    if (!path.isValid() || !path.createParentDirectory())
        return false;
    std::unique_ptr<s::col::_array::ArrayU08> bytes(toUtf8(nullptr, false));
    Pooled<PathWin> temporary(PathWin::fromText(path.text() + u".new"));
    bool written = false;
    {
        Pooled<s::file::win::FileOutputStream> output(temporary->openOutput(false));
        uint32_t done = 0;
        written = output->isOpen() &&
                  (bytes->isEmpty() || output->write(bytes->data(), static_cast<uint32_t>(bytes->count()), &done)) &&
                  output->flush() && output->close() && !output->hasFailed();
        output->close();
    }
    if (written && s::platform::replaceFile(temporary->osPath().c_str(), path.osPath().c_str()))
        return true;
    s::platform::removeFile(temporary->osPath().c_str());
    return false;
}

}  // namespace s::xml
