#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <atomic>
#include <thread>

#include "SettingsFakeRegistry.h"
#include "TestFolder.h"
#include "col/_array/ArrayBase.h"
#include "map/IMappedData.h"
#include "reg/MappedData.h"
#include "str/strbuffer/StrBuffer.h"
#include "thread/Pooled.h"
#include "xml/MappedData.h"
#include "xml/Node.h"

using s::map::IMappedData;
using s::reg::ValueType;
using s::thread::Pooled;
using settings_test::FakeHive;
using settings_test::FakeRegDir;

namespace {

const std::u16string kRoot = u"Software\\Vosk\\Test\\SaveData";

Pooled<IMappedData> registryStore()
{
    return Pooled<IMappedData>(s::reg::MappedData::withRoot(FakeRegDir::make(kRoot)));
}

std::u16string documentOf(IMappedData& store)
{
    auto& xml = dynamic_cast<s::xml::MappedData&>(store);
    Pooled<s::str::strbuffer::StrBuffer> text(xml.root()->write(nullptr));
    return text->str();
}

// Both stores answer the same operations alike.
class SettingsStore : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override
    {
        FakeHive::instance().clear();
        if (std::string(GetParam()) == "registry")
            m_store = registryStore();
        else
            m_store.hold(s::xml::MappedData::inMemory());
    }
    IMappedData& store() { return *m_store; }

private:
    Pooled<IMappedData> m_store;
};

}  // namespace

TEST_P(SettingsStore, TypedValuesReadBackAndMissingOnesGiveTheFallback)
{
    IMappedData& s = store();
    EXPECT_TRUE(s.setUInt8(u"K", u"u8", 200));
    EXPECT_TRUE(s.setUInt16(u"K", u"u16", 65000));
    EXPECT_TRUE(s.setUInt32(u"K", u"u32", 4000000000u));
    EXPECT_TRUE(s.setUInt64(u"K", u"u64", 18000000000000000000ull));
    EXPECT_TRUE(s.setInt8(u"K", u"i8", -100));
    EXPECT_TRUE(s.setInt16(u"K", u"i16", -30000));
    EXPECT_TRUE(s.setInt32(u"K", u"i32", -2000000000));
    EXPECT_TRUE(s.setInt64(u"K", u"i64", -9000000000000000000ll));
    EXPECT_TRUE(s.setFloat(u"K", u"f", 2.5f));
    EXPECT_TRUE(s.setDouble(u"K", u"d", -1234.5));
    EXPECT_TRUE(s.setBool(u"K", u"b", true));
    EXPECT_TRUE(s.setString(u"K", u"s", u"Gr\u00FC\u00DFe \"<&>\" \r\n"));
    EXPECT_TRUE(s.setString(u"K", u"", u" text value "));
    const uint8_t bytes[] = {0x00, 0xFF, 0x10};
    EXPECT_TRUE(s.setBytes(u"K", u"bytes", bytes, 3));

    EXPECT_EQ(s.getUInt8(u"K", u"u8", 0), 200);
    EXPECT_EQ(s.getUInt16(u"K", u"u16", 0), 65000);
    EXPECT_EQ(s.getUInt32(u"K", u"u32", 0), 4000000000u);
    EXPECT_EQ(s.getUInt64(u"K", u"u64", 0), 18000000000000000000ull);
    EXPECT_EQ(s.getInt8(u"K", u"i8", 0), -100);
    EXPECT_EQ(s.getInt16(u"K", u"i16", 0), -30000);
    EXPECT_EQ(s.getInt32(u"K", u"i32", 0), -2000000000);
    EXPECT_EQ(s.getInt64(u"K", u"i64", 0), -9000000000000000000ll);
    EXPECT_EQ(s.getFloat(u"K", u"f", 0), 2.5f);
    EXPECT_EQ(s.getDouble(u"K", u"d", 0), -1234.5);
    EXPECT_TRUE(s.getBool(u"K", u"b", false));
    EXPECT_EQ(std::u16string(s.getString(u"K", u"s", u"")), u"Gr\u00FC\u00DFe \"<&>\" \r\n");
    EXPECT_EQ(std::u16string(s.getString(u"K", u"", u"")), u" text value ");
    std::unique_ptr<s::col::_array::ArrayU08> read(s.getBytes(u"K", u"bytes", nullptr));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(std::vector<uint8_t>(read->data(), read->data() + read->count()), std::vector<uint8_t>({0x00, 0xFF, 0x10}));

    const char16_t* fallback = u"fallback";
    EXPECT_EQ(s.getString(u"K", u"none", fallback), fallback);
    EXPECT_EQ(s.getString(u"Nowhere", u"s", fallback), fallback);
    EXPECT_EQ(s.getInt32(u"Nowhere", u"i32", 77), 77);
    EXPECT_EQ(s.getDouble(u"K", u"none", 0.5), 0.5);
    EXPECT_TRUE(s.getBool(u"K", u"none", true));
    EXPECT_EQ(s.getBytes(u"K", u"none", nullptr), nullptr);
    EXPECT_EQ(s.getStringList(u"K", u"s"), nullptr);
    EXPECT_TRUE(s.valueExists(u"K", u"S"));
    EXPECT_FALSE(s.valueExists(u"K", u"none"));
}

