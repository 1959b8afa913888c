#pragma once
// An in-memory registry behind s::reg::IRegDir, so that the registry store's
// own rules (key paths, their cache, sizes, types) run on every build. It
// counts how often keys are opened, as the real registry cannot tell.
#include <map>
#include <string>
#include <vector>

#include "reg/IRegDir.h"
#include "str/strbuffer/StrBuffer.h"
#include "thread/PooledBy.h"

namespace settings_test {

struct FakeValue {
    s::reg::ValueType type = s::reg::ValueType::None;
    std::vector<uint8_t> data;
};

struct FakeHive {
    // Keys by lower-cased full path; values by lower-cased name.
    std::map<std::u16string, std::map<std::u16string, FakeValue>> keys;
    int opens = 0;  // exists() and create() calls
    bool failWrites = false;

    static FakeHive& instance()
    {
        static FakeHive hive;
        return hive;
    }
    void clear() { *this = FakeHive(); }

    static std::u16string fold(std::u16string_view text)
    {
        std::u16string out(text);
        for (char16_t& c : out)
            c = s::str::strbuffer::StrBuffer::foldAscii(c);
        return out;
    }
    bool hasKey(std::u16string_view path) const { return keys.count(fold(path)) != 0; }
    const FakeValue* value(std::u16string_view path, std::u16string_view name) const
    {
        auto key = keys.find(fold(path));
        if (key == keys.end())
            return nullptr;
        auto found = key->second.find(fold(name));
        return found == key->second.end() ? nullptr : &found->second;
    }
};

class FakeRegDir : public s::reg::IRegDir, public s::thread::PooledBy<FakeRegDir> {
public:
    static FakeRegDir* make(std::u16string_view subPath)
    {
        FakeRegDir* key = take();
        key->setRoot(s::reg::RootKey::CurrentUser, subPath);
        return key;
    }

    const char16_t* className() const override { return u"FakeRegDir"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override { m_subPath.clear(); }

    void setRoot(s::reg::RootKey root, std::u16string_view subPath) override
    {
        m_root = root;
        m_subPath.assign(subPath.data(), subPath.size());
    }
    s::reg::RootKey root() const override { return m_root; }
    const std::u16string& subPath() const override { return m_subPath; }

    bool exists() override
    {
        ++hive().opens;
        return hive().hasKey(m_subPath);
    }
    bool create() override
    {
        ++hive().opens;
        // Every parent too, as the registry does.
        for (size_t cut = m_subPath.find(u'\\'); cut != std::u16string::npos; cut = m_subPath.find(u'\\', cut + 1))
            hive().keys[FakeHive::fold(m_subPath.substr(0, cut))];
        hive().keys[FakeHive::fold(m_subPath)];
        return true;
    }
    bool remove(bool withSubkeys) override
    {
        const std::u16string path = FakeHive::fold(m_subPath);
        if (!hive().hasKey(path))
            return false;
        auto below = hive().keys.lower_bound(path + u"\\");
        const bool hasChildren = below != hive().keys.end() && below->first.compare(0, path.size() + 1, path + u"\\") == 0;
        if (hasChildren && !withSubkeys)
            return false;
        while (below != hive().keys.end() && below->first.compare(0, path.size() + 1, path + u"\\") == 0)
            below = hive().keys.erase(below);
        hive().keys.erase(path);
        return true;
    }
    bool readValue(std::u16string_view name, s::reg::ValueType* type, std::vector<uint8_t>* data) override
    {
        const FakeValue* found = hive().value(m_subPath, name);
        if (!found)
            return false;
        *type = found->type;
        *data = found->data;
        return true;
    }
    bool writeValue(std::u16string_view name, s::reg::ValueType type, const void* data, uint32_t size) override
    {
        auto key = hive().keys.find(FakeHive::fold(m_subPath));
        if (key == hive().keys.end() || hive().failWrites)
            return false;
        const auto* bytes = static_cast<const uint8_t*>(data);
        key->second[FakeHive::fold(name)] = FakeValue{type, std::vector<uint8_t>(bytes, bytes + size)};
        return true;
    }
    bool deleteValue(std::u16string_view name) override
    {
        auto key = hive().keys.find(FakeHive::fold(m_subPath));
        return key != hive().keys.end() && key->second.erase(FakeHive::fold(name)) != 0;
    }

private:
    static FakeHive& hive() { return FakeHive::instance(); }

    s::reg::RootKey m_root = s::reg::RootKey::CurrentUser;
    std::u16string m_subPath;
};

}  // namespace settings_test
