#pragma once
#include <string>

#include "map/IMappedData.h"
#include "str/strbuffer/StrBuffer.h"
#include "thread/ObjLocker.h"
#include "thread/PooledBy.h"

namespace s::file::win {
class PathWin;
}

namespace s::xml {

class Node;

// The settings store over an XML file: one element per key path component
// below the root element ("savedata" in a new document), each value an
// attribute of its key's element, the empty value name the element's text.
// Key path components are separated by "\" or "/" and matched exactly.
//
// Every top-level window writes its settings from its own thread, so each
// access holds the store's lock while it uses the cached element; the text
// getString returns stays valid until the same thread's next getString.
class MappedData : public s::map::IMappedData, public s::thread::PooledBy<MappedData> {
public:
    static constexpr const char16_t* kRootName = u"savedata";

    MappedData() = default;
    ~MappedData() override;

    // The store of the file at pathText: its document when the file exists
    // and holds one, else an empty "savedata" document that save() creates
    // (with its folder). The caller releases the store.
    static MappedData* openFile(std::u16string_view pathText);
    // A store with no file behind it; save() does nothing.
    static MappedData* inMemory();

    const char16_t* className() const override { return u"s_xml_MappedData"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;

    Node* root() const { return m_root; }

    bool save() override;
    bool openOrCreate(std::u16string_view key) override;
    bool deleteKey(std::u16string_view key) override;
    bool open(std::u16string_view key) override;
    bool valueExists(std::u16string_view key, std::u16string_view name) override;

    uint8_t getUInt8(std::u16string_view key, std::u16string_view name, uint8_t fallback) override;
    uint16_t getUInt16(std::u16string_view key, std::u16string_view name, uint16_t fallback) override;
    uint32_t getUInt32(std::u16string_view key, std::u16string_view name, uint32_t fallback) override;
    uint64_t getUInt64(std::u16string_view key, std::u16string_view name, uint64_t fallback) override;
    int8_t getInt8(std::u16string_view key, std::u16string_view name, int8_t fallback) override;
    int16_t getInt16(std::u16string_view key, std::u16string_view name, int16_t fallback) override;
    int32_t getInt32(std::u16string_view key, std::u16string_view name, int32_t fallback) override;
    int64_t getInt64(std::u16string_view key, std::u16string_view name, int64_t fallback) override;
    float getFloat(std::u16string_view key, std::u16string_view name, float fallback) override;
    double getDouble(std::u16string_view key, std::u16string_view name, double fallback) override;
    bool getBool(std::u16string_view key, std::u16string_view name, bool fallback) override;
    const char16_t* getString(std::u16string_view key, std::u16string_view name, const char16_t* fallback,
                              bool* outExpandable = nullptr, bool expand = false) override;
    s::str::strarray::StrArray* getStringList(std::u16string_view, std::u16string_view) override { return nullptr; }
    // Two hexadecimal digits (either case) per byte, up to the first other character.
    s::col::_array::ArrayU08* getBytes(std::u16string_view key, std::u16string_view name,
                                       s::col::_array::ArrayU08* bytes) override;
    bool deleteValue(std::u16string_view key, std::u16string_view name) override;

    bool setUInt8(std::u16string_view key, std::u16string_view name, uint8_t value) override;
    bool setUInt16(std::u16string_view key, std::u16string_view name, uint16_t value) override;
    bool setUInt32(std::u16string_view key, std::u16string_view name, uint32_t value) override;
    bool setUInt64(std::u16string_view key, std::u16string_view name, uint64_t value) override;
    bool setInt8(std::u16string_view key, std::u16string_view name, int8_t value) override;
    bool setInt16(std::u16string_view key, std::u16string_view name, int16_t value) override;
    bool setInt32(std::u16string_view key, std::u16string_view name, int32_t value) override;
    bool setInt64(std::u16string_view key, std::u16string_view name, int64_t value) override;
    bool setFloat(std::u16string_view key, std::u16string_view name, float value) override;
    bool setDouble(std::u16string_view key, std::u16string_view name, double value) override;
    bool setBool(std::u16string_view key, std::u16string_view name, bool value) override;
    bool setString(std::u16string_view key, std::u16string_view name, std::u16string_view value) override;
    bool setExpandString(std::u16string_view key, std::u16string_view name, std::u16string_view value) override;
    bool flushIfAutoSave() override;
    bool setBytes(std::u16string_view key, std::u16string_view name, const uint8_t* bytes, int32_t count) override;
    bool autoSave() const override { return m_autoSave; }
    void setAutoSave(bool on) override { m_autoSave = on; }

private:
    // The element of the key path (cached while the path stays the same), or
    // null; with `create`, missing elements are added.
    Node* resolve(std::u16string_view key, bool create);
    // The element of the key path with no attribute `name` left, ready for a new value.
    Node* prepareValue(std::u16string_view key, std::u16string_view name);
    // The first attribute's stored value; false when the key or value is missing.
    bool stored(std::u16string_view key, std::u16string_view name, std::u16string_view* value);
    void forgetCurrentKey();

    s::file::win::PathWin* m_filePath = nullptr;  // owned, null without a file
    std::u16string m_lastKeyPath;
    Node* m_root = nullptr;         // owned
    Node* m_currentNode = nullptr;  // inside m_root's tree, not owned
    bool m_autoSave = false;
    s::thread::ObjLocker m_lock;  // guards the tree, the cached element and the file
};

}  // namespace s::xml
