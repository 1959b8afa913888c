// The application's start-up against the real system of the test's Wine
// prefix: what the context writes to the registry, the post-install page,
// finding and waking a running copy (a second process of this very program),
// and the resources that the build compiles into Pellory.exe.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/PelloryApp.h"
#include "app/win/AppBase.h"
#include "app/win/RunningCopy.h"
#include "archive/ByteStream.h"
#include "image/jpg/win/Jpeg.h"
#include "lang/LangPack.h"
#include "lang/Localizer.h"
#include "platform/WebPage.h"
#include "thread/Pooled.h"

using s::app::win::AppBase;
using s::app::win::RunningCopy;
using s::thread::Pooled;

namespace {

const wchar_t kChildSwitch[] = L"--pellory-running-copy-child";
const wchar_t kChildTitle[] = L"Vosk Pellory v1.10";
constexpr DWORD kChildWoken = 3;
constexpr DWORD kChildTimedOut = 1;

// --- The second process: started with kChildSwitch it never reaches the
// tests; it shows a window titled as the main window is and ends with
// kChildWoken when the wake-up message arrives. ---

LRESULT CALLBACK childProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == RunningCopy::kWakeUpMessage) {
        PostQuitMessage(static_cast<int>(kChildWoken));
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

DWORD runChild()
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = childProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"PelloryRunningCopyChild";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, kChildTitle, WS_OVERLAPPEDWINDOW, 10, 10, 250, 250,
                                  nullptr, nullptr, windowClass.hInstance, nullptr);
    if (!window)
        return 2;
    ShowWindow(window, SW_SHOWNOACTIVATE);
    // Never outlives a parent that failed to wake it.
    SetTimer(window, 1, 20000, nullptr);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_TIMER)
            return kChildTimedOut;
        DispatchMessageW(&message);
    }
    return static_cast<DWORD>(message.wParam);
}

// Runs before gtest's main, so the child never lists or runs tests.
const bool g_childChecked = [] {
    if (wcsstr(GetCommandLineW(), kChildSwitch))
        ExitProcess(runChild());
    return true;
}();

// --- Registry values the tests change and put back ---

std::wstring wide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

bool keyExists(const std::wstring& path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

struct RawValue {
    bool found = false;
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

RawValue readRaw(const std::wstring& path, const wchar_t* name)
{
    RawValue value;
    BYTE buffer[2048];
    DWORD size = sizeof buffer;
    value.found = RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name, RRF_RT_ANY | RRF_NOEXPAND, &value.type, buffer,
                               &size) == ERROR_SUCCESS;
    if (value.found)
        value.data.assign(buffer, buffer + size);
    return value;
}

std::wstring readText(const std::wstring& path, const wchar_t* name)
{
    const RawValue value = readRaw(path, name);
    if (!value.found || (value.type != REG_SZ && value.type != REG_EXPAND_SZ))
        return L"<none>";
    std::wstring text(reinterpret_cast<const wchar_t*>(value.data.data()), value.data.size() / sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0')
        text.pop_back();
    return text;
}

bool writeDword(const std::wstring& path, const wchar_t* name, DWORD value)
{
    return RegSetKeyValueW(HKEY_CURRENT_USER, path.c_str(), name, REG_DWORD, &value, sizeof value) == ERROR_SUCCESS;
}

// Remembers keys and values as they were and puts them back at the end of
// the test: keys that did not exist are removed with everything below them.
class RegistryGuard {
public:
    void keepKey(const std::wstring& path)
    {
        if (!keyExists(path))
            m_madeKeys.insert(m_madeKeys.begin(), path);
    }
    void keepValue(const std::wstring& path, const wchar_t* name)
    {
        keepKey(path);
        m_values.push_back({path, name, readRaw(path, name)});
    }
    ~RegistryGuard()
    {
        for (const Saved& saved : m_values) {
            if (saved.before.found) {
                RegSetKeyValueW(HKEY_CURRENT_USER, saved.path.c_str(), saved.name.c_str(), saved.before.type,
                                saved.before.data.data(), static_cast<DWORD>(saved.before.data.size()));
            } else {
                RegDeleteKeyValueW(HKEY_CURRENT_USER, saved.path.c_str(), saved.name.c_str());
            }
        }
        for (const std::wstring& path : m_madeKeys)
            deleteKey(path);
    }
    static void deleteKey(const std::wstring& path)
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str());
        RegDeleteKeyW(HKEY_CURRENT_USER, path.c_str());
    }

private:
    struct Saved {
        std::wstring path;
        std::wstring name;
        RawValue before;
    };
    std::vector<std::wstring> m_madeKeys;  // innermost first
    std::vector<Saved> m_values;
};