TEST_P(SettingsStore, ReadingCreatesNothingAndWritingCreatesTheKeyPath)
{
    IMappedData& s = store();
    EXPECT_EQ(s.getInt32(u"MainWindow\\View", u"Width", 250), 250);
    EXPECT_FALSE(s.open(u"MainWindow"));
    EXPECT_TRUE(s.setInt32(u"MainWindow\\View", u"Width", 300));
    EXPECT_TRUE(s.open(u"MainWindow"));
    EXPECT_TRUE(s.open(u"MainWindow\\View"));
    EXPECT_EQ(s.getInt32(u"MainWindow\\View", u"Width", 250), 300);
    EXPECT_EQ(s.getInt32(u"MainWindow", u"Width", 250), 250);
}

TEST_P(SettingsStore, WritingANameTwiceKeepsOneValue)
{
    IMappedData& s = store();
    s.setInt32(u"View", u"Width", 1);
    s.setInt32(u"View", u"width", 2);
    s.setString(u"View", u"Name", u"a");
    s.setString(u"View", u"Name", u"b");
    EXPECT_EQ(s.getInt32(u"View", u"WIDTH", 0), 2);
    EXPECT_EQ(std::u16string(s.getString(u"View", u"Name", u"")), u"b");
    if (std::string(GetParam()) == "xml") {
        EXPECT_EQ(documentOf(s), u"<savedata><View width=\"2\" Name=\"b\"></View></savedata>");
    }
}

TEST_P(SettingsStore, DeletingKeysAndValues)
{
    IMappedData& s = store();
    s.setInt32(u"A\\B\\C", u"v", 1);
    s.setInt32(u"A", u"v", 2);
    EXPECT_EQ(s.getInt32(u"A\\B\\C", u"v", 0), 1);  // now the cached key
    EXPECT_TRUE(s.deleteKey(u"A\\B"));
    EXPECT_FALSE(s.open(u"A\\B\\C"));
    EXPECT_EQ(s.getInt32(u"A\\B\\C", u"v", 0), 0);
    EXPECT_EQ(s.getInt32(u"A", u"v", 0), 2);
    // A write after the delete makes the key anew instead of writing into the removed one.
    EXPECT_TRUE(s.setInt32(u"A\\B\\C", u"v", 3));
    EXPECT_EQ(s.getInt32(u"A\\B\\C", u"v", 0), 3);
    EXPECT_FALSE(s.deleteKey(u"Missing"));
    EXPECT_FALSE(s.deleteKey(u""));  // never the store's root

    EXPECT_TRUE(s.deleteValue(u"A", u"v"));
    EXPECT_FALSE(s.deleteValue(u"A", u"v"));
    EXPECT_EQ(s.getInt32(u"A", u"v", 9), 9);
}

// Two windows write their settings from their own threads into one store;
// the store's cached key must never carry one thread's value into the
// other's key, and each thread must read back the text it asked for.
TEST_P(SettingsStore, TwoThreadsNeverWriteIntoEachOthersKeys)
{
    IMappedData& s = store();
    constexpr int kRounds = 20000;
    std::atomic<int> ready{0};
    auto writer = [&s, &ready](const std::u16string& key, bool* textsIntact) {
        // Both start together, so their accesses interleave.
        ++ready;
        while (ready.load() < 2) {
        }
        for (int i = 0; i < kRounds; ++i) {
            s.setInt32(key, u"X", i);
            s.setString(key, u"Name", key);
            const char16_t* text = s.getString(key, u"Name", u"");
            if (std::u16string(text) != key)
                *textsIntact = false;
        }
    };
    bool mainIntact = true;
    bool aboutIntact = true;
    std::thread main(writer, u"MainWindow\\View", &mainIntact);
    std::thread about(writer, u"AboutWindow\\View", &aboutIntact);
    main.join();
    about.join();
    EXPECT_TRUE(mainIntact);
    EXPECT_TRUE(aboutIntact);
    for (const char16_t* key : {u"MainWindow\\View", u"AboutWindow\\View"}) {
        EXPECT_EQ(s.getInt32(key, u"X", -1), kRounds - 1);
        EXPECT_EQ(std::u16string(s.getString(key, u"Name", u"")), key);
    }
    EXPECT_FALSE(s.valueExists(u"MainWindow", u"X"));
    EXPECT_FALSE(s.valueExists(u"AboutWindow", u"X"));
}

