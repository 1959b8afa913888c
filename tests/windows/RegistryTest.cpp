// The registry store and the post-install flag against the real registry of
// the test's Wine prefix. Every test works below a key of its own under
// HKEY_CURRENT_USER\Software\Vosk\Vosk Pellory\SaveData and deletes it (and
// any parent it had to create) when it ends.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lang/LangResource.h"
#include "lang/Localizer.h"
#include "map/AppSettings.h"
#include "platform/WebPage.h"
#include "reg/MappedData.h"
#include "reg/win/RegDir.h"
#include "thread/Pooled.h"

using s::map::IMappedData;
using s::reg::RootKey;
using s::reg::ValueType;
using s::reg::win::RegDir;
using s::thread::Pooled;

namespace {

const std::wstring kStoreKey = L"Software\\Vosk\\Vosk Pellory\\SaveData";

std::u16string u16(const std::wstring& text) { return std::u16string(text.begin(), text.end()); }

bool keyExists(const std::wstring& path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

bool keyIsEmpty(const std::wstring& path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    DWORD subkeys = 0;
    DWORD values = 0;
    const bool queried = RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
                                          nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    RegCloseKey(key);
    return queried && subkeys == 0 && values == 0;
}

struct RawValue {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
    bool found = false;
};

RawValue rawValue(const std::wstring& path, const wchar_t* name)
{
    RawValue value;
    BYTE buffer[1024];
    DWORD size = sizeof buffer;
    value.found = RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name, RRF_RT_ANY | RRF_NOEXPAND, &value.type, buffer,
                               &size) == ERROR_SUCCESS;
    if (value.found)
        value.data.assign(buffer, buffer + size);
    return value;
}

std::vector<std::u16string> g_openedPages;
bool recordPage(const char16_t* address)
{
    g_openedPages.emplace_back(address);
    return true;
}

class RegistryStore : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The parents this test creates are removed again; ones that were there stay.
        for (const std::wstring& parent : {std::wstring(L"Software\\Vosk"), std::wstring(L"Software\\Vosk\\Vosk Pellory"), kStoreKey}) {
            if (!keyExists(parent))
                m_madeParents.insert(m_madeParents.begin(), parent);
        }
        m_key = kStoreKey + L"\\test-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(GetTickCount64()) +
                L"-" + std::to_wstring(++s_counter);
        m_store.hold(s::reg::MappedData::withRoot(RegDir::make(RootKey::CurrentUser, u16(m_key))));
    }
    void TearDown() override
    {
        m_store.clear();
        Pooled<RegDir> mine(RegDir::make(RootKey::CurrentUser, u16(m_key)));
        mine->remove(true);
        EXPECT_FALSE(keyExists(m_key));
        for (const std::wstring& parent : m_madeParents) {
            if (keyIsEmpty(parent))
                RegDeleteKeyW(HKEY_CURRENT_USER, parent.c_str());
        }
    }
    IMappedData& store() { return *m_store; }
    const std::wstring& key() const { return m_key; }

private:
    static inline int s_counter = 0;
    std::wstring m_key;
    std::vector<std::wstring> m_madeParents;
    Pooled<IMappedData> m_store;
};

}  // namespace