const std::wstring kProductKey = L"Software\\Vosk\\Vosk Pellory";
const std::wstring kStoreKey = kProductKey + L"\\SaveData";

std::vector<std::u16string> g_openedPages;
bool recordPage(const char16_t* address)
{
    g_openedPages.emplace_back(address);
    return true;
}

class PageRecorder {
public:
    PageRecorder() : m_previous(s::platform::setWebPageOpener(&recordPage)) { g_openedPages.clear(); }
    ~PageRecorder() { s::platform::setWebPageOpener(m_previous); }

private:
    s::platform::WebPageOpener m_previous;
};

// The folder this test program runs from: Pellory.exe is built beside it.
std::wstring programFolder()
{
    wchar_t path[MAX_PATH * 4];
    const DWORD length = GetModuleFileNameW(nullptr, path, static_cast<DWORD>(sizeof path / sizeof path[0]));
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L"\\/"));
}

TEST(StartUp, TheContextStoresIdentificationAndLanguage)
{
    RegistryGuard guard;
    guard.keepKey(L"Software\\Vosk");
    guard.keepKey(kProductKey);
    guard.keepKey(kStoreKey);
    for (const wchar_t* key : {L"\\SoftwareID", L"\\Version", L"\\Language"})
        guard.keepValue(kStoreKey + key, L"");
    // A first start: nothing stored yet.
    for (const wchar_t* key : {L"\\SoftwareID", L"\\Version", L"\\Language"})
        RegistryGuard::deleteKey(kStoreKey + key);

    Pooled<AppBase> context(AppBase::take());
    context->initialise();
    ASSERT_NE(context->localizer(), nullptr);
    ASSERT_NE(context->settingsStore(), nullptr);
    EXPECT_EQ(context->textBase(), 500000);
    EXPECT_FALSE(context->modulePath().empty());
    EXPECT_EQ(readText(kStoreKey + L"\\SoftwareID", L""), L"Vosk Pellory");
    EXPECT_EQ(readText(kStoreKey + L"\\Version", L""), L"1.10");
    const s::lang::LangPack* current = context->localizer()->currentLanguage();
    ASSERT_NE(current, nullptr);
    EXPECT_EQ(readText(kStoreKey + L"\\Language", L""), wide(current->engName().str()));
    // The test program carries no picture: the context does without one.
    EXPECT_EQ(context->picture(), nullptr);
    context.clear();
}

TEST(StartUp, TheSavedLanguageIsChosenAtTheNextStart)
{
    RegistryGuard guard;
    guard.keepKey(L"Software\\Vosk");
    guard.keepKey(kProductKey);
    guard.keepKey(kStoreKey);
    guard.keepValue(kStoreKey + L"\\Language", L"");
    const wchar_t german[] = L"german";
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, (kStoreKey + L"\\Language").c_str(), nullptr, REG_SZ, german,
                              sizeof german),
              ERROR_SUCCESS);
    Pooled<AppBase> context(AppBase::take());
    context->initialise();
    EXPECT_EQ(context->localizer()->currentLanguage()->engName().str(), u"German");
    // Stored back in the pack's spelling.
    EXPECT_EQ(readText(kStoreKey + L"\\Language", L""), L"German");
}

