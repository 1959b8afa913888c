#pragma once
#include <string>
#include <vector>

#include "map/IMappedData.h"
#include "reg/IRegDir.h"
#include "thread/ObjLocker.h"
#include "thread/PooledBy.h"

namespace s::reg {

// The settings store over registry keys below one root key. Writes reach
// the registry at once, so save() has nothing to do.
//
// Reads check a value's size, not its type: the integer, bool and float
// getters take a 4-byte value, the 64-bit and double getters an 8-byte one,
// and any other size gives the fallback. String getters take REG_SZ and
// REG_EXPAND_SZ values; the text stays valid until the same thread's next
// getString.
//
// Every top-level window writes its settings from its own thread, so each
// access holds the store's lock for as long as it uses the cached key: two
// windows never write into each other's keys.
class MappedData : public s::map::IMappedData, public s::thread::PooledBy<MappedData> {
public:
    MappedData() = default;
    ~MappedData() override;

    // A store below rootKey, which it takes over. Nothing is created until
    // the first write. The caller releases the store.
    static MappedData* withRoot(IRegDir* rootKey);

    const char16_t* className() const override { return u"s_reg_MappedData"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;

    IRegDir* rootKey() const { return m_rootKey; }

    bool save() override { return true; }
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
    bool flushIfAutoSave() override { return m_autoSave ? save() : true; }
    bool setBytes(std::u16string_view key, std::u16string_view name, const uint8_t* bytes, int32_t count) override;
    bool autoSave() const override { return m_autoSave; }
    void setAutoSave(bool on) override { m_autoSave = on; }

private:
    // The key of the path (cached while the path stays the same), or null;
    // with `create`, the key and its missing parents are created.
    // The caller holds m_lock while it uses the result.
    IRegDir* resolve(std::u16string_view key, bool create);
    // The value's bytes when it exists and has exactly `size` bytes.
    bool readSized(std::u16string_view key, std::u16string_view name, uint32_t size, uint8_t* out);
    bool write(std::u16string_view key, std::u16string_view name, ValueType type, const void* data, uint32_t size);
    bool writeDword(std::u16string_view key, std::u16string_view name, uint32_t value);
    bool writeString(std::u16string_view key, std::u16string_view name, ValueType type, std::u16string_view value);
    void forgetCurrentKey();

    std::u16string m_pathBuffer;
    std::u16string m_lastKeyPath;
    IRegDir* m_rootKey = nullptr;     // owned
    IRegDir* m_currentKey = nullptr;  // owned
    bool m_autoSave = false;
    s::thread::ObjLocker m_lock;      // guards the cached key and the buffers
    std::vector<uint8_t> m_readBuffer;
};

}  // namespace s::reg