TEST_F(RegistryStore, ReadingCreatesNothingWritingCreatesKeysAndADword)
{
    EXPECT_EQ(store().getInt32(u"MainWindow\\View", u"Width", 250), 250);
    EXPECT_FALSE(keyExists(key()));
    ASSERT_TRUE(store().setInt32(u"MainWindow\\View", u"Width", 300));
    EXPECT_TRUE(keyExists(key() + L"\\MainWindow"));
    const RawValue width = rawValue(key() + L"\\MainWindow\\View", L"Width");
    ASSERT_TRUE(width.found);
    EXPECT_EQ(width.type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(width.data, (std::vector<BYTE>{0x2C, 0x01, 0, 0}));
    EXPECT_EQ(store().getInt32(u"MainWindow\\View", u"Width", 250), 300);
}

TEST_F(RegistryStore, SizesDecideWhatAReadAccepts)
{
    ASSERT_TRUE(store().setInt64(u"", u"big", -2));
    const RawValue big = rawValue(key(), L"big");
    EXPECT_EQ(big.type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(big.data.size(), 8u);
    EXPECT_EQ(store().getInt32(u"", u"big", -1), -1);
    EXPECT_EQ(store().getInt64(u"", u"big", 0), -2);

    // Values written by others: a QWORD reads as 64 bits, a binary of four bytes as 32.
    HKEY handle = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, key().c_str(), 0, KEY_SET_VALUE, &handle), ERROR_SUCCESS);
    const ULONGLONG qword = 0x0102030405060708ull;
    RegSetValueExW(handle, L"qword", 0, REG_QWORD, reinterpret_cast<const BYTE*>(&qword), 8);
    const BYTE four[] = {7, 0, 0, 0};
    RegSetValueExW(handle, L"four", 0, REG_BINARY, four, 4);
    RegCloseKey(handle);
    EXPECT_EQ(store().getUInt64(u"", u"qword", 0), 0x0102030405060708ull);
    EXPECT_EQ(store().getUInt32(u"", u"qword", 9), 9u);
    EXPECT_EQ(store().getUInt32(u"", u"four", 0), 7u);
    EXPECT_TRUE(store().getBool(u"", u"four", false));

    ASSERT_TRUE(store().setString(u"", u"text", u"Gr\u00FC\u00DFe"));
    EXPECT_EQ(rawValue(key(), L"text").type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(std::u16string(store().getString(u"", u"text", u"")), u"Gr\u00FC\u00DFe");
    EXPECT_EQ(std::u16string(store().getString(u"", u"four", u"none")), u"none");
}

TEST_F(RegistryStore, ExpandableDefaultValue)
{
    ASSERT_TRUE(store().setExpandString(u"Paths", u"", u"%SystemRoot%\\pellory"));
    const RawValue stored = rawValue(key() + L"\\Paths", nullptr);
    EXPECT_EQ(stored.type, static_cast<DWORD>(REG_EXPAND_SZ));
    wchar_t expected[MAX_PATH];
    ExpandEnvironmentStringsW(L"%SystemRoot%\\pellory", expected, MAX_PATH);

    bool expandable = false;
    EXPECT_EQ(std::u16string(store().getString(u"Paths", u"", u"", &expandable, false)), u"%SystemRoot%\\pellory");
    EXPECT_TRUE(expandable);
    EXPECT_EQ(std::u16string(store().getString(u"Paths", u"", u"", &expandable, true)), u16(expected));
    EXPECT_NE(u16(expected), u"%SystemRoot%\\pellory");
}

TEST_F(RegistryStore, DeleteKeyTakesTheSubtreeAndTheCacheForgetsIt)
{
    ASSERT_TRUE(store().setInt32(u"A\\B\\C", u"v", 1));
    ASSERT_TRUE(store().setInt32(u"A\\B", u"v", 2));
    EXPECT_TRUE(store().deleteKey(u"A"));
    EXPECT_FALSE(keyExists(key() + L"\\A"));
    EXPECT_EQ(store().getInt32(u"A\\B", u"v", 0), 0);
    EXPECT_TRUE(store().setInt32(u"A\\B", u"v", 3));
    EXPECT_EQ(rawValue(key() + L"\\A\\B", L"v").data, (std::vector<BYTE>{3, 0, 0, 0}));
    EXPECT_FALSE(store().deleteKey(u""));
    EXPECT_TRUE(keyExists(key()));
}

TEST_F(RegistryStore, KeysByRootName)
{
    Pooled<RegDir> dir(RegDir::take());
    dir->setRootNamed(u"HKEY_LOCAL_MACHINE", u"Software");
    EXPECT_EQ(dir->root(), RootKey::LocalMachine);
    dir->setRootNamed(u"HKEY_CURRENT_USER", u16(key()));
    EXPECT_EQ(dir->root(), RootKey::CurrentUser);
    EXPECT_TRUE(dir->create());
    EXPECT_TRUE(keyExists(key()));
    dir->setRootNamed(u"HKCU", u"Software");
    EXPECT_EQ(dir->root(), RootKey::CurrentUser);
    EXPECT_EQ(dir->subPath(), u"InvalidKey");
    Pooled<s::reg::IRegDir> up(RegDir::make(RootKey::CurrentUser, u16(key()))->parent());
    EXPECT_EQ(up->subPath(), u16(kStoreKey));
}

TEST_F(RegistryStore, PostInstallPageUnderTheRealProductKey)
{
    const auto previous = s::platform::setWebPageOpener(&recordPage);
    g_openedPages.clear();
    const std::string_view pack = s::lang::LangResource::packBytes();
    Pooled<s::lang::Localizer> localizer(
        s::lang::Localizer::fromUtf8(reinterpret_cast<const uint8_t*>(pack.data()), pack.size()));
    Pooled<RegDir> product(RegDir::make(RootKey::CurrentUser, u16(key())));
    ASSERT_TRUE(product->create());
    const DWORD one = 1;
    RegSetKeyValueW(HKEY_CURRENT_USER, key().c_str(), L"Silent", REG_DWORD, &one, 4);

    EXPECT_FALSE(s::map::AppSettings::openPostInstallPage(*product, true, *localizer));
    EXPECT_EQ(rawValue(key(), L"Silent").data, (std::vector<BYTE>{1, 0, 0, 0}));
    EXPECT_TRUE(s::map::AppSettings::openPostInstallPage(*product, false, *localizer));
    EXPECT_EQ(rawValue(key(), L"Silent").data, (std::vector<BYTE>{0, 0, 0, 0}));
    EXPECT_FALSE(s::map::AppSettings::openPostInstallPage(*product, false, *localizer));
    ASSERT_EQ(g_openedPages.size(), 1u);
    EXPECT_EQ(g_openedPages[0].rfind(u"https://", 0), 0u);
    s::platform::setWebPageOpener(previous);

    // The application's own store sits where the product says.
    Pooled<IMappedData> appStore(s::map::AppSettings::openRegistryStore(*localizer));
    auto* registry = dynamic_cast<s::reg::MappedData*>(appStore.get());
    ASSERT_NE(registry, nullptr);
    EXPECT_EQ(registry->rootKey()->subPath(), u16(kStoreKey));
}