TEST(StartUp, TheSilentFlagOpensTheProductPageOnceWithoutParameters)
{
    RegistryGuard guard;
    guard.keepKey(L"Software\\Vosk");
    guard.keepValue(kProductKey, L"Silent");
    PageRecorder recorder;
    Pooled<AppBase> context(AppBase::take());
    context->initialise();
    context->setCommandLine({});
    ASSERT_TRUE(writeDword(kProductKey, L"Silent", 1));

    EXPECT_TRUE(CPelloryApp::openPostInstallPage(*context));
    ASSERT_EQ(g_openedPages.size(), 1u);
    EXPECT_EQ(g_openedPages[0], std::u16string(context->localizer()->text(500003)));
    const RawValue after = readRaw(kProductKey, L"Silent");
    ASSERT_TRUE(after.found);
    EXPECT_EQ(after.type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(after.data, (std::vector<BYTE>{0, 0, 0, 0}));

    // The next start opens nothing.
    EXPECT_FALSE(CPelloryApp::openPostInstallPage(*context));
    EXPECT_EQ(g_openedPages.size(), 1u);
}

TEST(StartUp, AnyParameterLeavesTheSilentFlagAlone)
{
    RegistryGuard guard;
    guard.keepKey(L"Software\\Vosk");
    guard.keepValue(kProductKey, L"Silent");
    PageRecorder recorder;
    Pooled<AppBase> context(AppBase::take());
    context->initialise();
    context->setCommandLine({u"anything"});
    ASSERT_TRUE(writeDword(kProductKey, L"Silent", 7));

    EXPECT_FALSE(CPelloryApp::openPostInstallPage(*context));
    EXPECT_TRUE(g_openedPages.empty());
    const RawValue after = readRaw(kProductKey, L"Silent");
    EXPECT_EQ(after.data, (std::vector<BYTE>{7, 0, 0, 0}));
}

TEST(StartUp, TheCommandLineHoldsTheParametersWithoutTheProgram)
{
    Pooled<AppBase> context(AppBase::take());
    context->initialise();
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    ASSERT_NE(arguments, nullptr);
    std::vector<std::u16string> expected;
    for (int i = 1; i < count; ++i)
        expected.emplace_back(reinterpret_cast<const char16_t*>(arguments[i]));
    LocalFree(arguments);
    EXPECT_EQ(context->commandLine(), expected);
    EXPECT_EQ(context->hasParameters(), !expected.empty());
}

// --- The running copy ---

class ChildProcess {
public:
    bool start()
    {
        wchar_t path[MAX_PATH * 4];
        GetModuleFileNameW(nullptr, path, static_cast<DWORD>(sizeof path / sizeof path[0]));
        std::wstring commandLine = L"\"" + std::wstring(path) + L"\" " + kChildSwitch;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        return CreateProcessW(path, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                              &m_info) != 0;
    }
    ~ChildProcess()
    {
        if (!m_info.hProcess)
            return;
        // Gone for good before the next test takes its snapshot.
        if (WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(m_info.hProcess, 9);
            WaitForSingleObject(m_info.hProcess, 5000);
        }
        CloseHandle(m_info.hProcess);
        CloseHandle(m_info.hThread);
    }
    DWORD id() const { return m_info.dwProcessId; }
    // The exit code, or STILL_ACTIVE after the time-out.
    DWORD waitForExit(DWORD milliseconds)
    {
        WaitForSingleObject(m_info.hProcess, milliseconds);
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(m_info.hProcess, &code);
        return code;
    }

private:
    PROCESS_INFORMATION m_info{};
};

// Polls until the child's window exists.
void* waitForChildWindow(DWORD processId)
{
    for (int attempt = 0; attempt < 500; ++attempt) {
        if (void* window = RunningCopy::findWindow(processId, u"Vosk Pellory"))
            return window;
        Sleep(20);
    }
    return nullptr;
}

TEST(RunningCopyTest, FindsAndWakesAnotherProcessOfThisProgram)
{
    ChildProcess child;
    ASSERT_TRUE(child.start());
    ASSERT_NE(waitForChildWindow(child.id()), nullptr);

    EXPECT_EQ(RunningCopy::pickProcess(RunningCopy::snapshot(), RunningCopy::ownExecutablePath(),
                                       RunningCopy::ownProcessId()),
              child.id());
    // The title is matched ignoring case; another prefix finds nothing.
    EXPECT_NE(RunningCopy::findWindow(child.id(), u"VOSK PELLORY V1"), nullptr);
    EXPECT_EQ(RunningCopy::findWindow(child.id(), u"Pellory"), nullptr);

    Pooled<s::lang::Localizer> localizer(s::lang::Localizer::loadLocalizer());
    EXPECT_TRUE(RunningCopy::wakeRunningCopy(*localizer, AppBase::kTextBase));
    EXPECT_EQ(child.waitForExit(10000), kChildWoken);
}

TEST(RunningCopyTest, WithoutAnotherCopyTheStartGoesOn)
{
    // Nothing else runs this program now (the child of the test above has ended).
    EXPECT_EQ(RunningCopy::pickProcess(RunningCopy::snapshot(), RunningCopy::ownExecutablePath(),
                                       RunningCopy::ownProcessId()),
              0u);
    Pooled<s::lang::Localizer> localizer(s::lang::Localizer::loadLocalizer());
    EXPECT_FALSE(RunningCopy::wakeRunningCopy(*localizer, AppBase::kTextBase));
}

// --- Pellory.exe's resources ---

class PelloryResources : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::wstring path = programFolder() + L"\\Pellory.exe";
        m_module = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(m_module, nullptr) << "Pellory.exe is built beside this program; error " << GetLastError();
    }
    void TearDown() override
    {
        if (m_module)
            FreeLibrary(m_module);
    }
    std::string_view resource(const wchar_t* id, const wchar_t* type)
    {
        HRSRC found = FindResourceW(m_module, id, type);
        HGLOBAL loaded = found ? LoadResource(m_module, found) : nullptr;
        const void* bytes = loaded ? LockResource(loaded) : nullptr;
        if (!bytes)
            return {};
        return std::string_view(static_cast<const char*>(bytes), SizeofResource(m_module, found));
    }

    HMODULE m_module = nullptr;
};

