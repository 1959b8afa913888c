#include "reg/MappedData.h"

#include <cstring>

#include "platform/Environment.h"
#include "thread/ObjLocker.h"
#include "thread/Pooled.h"

namespace s::reg {

namespace {

uint32_t readLe32(const uint8_t* bytes)
{
    return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
           static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

uint64_t readLe64(const uint8_t* bytes)
{
    return static_cast<uint64_t>(readLe32(bytes)) | static_cast<uint64_t>(readLe32(bytes + 4)) << 32;
}

void writeLe(uint8_t* bytes, uint64_t value, int32_t count)
{
    for (int32_t i = 0; i < count; ++i)
        bytes[i] = static_cast<uint8_t>(value >> (8 * i));
}

}  // namespace

MappedData::~MappedData() { reset(); }

MappedData* MappedData::withRoot(IRegDir* rootKey)
{
    MappedData* store = take();
    if (!store->m_rootKey) {
        store->m_rootKey = rootKey;
        store->forgetCurrentKey();
    } else {
        s::thread::releaseToPool(rootKey);
    }
    return store;
}

void MappedData::reset()
{
    forgetCurrentKey();
    s::thread::releaseToPool(m_rootKey);
    m_rootKey = nullptr;
    m_autoSave = false;
    std::u16string().swap(m_pathBuffer);
    std::vector<uint8_t>().swap(m_readBuffer);
}

void MappedData::forgetCurrentKey()
{
    s::thread::releaseToPool(m_currentKey);
    m_currentKey = nullptr;
    m_lastKeyPath.clear();
}

IRegDir* MappedData::resolve(std::u16string_view key, bool create)
{
    if (!m_rootKey)
        return nullptr;
    // 1. The key opened last serves again.
    if (m_currentKey && key == m_lastKeyPath)
        return m_currentKey;
    // 2. The full sub-path: the root's, "\" and the key path.
    forgetCurrentKey();
    m_lastKeyPath.assign(key.data(), key.size());
    while (!key.empty() && key.front() == u'\\')
        key.remove_prefix(1);
    while (!key.empty() && key.back() == u'\\')
        key.remove_suffix(1);
    m_pathBuffer = m_rootKey->subPath();
    if (!key.empty()) {
        if (!m_pathBuffer.empty())
            m_pathBuffer += u'\\';
        m_pathBuffer.append(key.data(), key.size());
    }
    s::thread::Pooled<IRegDir> opened(m_rootKey->at(m_pathBuffer));
    if (!opened || !(create ? opened->create() : opened->exists()))
        return nullptr;
    // 3. Remembered for the next call.
    m_currentKey = opened.take();
    return m_currentKey;
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
    // The cached key may be the one that goes, or lie below it.
    forgetCurrentKey();
    IRegDir* target = resolve(key, false);
    if (!target)
        return false;
    // Never the store's own root through an empty key path.
    if (target->subPath() == m_rootKey->subPath())
        return false;
    const bool removed = target->remove(true);
    forgetCurrentKey();
    return removed;
}

bool MappedData::valueExists(std::u16string_view key, std::u16string_view name)
{
    const s::thread::Lock hold(m_lock);
    IRegDir* dir = resolve(key, false);
    ValueType type = ValueType::None;
    return dir && dir->readValue(name, &type, &m_readBuffer);
}

bool MappedData::readSized(std::u16string_view key, std::u16string_view name, uint32_t size, uint8_t* out)
{
    const s::thread::Lock hold(m_lock);
    IRegDir* dir = resolve(key, false);
    ValueType type = ValueType::None;
    if (!dir || !dir->readValue(name, &type, &m_readBuffer) || m_readBuffer.size() != size)
        return false;
    std::memcpy(out, m_readBuffer.data(), size);
    return true;
}

// --- Getters ---------------------------------------------------------------------------------------

uint8_t MappedData::getUInt8(std::u16string_view key, std::u16string_view name, uint8_t fallback)
{
    return static_cast<uint8_t>(getUInt32(key, name, fallback));
}

uint16_t MappedData::getUInt16(std::u16string_view key, std::u16string_view name, uint16_t fallback)
{
    return static_cast<uint16_t>(getUInt32(key, name, fallback));
}

uint32_t MappedData::getUInt32(std::u16string_view key, std::u16string_view name, uint32_t fallback)
{
    uint8_t bytes[4];
    return readSized(key, name, 4, bytes) ? readLe32(bytes) : fallback;
}

uint64_t MappedData::getUInt64(std::u16string_view key, std::u16string_view name, uint64_t fallback)
{
    uint8_t bytes[8];
    return readSized(key, name, 8, bytes) ? readLe64(bytes) : fallback;
}

int8_t MappedData::getInt8(std::u16string_view key, std::u16string_view name, int8_t fallback)
{
    return static_cast<int8_t>(getInt32(key, name, fallback));
}

int16_t MappedData::getInt16(std::u16string_view key, std::u16string_view name, int16_t fallback)
{
    return static_cast<int16_t>(getInt32(key, name, fallback));
}

int32_t MappedData::getInt32(std::u16string_view key, std::u16string_view name, int32_t fallback)
{
    return static_cast<int32_t>(getUInt32(key, name, static_cast<uint32_t>(fallback)));
}

int64_t MappedData::getInt64(std::u16string_view key, std::u16string_view name, int64_t fallback)
{
    return static_cast<int64_t>(getUInt64(key, name, static_cast<uint64_t>(fallback)));
}

float MappedData::getFloat(std::u16string_view key, std::u16string_view name, float fallback)
{
    uint8_t bytes[4];
    if (!readSized(key, name, 4, bytes))
        return fallback;
    const uint32_t bits = readLe32(bytes);
    float value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

double MappedData::getDouble(std::u16string_view key, std::u16string_view name, double fallback)
{
    uint8_t bytes[8];
    if (!readSized(key, name, 8, bytes))
        return fallback;
    const uint64_t bits = readLe64(bytes);
    double value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

bool MappedData::getBool(std::u16string_view key, std::u16string_view name, bool fallback)
{
    uint8_t bytes[4];
    return readSized(key, name, 4, bytes) ? readLe32(bytes) != 0 : fallback;
}

const char16_t* MappedData::getString(std::u16string_view key, std::u16string_view name, const char16_t* fallback,
                                      bool* outExpandable, bool expand)
{
    const s::thread::Lock hold(m_lock);
    if (outExpandable)
        *outExpandable = false;
    IRegDir* dir = resolve(key, false);
    ValueType type = ValueType::None;
    if (!dir || !dir->readValue(name, &type, &m_readBuffer))
        return fallback;
    if (type != ValueType::String && type != ValueType::ExpandString)
        return fallback;
    // The data need not end with a NUL, nor have an even size: take whole
    // characters up to the first NUL.
    // Each thread keeps the text it was given: another window's thread may
    // read from the same store meanwhile.
    thread_local std::u16string text;
    text.clear();
    for (size_t i = 0; i + 1 < m_readBuffer.size(); i += 2) {
        const auto unit = static_cast<char16_t>(m_readBuffer[i] | m_readBuffer[i + 1] << 8);
        if (unit == u'\0')
            break;
        text += unit;
    }
    if (type == ValueType::ExpandString) {
        if (outExpandable)
            *outExpandable = true;
        if (expand)
            text = s::platform::expandEnvironment(text);
    }
    return text.c_str();
}

s::col::_array::ArrayU08* MappedData::getBytes(std::u16string_view key, std::u16string_view name,
                                               s::col::_array::ArrayU08* bytes)
{
    const s::thread::Lock hold(m_lock);
    IRegDir* dir = resolve(key, false);
    ValueType type = ValueType::None;
    if (!dir || !dir->readValue(name, &type, &m_readBuffer))
        return nullptr;
    if (!bytes)
        bytes = new s::col::_array::ArrayU08;
    bytes->clear();
    for (uint8_t byte : m_readBuffer)
        bytes->add(byte);
    return bytes;
}

bool MappedData::deleteValue(std::u16string_view key, std::u16string_view name)
{
    const s::thread::Lock hold(m_lock);
    IRegDir* dir = resolve(key, false);
    return dir && dir->deleteValue(name) && flushIfAutoSave();
}

// --- Setters ---------------------------------------------------------------------------------------

bool MappedData::write(std::u16string_view key, std::u16string_view name, ValueType type, const void* data,
                       uint32_t size)
{
    const s::thread::Lock hold(m_lock);
    IRegDir* dir = resolve(key, true);
    return dir && dir->writeValue(name, type, data, size) && flushIfAutoSave();
}

bool MappedData::writeDword(std::u16string_view key, std::u16string_view name, uint32_t value)
{
    uint8_t bytes[4];
    writeLe(bytes, value, 4);
    return write(key, name, ValueType::Dword, bytes, 4);
}

bool MappedData::writeString(std::u16string_view key, std::u16string_view name, ValueType type,
                             std::u16string_view value)
{
    std::vector<uint8_t> bytes((value.size() + 1) * 2, 0);
    for (size_t i = 0; i < value.size(); ++i) {
        bytes[2 * i] = static_cast<uint8_t>(value[i]);
        bytes[2 * i + 1] = static_cast<uint8_t>(value[i] >> 8);
    }
    return write(key, name, type, bytes.data(), static_cast<uint32_t>(bytes.size()));
}

bool MappedData::setUInt8(std::u16string_view key, std::u16string_view name, uint8_t value)
{
    return writeDword(key, name, value);
}

bool MappedData::setUInt16(std::u16string_view key, std::u16string_view name, uint16_t value)
{
    return writeDword(key, name, value);
}

bool MappedData::setUInt32(std::u16string_view key, std::u16string_view name, uint32_t value)
{
    return writeDword(key, name, value);
}

bool MappedData::setUInt64(std::u16string_view key, std::u16string_view name, uint64_t value)
{
    uint8_t bytes[8];
    writeLe(bytes, value, 8);
    return write(key, name, ValueType::Binary, bytes, 8);
}

bool MappedData::setInt8(std::u16string_view key, std::u16string_view name, int8_t value)
{
    return writeDword(key, name, static_cast<uint32_t>(static_cast<int32_t>(value)));
}

bool MappedData::setInt16(std::u16string_view key, std::u16string_view name, int16_t value)
{
    return writeDword(key, name, static_cast<uint32_t>(static_cast<int32_t>(value)));
}

bool MappedData::setInt32(std::u16string_view key, std::u16string_view name, int32_t value)
{
    return writeDword(key, name, static_cast<uint32_t>(value));
}

bool MappedData::setInt64(std::u16string_view key, std::u16string_view name, int64_t value)
{
    return setUInt64(key, name, static_cast<uint64_t>(value));
}

bool MappedData::setFloat(std::u16string_view key, std::u16string_view name, float value)
{
    uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    uint8_t bytes[4];
    writeLe(bytes, bits, 4);
    return write(key, name, ValueType::Binary, bytes, 4);
}

bool MappedData::setDouble(std::u16string_view key, std::u16string_view name, double value)
{
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return setUInt64(key, name, bits);
}

bool MappedData::setBool(std::u16string_view key, std::u16string_view name, bool value)
{
    return writeDword(key, name, value ? 1 : 0);
}

bool MappedData::setString(std::u16string_view key, std::u16string_view name, std::u16string_view value)
{
    return writeString(key, name, ValueType::String, value);
}

bool MappedData::setExpandString(std::u16string_view key, std::u16string_view name, std::u16string_view value)
{
    return writeString(key, name, ValueType::ExpandString, value);
}

bool MappedData::setBytes(std::u16string_view key, std::u16string_view name, const uint8_t* bytes, int32_t count)
{
    if (count < 0 || (count > 0 && !bytes))
        return false;
    return write(key, name, ValueType::Binary, bytes, static_cast<uint32_t>(count));
}

}  // namespace s::reg
