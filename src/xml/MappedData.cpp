#include "xml/MappedData.h"

#include <vector>

#include "file/win/PathWin.h"
#include "thread/Pooled.h"
#include "xml/Attributes.h"
#include "xml/Node.h"
#include "xml/NumberText.h"

namespace s::xml {

using s::file::win::PathWin;

namespace {

// The components of a key path; empty ones (a doubled, leading or trailing
// separator) are skipped.
std::vector<std::u16string_view> componentsOf(std::u16string_view key)
{
    std::vector<std::u16string_view> parts;
    size_t start = 0;
    for (size_t i = 0; i <= key.size(); ++i) {
        if (i == key.size() || key[i] == u'\\' || key[i] == u'/') {
            if (i > start)
                parts.push_back(key.substr(start, i - start));
            start = i + 1;
        }
    }
    return parts;
}

Node* walk(Node* node, const std::vector<std::u16string_view>& parts, size_t count, bool create)
{
    for (size_t i = 0; node && i < count; ++i) {
        const auto* name = parts[i].data();
        const auto length = static_cast<int32_t>(parts[i].size());
        Node* next = node->child(name, length);
        if (!next && create)
            next = node->addChild(name, length);
        node = next;
    }
    return node;
}

Node* newDocument()
{
    Node* root = Node::take();
    root->setName(MappedData::kRootName);
    return root;
}

}  // namespace

MappedData::~MappedData() { reset(); }

MappedData* MappedData::openFile(std::u16string_view pathText)
{
    MappedData* store = take();
    store->m_filePath = PathWin::fromText(pathText);
    if (store->m_filePath->isFile()) {
        s::thread::Pooled<Node> document(Node::take());
        document->load(*store->m_filePath);
        // A file that holds no element (empty, cut short before its first
        // name, or only a comment) gives a fresh document, as a missing one does.
        if (document->nameLength() > 0 && !document->isComment())
            store->m_root = document.take();
    }
    if (!store->m_root)
        store->m_root = newDocument();
    return store;
}

MappedData* MappedData::inMemory()
{
    MappedData* store = take();
    store->m_root = newDocument();
    return store;
}

void MappedData::reset()
{
    forgetCurrentKey();
    if (m_root)
        m_root->release();
    m_root = nullptr;
    if (m_filePath)
        m_filePath->release();
    m_filePath = nullptr;
    m_autoSave = false;
}

void MappedData::forgetCurrentKey()
{
    m_currentNode = nullptr;
    std::u16string().swap(m_lastKeyPath);
}

Node* MappedData::resolve(std::u16string_view key, bool create)
{
    if (!m_root)
        return nullptr;
    if (m_currentNode && key == m_lastKeyPath)
        return m_currentNode;
    m_lastKeyPath.assign(key.data(), key.size());
    const auto parts = componentsOf(key);
    m_currentNode = walk(m_root, parts, parts.size(), create);
    return m_currentNode;
}

bool MappedData::save()
{
    const s::thread::Lock hold(m_lock);
    if (!m_filePath || !m_root)
        return true;
    return m_root->save(*m_filePath);
}

bool MappedData::flushIfAutoSave()
{
    const s::thread::Lock hold(m_lock);
    return m_autoSave ? save() : true;
}

bool MappedData::openOrCreate(std::u16string_view key)
{
    const s::thread::Lock hold(m_lock);
    return resolve(key, true) != nullptr;
}

bool MappedData::open(std::u16string_view key)
{
    const s::thread::Lock hold(m_lock);
    return resolve(key, false) != nullptr;
}

bool MappedData::deleteKey(std::u16string_view key)
{
    const s::thread::Lock hold(m_lock);
    const auto parts = componentsOf(key);
    if (parts.empty() || !m_root)
        return false;
    // The cached element may lie inside the subtree that goes.
    forgetCurrentKey();
    Node* parent = walk(m_root, parts, parts.size() - 1, false);
    int32_t index = -1;
    if (!parent || !parent->findChild(parts.back().data(), &index, static_cast<int32_t>(parts.back().size())))
        return false;
    parent->removeChild(index);
    return flushIfAutoSave();
}

bool MappedData::stored(std::u16string_view key, std::u16string_view name, std::u16string_view* value)
{
    Node* node = resolve(key, false);
    const AttrRecord* record = node ? node->attributes().find(name) : nullptr;
    if (!record)
        return false;
    *value = Attributes::valueOf(*record);
    return true;
}

bool MappedData::valueExists(std::u16string_view key, std::u16string_view name)
{
    const s::thread::Lock hold(m_lock);
    std::u16string_view value;
    return stored(key, name, &value);
}

// --- Getters ---------------------------------------------------------------------------------------

uint8_t MappedData::getUInt8(std::u16string_view key, std::u16string_view name, uint8_t fallback)
{
    const s::thread::Lock hold(m_lock);
    return static_cast<uint8_t>(getUInt32(key, name, fallback));
}

uint16_t MappedData::getUInt16(std::u16string_view key, std::u16string_view name, uint16_t fallback)
{
    const s::thread::Lock hold(m_lock);
    return static_cast<uint16_t>(getUInt32(key, name, fallback));
}

uint32_t MappedData::getUInt32(std::u16string_view key, std::u16string_view name, uint32_t fallback)
{
    const s::thread::Lock hold(m_lock);
    std::u16string_view value;
    return stored(key, name, &value) ? NumberText::toUInt32(value) : fallback;
}

uint64_t MappedData::getUInt64(std::u16string_view key, std::u16string_view name, uint64_t fallback)
{
    const s::thread::Lock hold(m_lock);
    std::u16string_view value;
    return stored(key, name, &value) ? NumberText::toUInt64(value) : fallback;
}

int8_t MappedData::getInt8(std::u16string_view key, std::u16string_view name, int8_t fallback)
{
    const s::thread::Lock hold(m_lock);
    return static_cast<int8_t>(getInt32(key, name, fallback));
}

int16_t MappedData::getInt16(std::u16string_view key, std::u16string_view name, int16_t fallback)
{
    const s::thread::Lock hold(m_lock);
    return static_cast<int16_t>(getInt32(key, name, fallback));
}

int32_t MappedData::getInt32(std::u16string_view key, std::u16string_view name, int32_t fallback)
{
    const s::thread::Lock hold(m_lock);
    std::u16string_view value;
    return stored(key, name, &value) ? NumberText::toInt32(value) : fallback;
}

int64_t MappedData::getInt64(std::u16string_view key, std::u16string_view name, int64_t fallback)
{
    const s::thread::Lock hold(m_lock);
    std::u16string_view value;
    return stored(key, name, &value) ? NumberText::toInt64(value) : fallback;
}

float MappedData::getFloat(std::u16string_view key, std::u16string_view name, float fallback)
{
    const s::thread::Lock hold(m_lock);
    return static_cast<float>(getDouble(key, name, fallback));
}

double MappedData::getDouble(std::u16string_view key, std::u16string_view name, double fallback)
{
    const s::thread::Lock hold(m_lock);
    std::u16string_view value;
    return stored(key, name, &value) ? NumberText::toDouble(value) : fallback;
}

bool MappedData::getBool(std::u16string_view key, std::u16string_view name, bool fallback)
{
    const s::thread::Lock hold(m_lock);
    Node* node = resolve(key, false);
    return node ? node->getBool(name, fallback) : fallback;
}

const char16_t* MappedData::getString(std::u16string_view key, std::u16string_view name, const char16_t* fallback,
                                      bool* outExpandable, bool)
{
    const s::thread::Lock hold(m_lock);
    if (outExpandable)
        *outExpandable = false;
    Node* node = resolve(key, false);
    if (!node || !node->attributes().find(name))
        return fallback;
    // Each thread keeps the text it was given: another window's thread may
    // read from the same store meanwhile.
    thread_local s::str::strbuffer::StrBuffer text;
    node->getString(text, name, u"", false);
    return text.text();
}

s::col::_array::ArrayU08* MappedData::getBytes(std::u16string_view key, std::u16string_view name,
                                               s::col::_array::ArrayU08* bytes)
{
    const s::thread::Lock hold(m_lock);
    std::u16string_view value;
    if (!stored(key, name, &value))
        return nullptr;
    if (!bytes)
        bytes = new s::col::_array::ArrayU08;
    bytes->clear();
    // Anything but a hexadecimal digit ends the data: a damaged file gives
    // the bytes before the damage, never bytes made up from other characters.
    for (size_t i = 0; i + 1 < value.size(); i += 2) {
        const int32_t high = NumberText::hexValue(value[i]);
        const int32_t low = NumberText::hexValue(value[i + 1]);
        if (high < 0 || low < 0)
            break;
        bytes->add(static_cast<uint8_t>(high * 16 + low));
    }
    return bytes;
}

bool MappedData::deleteValue(std::u16string_view key, std::u16string_view name)
{
    const s::thread::Lock hold(m_lock);
    Node* node = resolve(key, false);
    if (!node || !node->attributes().remove(name))
        return false;
    while (node->attributes().remove(name)) {
    }
    return flushIfAutoSave();
}

// --- Setters ---------------------------------------------------------------------------------------

Node* MappedData::prepareValue(std::u16string_view key, std::u16string_view name)
{
    Node* node = resolve(key, true);
    // Every copy goes, so that a hand-edited file with a repeated name
    // cannot keep answering with its old first value.
    while (node && node->attributes().remove(name)) {
    }
    return node;
}

bool MappedData::setUInt8(std::u16string_view key, std::u16string_view name, uint8_t value)
{
    const s::thread::Lock hold(m_lock);
    return setUInt64(key, name, value);
}

bool MappedData::setUInt16(std::u16string_view key, std::u16string_view name, uint16_t value)
{
    const s::thread::Lock hold(m_lock);
    return setUInt64(key, name, value);
}

bool MappedData::setUInt32(std::u16string_view key, std::u16string_view name, uint32_t value)
{
    const s::thread::Lock hold(m_lock);
    return setUInt64(key, name, value);
}

bool MappedData::setUInt64(std::u16string_view key, std::u16string_view name, uint64_t value)
{
    const s::thread::Lock hold(m_lock);
    Node* node = prepareValue(key, name);
    if (!node)
        return false;
    std::u16string digits;
    NumberText::appendUInt64(digits, value);
    node->setString(name, digits);
    return flushIfAutoSave();
}

bool MappedData::setInt8(std::u16string_view key, std::u16string_view name, int8_t value)
{
    const s::thread::Lock hold(m_lock);
    return setInt64(key, name, value);
}

bool MappedData::setInt16(std::u16string_view key, std::u16string_view name, int16_t value)
{
    const s::thread::Lock hold(m_lock);
    return setInt64(key, name, value);
}

bool MappedData::setInt32(std::u16string_view key, std::u16string_view name, int32_t value)
{
    const s::thread::Lock hold(m_lock);
    return setInt64(key, name, value);
}

bool MappedData::setInt64(std::u16string_view key, std::u16string_view name, int64_t value)
{
    const s::thread::Lock hold(m_lock);
    Node* node = prepareValue(key, name);
    if (!node)
        return false;
    node->setInt64(name, value);
    return flushIfAutoSave();
}

bool MappedData::setFloat(std::u16string_view key, std::u16string_view name, float value)
{
    const s::thread::Lock hold(m_lock);
    return setDouble(key, name, value);
}

bool MappedData::setDouble(std::u16string_view key, std::u16string_view name, double value)
{
    const s::thread::Lock hold(m_lock);
    Node* node = prepareValue(key, name);
    if (!node)
        return false;
    node->setDouble(name, value);
    return flushIfAutoSave();
}

bool MappedData::setBool(std::u16string_view key, std::u16string_view name, bool value)
{
    const s::thread::Lock hold(m_lock);
    return setInt64(key, name, value ? 1 : 0);
}

bool MappedData::setString(std::u16string_view key, std::u16string_view name, std::u16string_view value)
{
    const s::thread::Lock hold(m_lock);
    Node* node = prepareValue(key, name);
    if (!node)
        return false;
    node->setString(name, value);
    return flushIfAutoSave();
}

bool MappedData::setExpandString(std::u16string_view key, std::u16string_view name, std::u16string_view value)
{
    const s::thread::Lock hold(m_lock);
    return setString(key, name, value);
}

bool MappedData::setBytes(std::u16string_view key, std::u16string_view name, const uint8_t* bytes, int32_t count)
{
    const s::thread::Lock hold(m_lock);
    Node* node = prepareValue(key, name);
    if (!node)
        return false;
    node->setByteArray(name, bytes, count);
    return flushIfAutoSave();
}

}  // namespace s::xml