TEST_F(PelloryResources, TheIconGroupHasFourSizesAtThreeDepths)
{
    const std::string_view group = resource(MAKEINTRESOURCEW(128), RT_GROUP_ICON);
    ASSERT_GE(group.size(), 6u);
    const auto* bytes = reinterpret_cast<const uint8_t*>(group.data());
    const uint16_t type = bytes[2] | bytes[3] << 8;
    const uint16_t count = bytes[4] | bytes[5] << 8;
    EXPECT_EQ(type, 1);
    ASSERT_EQ(count, 12);
    // Each record: width, height, colours, reserved, planes, bit count, size, icon id.
    constexpr size_t kRecord = 14;
    ASSERT_GE(group.size(), 6 + count * kRecord);
    std::set<std::pair<int, int>> shapes;
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* record = bytes + 6 + i * kRecord;
        EXPECT_EQ(record[0], record[1]);
        const int bitCount = record[6] | record[7] << 8;
        shapes.insert({record[0], bitCount});
        const uint16_t iconId = record[12] | record[13] << 8;
        EXPECT_FALSE(resource(MAKEINTRESOURCEW(iconId), RT_ICON).empty()) << "icon " << iconId;
    }
    std::set<std::pair<int, int>> expected;
    for (int size : {16, 24, 32, 48}) {
        for (int depth : {4, 8, 32})
            expected.insert({size, depth});
    }
    EXPECT_EQ(shapes, expected);
}

TEST_F(PelloryResources, ThePictureDecodesAt700By230)
{
    const std::string_view jpeg = resource(MAKEINTRESOURCEW(131), L"IDR_JPG");
    ASSERT_FALSE(jpeg.empty());
    s::archive::ByteStream stream;
    uint32_t written = 0;
    ASSERT_TRUE(stream.write(jpeg.data(), static_cast<uint32_t>(jpeg.size()), &written));
    stream.rewind();
    Pooled<s::image::jpg::win::Jpeg> decoder(s::image::jpg::win::Jpeg::take());
    ASSERT_TRUE(decoder->decode(stream));
    EXPECT_EQ(decoder->width(), 700);
    EXPECT_EQ(decoder->height(), 230);
}

TEST_F(PelloryResources, TheManifestAsksForCommonControlsSix)
{
    const std::string_view manifest = resource(MAKEINTRESOURCEW(1), RT_MANIFEST);
    ASSERT_FALSE(manifest.empty());
    EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string_view::npos);
    EXPECT_NE(manifest.find("version=\"6.0.0.0\""), std::string_view::npos);
}

TEST_F(PelloryResources, TheLanguagePackIsThere)
{
    const std::string_view pack = resource(MAKEINTRESOURCEW(130), L"IDR_XML");
    EXPECT_NE(pack.find("<lang"), std::string_view::npos);
}

}  // namespace