INSTANTIATE_TEST_SUITE_P(BothStores, SettingsStore, ::testing::Values("registry", "xml"));

// --- The registry store ----------------------------------------------------------------------------

class SettingsRegistry : public ::testing::Test {
protected:
    void SetUp() override { FakeHive::instance().clear(); }
    FakeHive& hive() { return FakeHive::instance(); }
    const settings_test::FakeValue* stored(std::u16string_view key, std::u16string_view name)
    {
        return hive().value(kRoot + (key.empty() ? u"" : u"\\") + std::u16string(key), name);
    }
    void putRaw(std::u16string_view name, ValueType type, std::vector<uint8_t> data)
    {
        hive().keys[FakeHive::fold(kRoot)][FakeHive::fold(name)] = settings_test::FakeValue{type, std::move(data)};
    }
};

TEST_F(SettingsRegistry, ValueTypesAsWritten)
{
    auto s = registryStore();
    s->setInt8(u"", u"i8", -1);
    s->setUInt16(u"", u"u16", 0xFFFF);
    s->setBool(u"", u"b", true);
    s->setInt64(u"", u"i64", 1);
    s->setDouble(u"", u"d", 1.0);
    s->setFloat(u"", u"f", 1.0f);
    s->setString(u"", u"s", u"ab");
    s->setExpandString(u"", u"e", u"%X%");
    s->setBytes(u"", u"bin", nullptr, 0);

    struct Case {
        std::u16string_view name;
        ValueType type;
        std::vector<uint8_t> data;
    };
    const Case cases[] = {
        {u"i8", ValueType::Dword, {0xFF, 0xFF, 0xFF, 0xFF}},  // sign-extended
        {u"u16", ValueType::Dword, {0xFF, 0xFF, 0x00, 0x00}},  // zero-extended
        {u"b", ValueType::Dword, {1, 0, 0, 0}},
        {u"i64", ValueType::Binary, {1, 0, 0, 0, 0, 0, 0, 0}},
        {u"d", ValueType::Binary, {0, 0, 0, 0, 0, 0, 0xF0, 0x3F}},
        {u"f", ValueType::Binary, {0, 0, 0x80, 0x3F}},
        {u"s", ValueType::String, {'a', 0, 'b', 0, 0, 0}},
        {u"e", ValueType::ExpandString, {'%', 0, 'X', 0, '%', 0, 0, 0}},
        {u"bin", ValueType::Binary, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name.begin(), c.name.end()));
        const auto* value = stored(u"", c.name);
        ASSERT_NE(value, nullptr);
        EXPECT_EQ(value->type, c.type);
        EXPECT_EQ(value->data, c.data);
    }
}

TEST_F(SettingsRegistry, ReadsCheckTheSizeNotTheType)
{
    putRaw(u"four", ValueType::Binary, {0x2A, 0, 0, 0});
    putRaw(u"eight", ValueType::Dword, {0, 0, 0, 0, 0, 0, 0xF0, 0x3F});
    putRaw(u"two", ValueType::Dword, {1, 0});
    putRaw(u"empty", ValueType::Dword, {});
    auto s = registryStore();

    EXPECT_EQ(s->getInt32(u"", u"four", -1), 42);
    EXPECT_TRUE(s->getBool(u"", u"four", false));
    EXPECT_EQ(s->getUInt8(u"", u"four", 0), 42);
    EXPECT_EQ(s->getInt64(u"", u"four", -1), -1);
    EXPECT_EQ(s->getDouble(u"", u"four", -1), -1);

    EXPECT_EQ(s->getDouble(u"", u"eight", -1), 1.0);
    EXPECT_EQ(s->getInt32(u"", u"eight", -1), -1);
    EXPECT_EQ(s->getFloat(u"", u"eight", -1), -1);

    for (const char16_t* name : {u"two", u"empty"}) {
        EXPECT_EQ(s->getInt32(u"", name, -1), -1);
        EXPECT_EQ(s->getInt64(u"", name, -1), -1);
        EXPECT_FALSE(s->getBool(u"", name, false));
    }

    // An 8-byte value read as a 32-bit one: the fallback.
    s->setInt64(u"", u"big", 5);
    EXPECT_EQ(s->getInt32(u"", u"big", -1), -1);
    EXPECT_EQ(s->getInt64(u"", u"big", -1), 5);
}

