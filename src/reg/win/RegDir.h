#pragma once
#include "reg/IRegDir.h"
#include "thread/PooledBy.h"

namespace s::reg::win {

// A key of the real registry (Windows build only). The key is opened with
// full access on first use and stays open until the object is reset or
// pointed elsewhere.
class RegDir : public s::reg::IRegDir, public s::thread::PooledBy<RegDir> {
public:
    RegDir() = default;
    ~RegDir() override;

    static RegDir* make(RootKey root, std::u16string_view subPath);

    const char16_t* className() const override { return u"s_reg_win_RegDir"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;

    void setRoot(RootKey root, std::u16string_view subPath) override;
    RootKey root() const override { return m_root; }
    const std::u16string& subPath() const override { return m_subPath; }

    bool exists() override;
    bool create() override;
    bool remove(bool withSubkeys) override;
    bool readValue(std::u16string_view name, ValueType* type, std::vector<uint8_t>* data) override;
    bool writeValue(std::u16string_view name, ValueType type, const void* data, uint32_t size) override;
    bool deleteValue(std::u16string_view name) override;

private:
    bool openHandle();
    void closeHandle();

    RootKey m_root = RootKey::CurrentUser;
    std::u16string m_subPath;
    void* m_handle = nullptr;  // the open key (HKEY), owned
};

}  // namespace s::reg::win