TEST_F(SettingsRegistry, StringsTakeTextTypesOnlyAndNeedNoTerminator)
{
    putRaw(u"plain", ValueType::String, {'h', 0, 'i', 0, 0, 0});
    putRaw(u"unterminated", ValueType::String, {'h', 0, 'i', 0});
    putRaw(u"odd", ValueType::String, {'h', 0, 'i'});
    putRaw(u"inner", ValueType::String, {'a', 0, 0, 0, 'b', 0});
    putRaw(u"empty", ValueType::String, {});
    putRaw(u"number", ValueType::Dword, {'h', 0, 'i', 0});
    putRaw(u"binary", ValueType::Binary, {'h', 0, 'i', 0});
    auto s = registryStore();
    struct Case {
        std::u16string_view name;
        std::u16string_view text;
    };
    const Case cases[] = {
        {u"plain", u"hi"}, {u"unterminated", u"hi"}, {u"odd", u"h"},        {u"inner", u"a"},
        {u"empty", u""},   {u"number", u"(none)"},   {u"binary", u"(none)"}, {u"missing", u"(none)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name.begin(), c.name.end()));
        bool expandable = true;
        EXPECT_EQ(std::u16string(s->getString(u"", c.name, u"(none)", &expandable)), c.text);
        EXPECT_FALSE(expandable);
    }
}

TEST_F(SettingsRegistry, ExpandableStringsAreFlaggedAndExpandedOnRequest)
{
#ifdef _WIN32
    _putenv("PELLORY_SETTINGS_TEST=C:\\Data");
#else
    setenv("PELLORY_SETTINGS_TEST", "C:\\Data", 1);
#endif
    auto s = registryStore();
    s->setExpandString(u"Paths", u"", u"%PELLORY_SETTINGS_TEST%\\out");
    bool expandable = false;
    EXPECT_EQ(std::u16string(s->getString(u"Paths", u"", u"", &expandable, false)), u"%PELLORY_SETTINGS_TEST%\\out");
    EXPECT_TRUE(expandable);
    expandable = false;
    EXPECT_EQ(std::u16string(s->getString(u"Paths", u"", u"", &expandable, true)), u"C:\\Data\\out");
    EXPECT_TRUE(expandable);
    // Longer than the 520 characters a fixed buffer would hold.
    const std::u16string longText(600, u'x');
    s->setExpandString(u"Paths", u"long", longText + u"%PELLORY_SETTINGS_TEST%");
    EXPECT_EQ(std::u16string(s->getString(u"Paths", u"long", u"", nullptr, true)), longText + u"C:\\Data");
}

TEST_F(SettingsRegistry, TheKeyOpenedLastIsReused)
{
    auto s = registryStore();
    s->setInt32(u"MainWindow\\View", u"Width", 1);
    hive().opens = 0;
    s->getInt32(u"MainWindow\\View", u"Width", 0);
    s->setInt32(u"MainWindow\\View", u"Height", 2);
    s->getBool(u"MainWindow\\View", u"Compact", false);
    EXPECT_EQ(hive().opens, 0);

    s->getInt32(u"MainWindow", u"x", 0);
    EXPECT_EQ(hive().opens, 1);
    s->getInt32(u"MainWindow\\View", u"Width", 0);
    EXPECT_EQ(hive().opens, 2);

    // A key that was missing is looked for again, and found once written.
    s->getInt32(u"Later", u"x", 0);
    s->getInt32(u"Later", u"x", 0);
    EXPECT_EQ(hive().opens, 4);
    s->setInt32(u"Later", u"x", 7);
    EXPECT_EQ(s->getInt32(u"Later", u"x", 0), 7);
    EXPECT_TRUE(hive().hasKey(kRoot + u"\\Later"));
}

TEST_F(SettingsRegistry, AFailedWriteReportsFalse)
{
    auto s = registryStore();
    hive().failWrites = true;
    EXPECT_FALSE(s->setInt32(u"View", u"x", 1));
    EXPECT_FALSE(s->setString(u"View", u"s", u"v"));
    EXPECT_TRUE(s->save());
    s->setAutoSave(true);
    EXPECT_TRUE(s->autoSave());
    EXPECT_TRUE(s->flushIfAutoSave());
}

// --- The file store ---------------------------------------------------------------------------------------

TEST(SettingsFile, RoundTripThroughTheFileInTheDocumentedShape)
{
    TestFolder folder;
    const std::u16string file = folder.file(u"savedata") + u"/SaveData.xml";
    {
        Pooled<IMappedData> s(s::xml::MappedData::openFile(file));
        EXPECT_EQ(documentOf(*s), u"<savedata></savedata>");
        s->setInt32(u"MainWindow\\View", u"Width", 300);
        s->setString(u"Language", u"", u"Magyar nyelv");
        s->setDouble(u"MainWindow/View", u"Zoom", 1.25);
        EXPECT_FALSE(std::filesystem::exists(file));
        ASSERT_TRUE(s->save());
    }
    EXPECT_EQ(readAll(file), "<savedata><MainWindow><View Width=\"300\" Zoom=\"1.250000\"></View></MainWindow>"
                             "<Language>Magyar&#160;nyelv</Language></savedata>");
    Pooled<IMappedData> again(s::xml::MappedData::openFile(file));
    EXPECT_EQ(again->getInt32(u"MainWindow/View/", u"Width", 0), 300);
    EXPECT_EQ(again->getDouble(u"MainWindow\\View", u"zoom", 0), 1.25);
    EXPECT_EQ(std::u16string(again->getString(u"Language", u"", u"")), u"Magyar nyelv");
    // Components match exactly.
    EXPECT_EQ(again->getInt32(u"mainwindow\\View", u"Width", 0), 0);
}

TEST(SettingsFile, AutoSaveWritesAtEachChange)
{
    TestFolder folder;
    const std::u16string file = folder.file(u"SaveData.xml");
    Pooled<IMappedData> s(s::xml::MappedData::openFile(file));
    s->setInt32(u"A", u"x", 1);
    EXPECT_FALSE(std::filesystem::exists(file));
    s->setAutoSave(true);
    EXPECT_TRUE(s->setInt32(u"A", u"x", 2));
    EXPECT_EQ(readAll(file), "<savedata><A x=\"2\"></A></savedata>");
    EXPECT_TRUE(s->deleteValue(u"A", u"x"));
    EXPECT_EQ(readAll(file), "<savedata><A></A></savedata>");
    // A save that cannot happen is reported.
    std::filesystem::remove(file);
    std::filesystem::create_directory(file);
    EXPECT_FALSE(s->setInt32(u"A", u"x", 3));
}

TEST(SettingsFile, DamagedFilesGiveDefaultsOrWhatCouldBeRead)
{
    struct Case {
        const char* name;
        std::string content;
        int32_t width;  // MainWindow\View Width, fallback 250
    };
    const Case cases[] = {
        {"empty", "", 250},
        {"cut in a value", "<savedata><MainWindow><View Width=\"3", 250},
        {"cut after a value", "<savedata><MainWindow><View Width=\"300\" Hei", 300},
        {"comment only", "<!-- nothing -->", 250},
        {"not xml", std::string("\0\1garbage\xFF", 11), 250},
        {"repeated names", "<savedata><MainWindow><View Width=\"1\" width=\"2\"/></MainWindow></savedata>", 1},
        {"foreign root", "<other><MainWindow><View Width=\"7\"/></MainWindow></other>", 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestFolder folder;
        folder.write(u"SaveData.xml", c.content);
        Pooled<IMappedData> s(s::xml::MappedData::openFile(folder.file(u"SaveData.xml")));
        EXPECT_EQ(s->getInt32(u"MainWindow\\View", u"Width", 250), c.width);
        // And it can be written over.
        EXPECT_TRUE(s->setInt32(u"MainWindow\\View", u"Width", 400));
        EXPECT_EQ(s->getInt32(u"MainWindow\\View", u"Width", 250), 400);
        EXPECT_TRUE(s->save());
    }
}

TEST(SettingsFile, BytesAreHexadecimalUpToTheFirstOtherCharacter)
{
    struct Case {
        std::u16string_view stored;
        std::vector<uint8_t> bytes;
    };
    const Case cases[] = {
        {u"00ff10", {0x00, 0xFF, 0x10}}, {u"0A0b", {0x0A, 0x0B}}, {u"12zz34", {0x12}},
        {u"123", {0x12}},                {u"", {}},               {u" 12", {}},
        {u"1g", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.stored.begin(), c.stored.end()));
        Pooled<s::xml::MappedData> s(s::xml::MappedData::inMemory());
        s->openOrCreate(u"K");
        s->root()->child(u"K")->attributes().add(u"b", c.stored);
        s::col::_array::ArrayU08 bytes;
        bytes.add(99);
        ASSERT_EQ(s->getBytes(u"K", u"b", &bytes), &bytes);
        EXPECT_EQ(std::vector<uint8_t>(bytes.data(), bytes.data() + bytes.count()), c.bytes);
    }
}
