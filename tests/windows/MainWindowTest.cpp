// The main window end to end, headless under Wine's null driver. Where the behaviour
// belongs to the process (a start, a second start, a drop from the shell, a close) the
// real Pellory.exe runs as a process of its own and is driven from here as the shell or
// the user would; where a test must watch the dialog at work, the dialog runs in this
// process on a real window thread. Every test runs with the product's registry key set
// aside, so each start is a first start, and puts the key back afterwards.
#include <windows.h>
#include <psapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "../unit/TestFolder.h"
#include "app/win/AppBase.h"
#include "app/win/AppWindow.h"
#include "dialogs/pellory/ConversionTask.h"
#include "dialogs/pellory/Dialog.h"
#include "dialogs/pellory/OutputNaming.h"
#include "gui/IWindowHost.h"
#include "gui/events/EventTypes.h"
#include "gui/events/IEventListener.h"
#include "gui/win/Controls.h"
#include "gui/win/Window.h"
#include "gui/win/native/NativeView.h"
#include "image/bmp/win/Bitmap.h"
#include "image/ico/win/Icon.h"
#include "image/ico/win/IconImage.h"
#include "image/jpg/win/Jpeg.h"
#include "image/png/win/Png.h"
#include "image/win/BufferedImage.h"
#include "lang/Localizer.h"
#include "thread/Pooled.h"

namespace {

using s::app::win::AppBase;
using s::app::win::AppWindow;
using s::image::gui::dialogs::pellory::ConversionTask;
using s::image::gui::dialogs::pellory::Dialog;
using s::image::gui::dialogs::pellory::Setting;
using s::thread::Pooled;
using Clock = std::chrono::steady_clock;
namespace events = s::gui::events;
namespace fs = std::filesystem;

constexpr wchar_t kWindowClass[] = L"s_gui_win_native_Window";
const std::wstring kProductKey = L"Software\\Vosk\\Vosk Pellory";
const std::wstring kStoreKey = kProductKey + L"\\SaveData";
const std::wstring kViewKey = kStoreKey + L"\\MainWindow\\View";
// A fresh store opens both strengths at this value.
constexpr int32_t kDefaultStrength = 80;

// Polls `done` every few milliseconds until it holds or the time is up.
bool waitFor(const std::function<bool()>& done, int milliseconds = 10000)
{
    const auto end = Clock::now() + std::chrono::milliseconds(milliseconds);
    while (!done()) {
        if (Clock::now() > end)
            return false;
        Sleep(5);
    }
    return true;
}

std::wstring programFolder()
{
    wchar_t path[MAX_PATH * 4];
    const DWORD length = GetModuleFileNameW(nullptr, path, static_cast<DWORD>(sizeof path / sizeof path[0]));
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L"\\/"));
}

std::wstring wide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

// --- The product's registry key, set aside for the test ---

class ProductKeyAside {
public:
    ProductKeyAside()
    {
        if (RegOpenKeyExW(HKEY_CURRENT_USER, kProductKey.c_str(), 0, KEY_READ, &m_original) != ERROR_SUCCESS)
            return;
        HKEY backup = nullptr;
        RegDeleteTreeW(HKEY_CURRENT_USER, kBackupKey);
        if (RegCreateKeyExW(HKEY_CURRENT_USER, kBackupKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &backup, nullptr) ==
            ERROR_SUCCESS) {
            m_saved = RegCopyTreeW(m_original, nullptr, backup) == ERROR_SUCCESS;
            RegCloseKey(backup);
        }
        RegCloseKey(m_original);
        m_original = nullptr;
        if (m_saved)
            removeProductKey();
    }
    ~ProductKeyAside()
    {
        removeProductKey();
        if (!m_saved)
            return;
        HKEY backup = nullptr;
        HKEY product = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, kBackupKey, 0, KEY_READ, &backup) == ERROR_SUCCESS &&
            RegCreateKeyExW(HKEY_CURRENT_USER, kProductKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &product,
                            nullptr) == ERROR_SUCCESS)
            RegCopyTreeW(backup, nullptr, product);
        if (product)
            RegCloseKey(product);
        if (backup)
            RegCloseKey(backup);
        RegDeleteTreeW(HKEY_CURRENT_USER, kBackupKey);
        RegDeleteKeyW(HKEY_CURRENT_USER, kBackupKey);
    }
    ProductKeyAside(const ProductKeyAside&) = delete;
    ProductKeyAside& operator=(const ProductKeyAside&) = delete;

private:
    static constexpr const wchar_t* kBackupKey = L"Software\\Vosk\\Vosk Pellory (set aside by a test)";
    static void removeProductKey()
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, kProductKey.c_str());
        RegDeleteKeyW(HKEY_CURRENT_USER, kProductKey.c_str());
    }
    HKEY m_original = nullptr;
    bool m_saved = false;
};

bool readDword(const std::wstring& key, const wchar_t* name, DWORD& value)
{
    DWORD size = sizeof value;
    return RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_REG_DWORD, nullptr, &value, &size) ==
           ERROR_SUCCESS;
}

std::wstring readText(const std::wstring& key, const wchar_t* name)
{
    wchar_t buffer[512] = {};
    DWORD size = sizeof buffer;
    if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS)
        return L"<none>";
    return buffer;
}

// A text value below HKEY_CURRENT_USER, the key made as needed: ERROR_SUCCESS once it is stored.
LONG writeText(const std::wstring& key, const wchar_t* name, const std::wstring& text)
{
    HKEY handle = nullptr;
    LONG result =
        RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr);
    if (result != ERROR_SUCCESS)
        return result;
    result = RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                            static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(handle);
    return result;
}

// --- Windows of any process ---

std::wstring classOf(HWND window)
{
    wchar_t name[128] = {};
    GetClassNameW(window, name, 128);
    return name;
}

// WM_GETTEXT is carried across processes; GetWindowText would not ask a
// control of another process.
std::wstring textOf(HWND window)
{
    wchar_t buffer[512] = {};
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 2000, &ignored);
    return buffer;
}

std::vector<HWND> topWindowsOf(DWORD processId)
{
    struct Search {
        DWORD processId;
        std::vector<HWND> found;
    } search{processId, {}};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s->processId && classOf(window) == kWindowClass)
                s->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> descendantsOf(HWND top)
{
    std::vector<HWND> all;
    EnumChildWindows(
        top,
        [](HWND window, LPARAM data) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&all));
    return all;
}

HWND childWith(HWND top, const wchar_t* className, const std::wstring& text)
{
    for (HWND child : descendantsOf(top)) {
        if (_wcsicmp(classOf(child).c_str(), className) == 0 && textOf(child) == text)
            return child;
    }
    return nullptr;
}

HWND childOfClass(HWND top, const wchar_t* className)
{
    for (HWND child : descendantsOf(top)) {
        if (_wcsicmp(classOf(child).c_str(), className) == 0)
            return child;
    }
    return nullptr;
}

// Where the shell delivers a drop on the drop box's text: the nearest window
// under the pointer that accepts files.
HWND dropTarget(HWND top)
{
    HWND window = childWith(top, L"Static", L"Please drop image file(s) here!");
    while (window && !(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES))
        window = GetParent(window);
    return window;
}

SIZE outerSize(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

// How much of a child's width shows through all its parents.
int visibleWidth(HWND child)
{
    if (!IsWindowVisible(child))
        return 0;
    RECT shown{};
    GetWindowRect(child, &shown);
    for (HWND parent = GetParent(child); parent; parent = GetParent(parent)) {
        RECT area{};
        GetWindowRect(parent, &area);
        if (!IntersectRect(&shown, &shown, &area))
            return 0;
    }
    return shown.right - shown.left;
}

// --- Drops as the shell makes them ---

std::vector<char> dropBlock(const std::vector<std::wstring>& paths)
{
    std::vector<char> block(sizeof(DROPFILES), 0);
    auto* header = reinterpret_cast<DROPFILES*>(block.data());
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    for (const std::wstring& path : paths) {
        const auto* bytes = reinterpret_cast<const char*>(path.c_str());
        block.insert(block.end(), bytes, bytes + (path.size() + 1) * sizeof(wchar_t));
    }
    block.insert(block.end(), sizeof(wchar_t), 0);
    return block;
}

// In this process: movable memory that the receiver's DragFinish frees.
HGLOBAL localDrop(const std::vector<std::wstring>& paths)
{
    const std::vector<char> block = dropBlock(paths);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, block.size());
    std::memcpy(GlobalLock(memory), block.data(), block.size());
    GlobalUnlock(memory);
    return memory;
}

// Into another process, as the shell would hand it over: the block is put in
// the target's memory and its address posted as the drop handle.
bool dropInto(HANDLE process, HWND target, const std::vector<std::wstring>& paths)
{
    const std::vector<char> block = dropBlock(paths);
    void* remote = VirtualAllocEx(process, nullptr, block.size(), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    SIZE_T written = 0;
    if (!remote || !WriteProcessMemory(process, remote, block.data(), block.size(), &written))
        return false;
    return PostMessageW(target, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0) != 0;
}

// --- Pictures of every format ---

Pooled<s::image::win::BufferedImage> makePicture(int32_t width, int32_t height)
{
    Pooled<s::image::win::BufferedImage> picture(s::image::win::BufferedImage::createImage(width, height));
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x)
            picture->row(y)[x] =
                0xFF000000u | static_cast<uint32_t>(((x * 7) & 0xFF) << 16 | ((y * 11) & 0xFF) << 8 | ((x * y) & 0xFF));
    }
    return picture;
}

void writeBmp(const fs::path& file, int32_t width = 37, int32_t height = 23)
{
    Pooled<s::image::win::BufferedImage> picture = makePicture(width, height);
    Pooled<s::image::bmp::win::Bitmap> bitmap(s::image::bmp::win::Bitmap::take());
    ASSERT_TRUE(bitmap->encodeImage(*picture, 24, true, 255, 255, 255));
    ASSERT_TRUE(bitmap->save(file.u16string()));
}

// One source of each format the window takes: two fixtures and three pictures
// written by the codecs.
void fillWithEveryFormat(const TestFolder& folder)
{
    const fs::path data(PELLORY_TESTDATA_DIR);
    folder.copyIn(data / "bmp" / "pal4rle.bmp", u"palette.bmp");
    folder.copyIn(data / "gif" / "mixed-disposal.gif", u"frames.gif");
    Pooled<s::image::win::BufferedImage> picture = makePicture(37, 23);
    Pooled<s::image::png::win::Png> png(s::image::png::win::Png::take());
    ASSERT_TRUE(png->encodeImage(*picture, false, true, 255, 255, 255));
    ASSERT_TRUE(png->save(folder.file(u"colours.png")));
    Pooled<s::image::jpg::win::Jpeg> jpeg(s::image::jpg::win::Jpeg::take());
    ASSERT_TRUE(jpeg->encodeImage(*picture, 90, 255, 255, 255));
    ASSERT_TRUE(jpeg->save(folder.file(u"photo.jpg")));
    Pooled<s::image::win::BufferedImage> square = makePicture(32, 32);
    Pooled<s::image::ico::win::IconImage> entry(s::image::ico::win::IconImage::take());
    ASSERT_TRUE(entry->encodeImage(*square, 32, true, 255, 255, 255));
    Pooled<s::image::ico::win::Icon> icon(s::image::ico::win::Icon::take());
    ASSERT_TRUE(icon->addEntry(entry.take()));
    ASSERT_TRUE(icon->save(folder.file(u"symbol.ico")));
}

std::vector<std::wstring> pathsIn(const TestFolder& folder)
{
    std::vector<std::wstring> paths;
    for (const std::u16string& name : folder.names())
        paths.push_back(wide(folder.file(name)));
    return paths;
}

// What the conversion task itself writes for these sources.
void convertWithTheTask(const std::vector<std::wstring>& paths, int32_t mode, int32_t strength)
{
    ConversionTask task;
    task.setting().set(mode, strength);
    for (const std::wstring& path : paths)
        task.fileList().add(std::u16string(path.begin(), path.end()));
    task.run();
}

std::map<std::u16string, std::string> contentsOf(const TestFolder& folder)
{
    std::map<std::u16string, std::string> all;
    for (const auto& entry : fs::directory_iterator(folder.path())) {
        if (entry.is_regular_file())
            all[entry.path().filename().u16string()] = readAll(entry.path());
    }
    return all;
}

// --- Pellory.exe as a process of its own ---

class PelloryProcess {
public:
    PelloryProcess() = default;
    PelloryProcess(const PelloryProcess&) = delete;
    PelloryProcess& operator=(const PelloryProcess&) = delete;
    ~PelloryProcess()
    {
        if (!m_info.hProcess)
            return;
        if (WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(m_info.hProcess, 9);
            WaitForSingleObject(m_info.hProcess, 5000);
        }
        CloseHandle(m_info.hProcess);
        CloseHandle(m_info.hThread);
    }

    static std::wstring path() { return programFolder() + L"\\Pellory.exe"; }

    // Any parameter keeps the post-install page shut.
    bool start()
    {
        const std::wstring program = path();
        std::wstring commandLine = L"\"" + program + L"\" test";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        return CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                              &startup, &m_info) != 0;
    }
    DWORD id() const { return m_info.dwProcessId; }
    HANDLE handle() const { return m_info.hProcess; }
    // The exit code, or STILL_ACTIVE after the time-out.
    DWORD waitForExit(DWORD milliseconds) const
    {
        WaitForSingleObject(m_info.hProcess, milliseconds);
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(m_info.hProcess, &code);
        return code;
    }
    // Its main window once it is shown.
    HWND waitForWindow() const
    {
        HWND found = nullptr;
        waitFor([&] {
            for (HWND window : topWindowsOf(id())) {
                if (IsWindowVisible(window))
                    found = window;
            }
            return found != nullptr;
        });
        return found;
    }
    // Started and its main window shown, or nullptr.
    HWND startAndWait()
    {
        if (!start()) {
            ADD_FAILURE() << "Pellory.exe did not start";
            return nullptr;
        }
        return waitForWindow();
    }
    // Closed as the user closes it: the exit code, or STILL_ACTIVE after the time-out.
    DWORD closeAndWait(HWND window, DWORD milliseconds = 10000) const
    {
        PostMessageW(window, WM_CLOSE, 0, 0);
        return waitForExit(milliseconds);
    }

private:
    PROCESS_INFORMATION m_info{};
};

// The window of a running Pellory.exe and the controls a test reads.
struct MainWindowOf {
    explicit MainWindowOf(HWND top)
        : window(top),
          status(childWith(top, L"Static", L"Ready")),
          maker(childWith(top, L"Static", L"vosk")),
          combo(childOfClass(top, L"ComboBox")),
          viewToggle(childWith(top, L"Button", L"Advanced Options >>")),
          drop(dropTarget(top))
    {
    }
    bool complete() const { return window && status && maker && combo && viewToggle && drop; }
    // A click as the user makes it: the button tells its parent.
    void clickViewToggle() const
    {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(viewToggle, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
    }

    HWND window;
    HWND status;
    HWND maker;
    HWND combo;
    HWND viewToggle;
    HWND drop;
};

class MainWindowProcess : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(GetFileAttributesW(PelloryProcess::path().c_str()), INVALID_FILE_ATTRIBUTES)
            << "Pellory.exe is built beside this program";
    }

    ProductKeyAside m_keyAside;
};

TEST_F(MainWindowProcess, AFirstStartOpensTheCompactViewReadyWithSharpenAndTheCloseStoresThePlace)
{
    PelloryProcess pellory;
    const HWND top = pellory.startAndWait();
    ASSERT_NE(top, nullptr);
    const MainWindowOf main(top);
    ASSERT_TRUE(main.complete());
    const SIZE size = outerSize(top);
    EXPECT_EQ(size.cx, 250);
    EXPECT_EQ(size.cy, 250);
    EXPECT_EQ(textOf(main.combo), L"Sharpen");
    EXPECT_EQ(textOf(main.status), L"Ready");
    EXPECT_GT(visibleWidth(main.maker), 0);
    EXPECT_EQ(textOf(top).rfind(L"Vosk Pellory v", 0), 0u) << "title " << textOf(top).c_str();

    // Moved by someone else than the window itself: the close stores where it is.
    ASSERT_TRUE(SetWindowPos(top, nullptr, 37, 41, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE));
    ASSERT_EQ(pellory.closeAndWait(top), 0u);

    DWORD x = 0, y = 0, compact = 0;
    EXPECT_TRUE(readDword(kViewKey, L"X", x));
    EXPECT_TRUE(readDword(kViewKey, L"Y", y));
    EXPECT_EQ(x, 37u);
    EXPECT_EQ(y, 41u);
    ASSERT_TRUE(readDword(kViewKey, L"CompactView", compact));
    EXPECT_EQ(compact, 1u);
    EXPECT_EQ(readText(kViewKey, L"ConvertTo"), L"Sharpen");
    EXPECT_EQ(readText(kStoreKey + L"\\SoftwareID", L""), L"Vosk Pellory");
    EXPECT_EQ(readText(kStoreKey + L"\\MainWindow\\SoftwareID", L""), L"Vosk Pellory");
    const std::wstring version = readText(kStoreKey + L"\\Version", L"");
    EXPECT_NE(version, L"<none>");
    EXPECT_EQ(readText(kStoreKey + L"\\MainWindow\\Version", L""), version);
    EXPECT_EQ(readText(kStoreKey + L"\\Language", L""), L"English");

    // The next start opens where the last one closed.
    PelloryProcess again;
    const HWND reopened = again.startAndWait();
    ASSERT_NE(reopened, nullptr);
    RECT place{};
    GetWindowRect(reopened, &place);
    EXPECT_EQ(place.left, 37);
    EXPECT_EQ(place.top, 41);
    EXPECT_EQ(again.closeAndWait(reopened), 0u);
}

TEST_F(MainWindowProcess, ADropOfEveryFormatFromTheShellWritesWhatTheTaskWrites)
{
    TestFolder dropped, reference;
    fillWithEveryFormat(dropped);
    fillWithEveryFormat(reference);
    convertWithTheTask(pathsIn(reference), Setting::kModeSharpen, kDefaultStrength);
    const std::map<std::u16string, std::string> expected = contentsOf(reference);
    ASSERT_EQ(expected.size(), 10u) << ::testing::PrintToString(reference.names());

    PelloryProcess pellory;
    const HWND top = pellory.startAndWait();
    ASSERT_NE(top, nullptr);
    const MainWindowOf main(top);
    ASSERT_TRUE(main.complete());
    ASSERT_TRUE(dropInto(pellory.handle(), main.drop, pathsIn(dropped)));

    // Every output there and the run over: the status line is back at "Ready" only then.
    EXPECT_TRUE(waitFor([&] {
        return contentsOf(dropped).size() == expected.size() && textOf(main.status) == L"Ready";
    }));
    EXPECT_EQ(contentsOf(dropped), expected);
    EXPECT_GT(visibleWidth(main.maker), 0);
    EXPECT_EQ(pellory.closeAndWait(top), 0u);
}

TEST_F(MainWindowProcess, ClosingDuringARunEndsAfterTheCurrentFileWithNoPartialOutput)
{
    // Pictures big enough that one file takes a noticeable time to filter.
    constexpr int kFiles = 6;
    TestFolder dropped, reference;
    for (int i = 0; i < kFiles; ++i)
        writeBmp(dropped.path() / ("big" + std::to_string(i) + ".bmp"), 1400, 1400);
    writeBmp(reference.path() / "big0.bmp", 1400, 1400);
    convertWithTheTask(pathsIn(reference), Setting::kModeSharpen, kDefaultStrength);
    const std::string complete = readAll(reference.path() / "big0 (SH +80%).bmp");
    ASSERT_FALSE(complete.empty());

    PelloryProcess pellory;
    const HWND top = pellory.startAndWait();
    ASSERT_NE(top, nullptr);
    const MainWindowOf main(top);
    ASSERT_TRUE(main.complete());
    ASSERT_TRUE(dropInto(pellory.handle(), main.drop, pathsIn(dropped)));
    // The status line names the first file while it is being converted.
    ASSERT_TRUE(waitFor([&] { return textOf(main.status) == L"big0.bmp"; }));
    ASSERT_EQ(pellory.closeAndWait(top, 20000), 0u);

    int outputs = 0;
    for (const auto& [name, bytes] : contentsOf(dropped)) {
        if (name.find(u"(SH +80%)") == std::u16string::npos)
            continue;
        ++outputs;
        EXPECT_EQ(bytes.size(), complete.size()) << "a partial output";
        EXPECT_TRUE(bytes == complete);
    }
    EXPECT_GE(outputs, 1);
    EXPECT_LT(outputs, kFiles);
}

TEST_F(MainWindowProcess, ViewSwitchingKeepsEachViewsSize)
{
    PelloryProcess pellory;
    const HWND top = pellory.startAndWait();
    ASSERT_NE(top, nullptr);
    const MainWindowOf main(top);
    ASSERT_TRUE(main.complete());

    auto sizeIs = [&](LONG width, LONG height) {
        return waitFor([&] {
            const SIZE size = outerSize(top);
            return IsWindowVisible(top) && size.cx == width && size.cy == height;
        }, 5000);
    };
    main.clickViewToggle();
    EXPECT_TRUE(sizeIs(450, 300)) << outerSize(top).cx << " x " << outerSize(top).cy;
    EXPECT_EQ(textOf(main.viewToggle), L"<< Minimize");
    ASSERT_TRUE(SetWindowPos(top, nullptr, 0, 0, 500, 400, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE));
    main.clickViewToggle();
    EXPECT_TRUE(sizeIs(250, 250)) << outerSize(top).cx << " x " << outerSize(top).cy;
    EXPECT_EQ(textOf(main.viewToggle), L"Advanced Options >>");
    ASSERT_TRUE(SetWindowPos(top, nullptr, 0, 0, 270, 280, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE));
    main.clickViewToggle();
    EXPECT_TRUE(sizeIs(500, 400));
    main.clickViewToggle();
    EXPECT_TRUE(sizeIs(270, 280));
    main.clickViewToggle();  // closed in the advanced view
    EXPECT_TRUE(sizeIs(500, 400));
    ASSERT_EQ(pellory.closeAndWait(top), 0u);

    DWORD compact = 1, largeWidth = 0, smallHeight = 0;
    EXPECT_TRUE(readDword(kViewKey, L"CompactView", compact));
    EXPECT_EQ(compact, 0u);
    EXPECT_TRUE(readDword(kViewKey, L"LargeWidth", largeWidth));
    EXPECT_EQ(largeWidth, 500u);
    EXPECT_TRUE(readDword(kViewKey, L"SmallHeight", smallHeight));
    EXPECT_EQ(smallHeight, 280u);

    // The next start opens the advanced view at its size.
    PelloryProcess again;
    const HWND reopened = again.startAndWait();
    ASSERT_NE(reopened, nullptr);
    EXPECT_EQ(outerSize(reopened).cx, 500);
    EXPECT_EQ(outerSize(reopened).cy, 400);
    EXPECT_NE(childWith(reopened, L"Button", L"<< Minimize"), nullptr);
    EXPECT_EQ(again.closeAndWait(reopened), 0u);
}

TEST_F(MainWindowProcess, ASecondStartWakesTheFirstAndOpensNoWindow)
{
    PelloryProcess first;
    const HWND top = first.startAndWait();
    ASSERT_NE(top, nullptr);
    ShowWindow(top, SW_MINIMIZE);
    ASSERT_TRUE(waitFor([&] { return IsIconic(top) != FALSE; }));

    PelloryProcess second;
    ASSERT_TRUE(second.start());
    EXPECT_EQ(second.waitForExit(15000), 0u);
    EXPECT_TRUE(waitFor([&] { return !IsIconic(top) && IsWindowVisible(top); }, 5000));
    EXPECT_EQ(topWindowsOf(first.id()).size(), 1u);
    EXPECT_TRUE(topWindowsOf(second.id()).empty());
    EXPECT_EQ(first.waitForExit(0), static_cast<DWORD>(STILL_ACTIVE));
    EXPECT_EQ(first.closeAndWait(top), 0u);
}

// --- Behaviours set through the View menu, the About window ---

constexpr UINT kNotificationIconMessage = WM_USER + 2;
const std::wstring kAboutViewKey = kStoreKey + L"\\AboutWindow\\View";

// What the pop-up sends when an item is chosen (the menu bar's owner gets it).
void choose(HWND top, int command)
{
    PostMessageW(childOfClass(top, L"s_gui_win_native_MenuBar"), WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

bool isTopmost(HWND window) { return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

bool isChecked(HWND checkBox)
{
    DWORD_PTR state = 0;
    SendMessageTimeoutW(checkBox, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 2000, &state);
    return state == BST_CHECKED;
}

void click(HWND button)
{
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
}

HWND visibleWindowTitled(DWORD processId, const std::wstring& title)
{
    for (HWND window : topWindowsOf(processId)) {
        if (IsWindowVisible(window) && textOf(window) == title)
            return window;
    }
    return nullptr;
}

// Hidden into the notification area, or left minimized where there is none.
bool iconized(HWND window) { return !IsWindowVisible(window) || IsIconic(window); }
bool shownNormally(HWND window) { return IsWindowVisible(window) && !IsIconic(window); }

TEST_F(MainWindowProcess, KeepOnTopFromTheMenuAndFromTheCheckBoxAreKeptApart)
{
    PelloryProcess pellory;
    const HWND top = pellory.startAndWait();
    ASSERT_NE(top, nullptr);
    const HWND box = childWith(top, L"Button", L"Keep on Top");
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(isTopmost(top));

    // The box alone: the menu item stays ticked...
    click(box);
    EXPECT_TRUE(waitFor([&] { return !isTopmost(top); }, 5000));
    EXPECT_FALSE(isChecked(box));
    // ...so choosing it clears the tick: still not on top.
    choose(top, 100);
    Sleep(300);
    EXPECT_FALSE(isTopmost(top));
    EXPECT_FALSE(isChecked(box));
    // Chosen again: on top, and the box follows.
    choose(top, 100);
    EXPECT_TRUE(waitFor([&] { return isTopmost(top); }, 5000));
    EXPECT_TRUE(waitFor([&] { return isChecked(box); }, 5000));
    choose(top, 100);
    EXPECT_TRUE(waitFor([&] { return !isTopmost(top) && !isChecked(box); }, 5000));
    ASSERT_EQ(pellory.closeAndWait(top), 0u);
    DWORD onTop = 1;
    EXPECT_TRUE(readDword(kViewKey, L"KeepOnTop", onTop));
    EXPECT_EQ(onTop, 0u);

    // The next start is not on top.
    PelloryProcess again;
    const HWND reopened = again.startAndWait();
    ASSERT_NE(reopened, nullptr);
    EXPECT_FALSE(isTopmost(reopened));
    EXPECT_EQ(again.closeAndWait(reopened), 0u);
}

TEST_F(MainWindowProcess, CloseByWheelClickToggledTwiceAndRightClickTransformOff)
{
    PelloryProcess pellory;
    const HWND top = pellory.startAndWait();
    ASSERT_NE(top, nullptr);
    const MainWindowOf main(top);
    ASSERT_TRUE(main.complete());

    // Right-Click Transform off: a right click changes nothing, the button still switches.
    choose(top, 110);
    EXPECT_TRUE(waitFor([&] {
        DWORD value = 1;
        return readDword(kViewKey, L"RightClickTransform", value) && value == 0;
    }, 5000));
    PostMessageW(top, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(40, 40));
    Sleep(300);
    EXPECT_EQ(outerSize(top).cx, 250);
    main.clickViewToggle();
    EXPECT_TRUE(waitFor([&] { return outerSize(top).cx == 450; }, 5000));

    // First choice: the middle click does nothing.
    choose(top, 125);
    EXPECT_TRUE(waitFor([&] { return readText(kViewKey, L"OnMClick") == L"DoNothing"; }, 5000));
    PostMessageW(top, WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(40, 40));
    Sleep(300);
    EXPECT_EQ(pellory.waitForExit(0), static_cast<DWORD>(STILL_ACTIVE));
    EXPECT_TRUE(IsWindowVisible(top));
    // Second choice: it closes the window again, from the title bar too.
    choose(top, 125);
    EXPECT_TRUE(waitFor([&] { return readText(kViewKey, L"OnMClick") == L"Close"; }, 5000));
    PostMessageW(top, WM_NCMBUTTONDOWN, HTCAPTION, 0);
    EXPECT_EQ(pellory.waitForExit(10000), 0u);
}

TEST_F(MainWindowProcess, MagyarFromTheLanguageMenuSwitchesTheWindowAndOpensTheNextStart)
{
    Pooled<s::lang::Localizer> pack(s::lang::Localizer::loadLocalizer());
    ASSERT_TRUE(pack);
    const int32_t hungarian = pack->indexOf(pack->findLanguage(u"Hungarian"));
    ASSERT_GE(hungarian, 0);
    ASSERT_TRUE(pack->selectLanguage(u"Hungarian"));
    const std::wstring title = wide(std::u16string(pack->text(500000)) + u" v" + pack->text(500010));
    const std::wstring keepOnTop = wide(pack->text(1000000));
    ASSERT_NE(keepOnTop, L"Keep on Top");

    PelloryProcess pellory;
    const HWND top = pellory.startAndWait();
    ASSERT_NE(top, nullptr);
    choose(top, hungarian + 2);
    EXPECT_TRUE(waitFor([&] { return childWith(top, L"Button", keepOnTop) != nullptr; }, 5000));
    EXPECT_EQ(textOf(top), title);
    EXPECT_EQ(readText(kStoreKey + L"\\Language", L""), L"Hungarian");
    ASSERT_EQ(pellory.closeAndWait(top), 0u);

    PelloryProcess again;
    const HWND reopened = again.startAndWait();
    ASSERT_NE(reopened, nullptr);
    EXPECT_EQ(textOf(reopened), title);
    EXPECT_NE(childWith(reopened, L"Button", keepOnTop), nullptr);
    EXPECT_EQ(again.closeAndWait(reopened), 0u);
}

TEST_F(MainWindowProcess, IconizedByTheMiddleClickAndBackByTheIconOrASecondStart)
{
    ASSERT_EQ(writeText(kViewKey, L"OnMClick", L"Iconize"), ERROR_SUCCESS);

    PelloryProcess pellory;
    const HWND top = pellory.startAndWait();
    ASSERT_NE(top, nullptr);
    PostMessageW(top, WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(40, 40));
    ASSERT_TRUE(waitFor([&] { return iconized(top); }, 5000));
    EXPECT_EQ(pellory.waitForExit(0), static_cast<DWORD>(STILL_ACTIVE));
    if (!IsWindowVisible(top)) {
        // In the notification area: a left click on the icon brings it back.
        PostMessageW(top, kNotificationIconMessage, 1, WM_LBUTTONDOWN);
        EXPECT_TRUE(waitFor([&] { return shownNormally(top); }, 5000));
    } else {
        // No notification area here: the window waits minimized on the task bar.
        std::printf("no notification area: the window stayed minimized\n");
        ShowWindow(top, SW_RESTORE);
        EXPECT_TRUE(waitFor([&] { return shownNormally(top); }, 5000));
    }

    PostMessageW(top, WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(40, 40));
    ASSERT_TRUE(waitFor([&] { return iconized(top); }, 5000));
    PelloryProcess second;
    ASSERT_TRUE(second.start());
    EXPECT_EQ(second.waitForExit(15000), 0u);
    EXPECT_TRUE(waitFor([&] { return shownNormally(top); }, 5000));

    // Windows ending the session closes the window and keeps its settings.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(top, WM_ENDSESSION, TRUE, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
    EXPECT_EQ(pellory.waitForExit(10000), 0u);
    DWORD width = 0;
    EXPECT_TRUE(readDword(kViewKey, L"Width", width));
    EXPECT_EQ(width, 250u);
}

TEST_F(MainWindowProcess, TheAboutWindowIsModalKeepsItsPlaceAndIsAlwaysSizedToItsContents)
{
    PelloryProcess pellory;
    const HWND top = pellory.startAndWait();
    ASSERT_NE(top, nullptr);
    const MainWindowOf main(top);
    ASSERT_TRUE(main.complete());
    auto openAbout = [&] {
        choose(top, 10000);
        HWND about = nullptr;
        waitFor([&] { return (about = visibleWindowTitled(pellory.id(), L"Version Information")) != nullptr; });
        return about;
    };
    auto closedAgain = [&](HWND about) {
        return waitFor([&] { return !IsWindow(about) && IsWindowEnabled(top); }, 5000);
    };

    HWND about = openAbout();
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(waitFor([&] { return !IsWindowEnabled(top); }, 5000));
    const SIZE needed = outerSize(about);
    EXPECT_GT(needed.cx, 300);
    EXPECT_GT(needed.cy, 200);
    EXPECT_FALSE(GetWindowLongPtrW(about, GWL_STYLE) & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_NE(childWith(about, L"Static", L"Vosk Pellory"), nullptr);

    // Meanwhile the main window takes neither clicks nor drops.
    TestFolder folder;
    writeBmp(folder.path() / "a.bmp");
    ASSERT_TRUE(dropInto(pellory.handle(), main.drop, {wide(folder.file(u"a.bmp"))}));
    Sleep(1000);
    EXPECT_EQ(contentsOf(folder).size(), 1u);
    EXPECT_FALSE(IsWindowEnabled(top));  // the system gives it no mouse input

    // Moved, then closed by the small cross.
    ASSERT_TRUE(SetWindowPos(about, nullptr, 100, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE));
    const HWND cross = childWith(about, L"Button", L"#X");
    ASSERT_NE(cross, nullptr);
    click(cross);
    ASSERT_TRUE(closedAgain(about));
    DWORD x = 0, y = 0;
    EXPECT_TRUE(readDword(kAboutViewKey, L"X", x));
    EXPECT_TRUE(readDword(kAboutViewKey, L"Y", y));
    EXPECT_EQ(x, 100u);
    EXPECT_EQ(y, 120u);

    // Whatever size is stored, it opens where it was left at the size its contents need.
    const DWORD silly = 999;
    RegSetKeyValueW(HKEY_CURRENT_USER, kAboutViewKey.c_str(), L"Width", REG_DWORD, &silly, sizeof silly);
    RegSetKeyValueW(HKEY_CURRENT_USER, kAboutViewKey.c_str(), L"Height", REG_DWORD, &silly, sizeof silly);
    about = openAbout();
    ASSERT_NE(about, nullptr);
    RECT placed{};
    GetWindowRect(about, &placed);
    EXPECT_EQ(placed.left, 100);
    EXPECT_EQ(placed.top, 120);
    EXPECT_EQ(outerSize(about).cx, needed.cx);
    EXPECT_EQ(outerSize(about).cy, needed.cy);
    // A middle click closes it, as the Close button does.
    PostMessageW(about, WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(10, 10));
    ASSERT_TRUE(closedAgain(about));
    about = openAbout();
    ASSERT_NE(about, nullptr);
    const HWND closeButton = childWith(about, L"Button", L"Close");
    ASSERT_NE(closeButton, nullptr);
    click(closeButton);
    ASSERT_TRUE(closedAgain(about));

    // The main window works again.
    ASSERT_TRUE(dropInto(pellory.handle(), main.drop, {wide(folder.file(u"a.bmp"))}));
    EXPECT_TRUE(waitFor([&] { return contentsOf(folder).size() == 2u; }, 10000));
    EXPECT_EQ(pellory.closeAndWait(top), 0u);
}

// --- The main dialog in this process, on a real window thread ---

// Watches the status events after the dialog: at the first file it drops
// more files on the box (a drop during the run) and notes whether the
// maker's name has made way for the progress bar.
class RunWatcher : public events::IEventListener {
public:
    RunWatcher(Dialog& dialog, HWND dropBox, std::vector<std::wstring> lateDrop)
        : m_dialog(dialog), m_dropBox(dropBox), m_lateDrop(std::move(lateDrop))
    {
    }
    void onEvent(s::base::IObject*, int32_t) override
    {
        if (m_dialog.window()->eventName() != u"ProcessStatusUpdate" || m_updates++ > 0)
            return;
        makerWidthDuringTheRun = visibleWidth(handleOf(m_dialog.makerLabel()));
        progressWidthDuringTheRun = visibleWidth(handleOf(m_dialog.progressBar()));
        if (!m_lateDrop.empty())
            SendMessageW(m_dropBox, WM_DROPFILES, reinterpret_cast<WPARAM>(localDrop(m_lateDrop)), 0);
    }
    static HWND handleOf(const s::gui::IComponent* component);

    int makerWidthDuringTheRun = -1;
    int progressWidthDuringTheRun = -1;

private:
    Dialog& m_dialog;
    HWND m_dropBox;
    std::vector<std::wstring> m_lateDrop;
    int m_updates = 0;
};

class MainDialogWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_context.hold(AppBase::take());
        m_context->initialise();
        m_appWindow.hold(AppWindow::take());
        m_appWindow->initialise(m_context.get(), AppWindow::kMainWindowName, 250, 250, AppWindow::kClose);
        m_host = s::gui::makeWindowHost();
        m_dialog = Dialog::take();
        m_dialog->setUp(m_appWindow.get());
        m_dialog->setMessageShower([this](std::u16string_view, std::u16string_view text) {
            std::lock_guard<std::mutex> lock(m_messagesLock);
            m_messages.emplace_back(text);
        });
        // The start-up thread's part: build, run, wait for the close.
        m_startUp = std::thread([this] { m_dialog->buildAndRun(*m_host); });
        ASSERT_TRUE(waitFor([this] {
            for (HWND window : topWindowsOf(GetCurrentProcessId())) {
                if (IsWindowVisible(window))
                    m_top = window;
            }
            return m_top != nullptr;
        }));
        m_drop = dropTarget(m_top);
        ASSERT_NE(m_drop, nullptr);
    }
    void TearDown() override
    {
        if (m_top && IsWindow(m_top))
            PostMessageW(m_top, WM_CLOSE, 0, 0);
        if (m_startUp.joinable())
            m_startUp.join();
        if (m_dialog)
            m_dialog->release();
        m_appWindow.clear();
        m_context.clear();
    }

    void drop(const std::vector<std::wstring>& paths)
    {
        SendMessageW(m_drop, WM_DROPFILES, reinterpret_cast<WPARAM>(localDrop(paths)), 0);
    }
    bool busy()
    {
        bool running = false;
        m_host->runOnWindowThread([&] { running = m_dialog->isBusy(); });
        return running;
    }
    std::vector<std::u16string> messages()
    {
        std::lock_guard<std::mutex> lock(m_messagesLock);
        return m_messages;
    }

    ProductKeyAside m_keyAside;
    Pooled<AppBase> m_context;
    Pooled<AppWindow> m_appWindow;
    std::unique_ptr<s::gui::IWindowHost> m_host;
    Dialog* m_dialog = nullptr;
    std::thread m_startUp;
    HWND m_top = nullptr;
    HWND m_drop = nullptr;
    std::mutex m_messagesLock;
    std::vector<std::u16string> m_messages;
};

HWND RunWatcher::handleOf(const s::gui::IComponent* component)
{
    const auto* view =
        component ? dynamic_cast<const s::gui::win::native::NativeView*>(component->nativeView()) : nullptr;
    return view ? view->handle() : nullptr;
}

TEST_F(MainDialogWindow, TheMakersNameMakesWayDuringARunAndADropMeanwhileChangesNothing)
{
    TestFolder folder;
    writeBmp(folder.path() / "a.bmp", 300, 300);
    writeBmp(folder.path() / "b.bmp", 300, 300);
    writeBmp(folder.path() / "late.bmp");
    RunWatcher watcher(*m_dialog, m_drop, {wide(folder.file(u"late.bmp"))});
    m_host->runOnWindowThread([&] { m_dialog->window()->addListener(events::kWindowUserEvent, &watcher); });
    // Not heard after this test, whichever way it ends.
    struct StopWatching {
        s::gui::IWindowHost& host;
        s::gui::win::Window& window;
        RunWatcher& watcher;
        ~StopWatching()
        {
            host.runOnWindowThread([&] { window.removeListener(events::kWindowUserEvent, &watcher); });
        }
    } stopWatching{*m_host, *m_dialog->window(), watcher};
    const HWND maker = RunWatcher::handleOf(m_dialog->makerLabel());
    EXPECT_GT(visibleWidth(maker), 0);

    drop({wide(folder.file(u"a.bmp")), wide(folder.file(u"b.bmp"))});
    ASSERT_TRUE(waitFor([&] { return !busy(); }));
    EXPECT_EQ(watcher.makerWidthDuringTheRun, 0);
    EXPECT_GT(watcher.progressWidthDuringTheRun, 0);
    EXPECT_GT(visibleWidth(maker), 0);
    EXPECT_EQ(visibleWidth(RunWatcher::handleOf(m_dialog->progressBar())), 0);
    EXPECT_EQ(folder.names(), (std::vector<std::u16string>{u"a (SH +80%).bmp", u"a.bmp", u"b (SH +80%).bmp",
                                                           u"b.bmp", u"late.bmp"}));
    EXPECT_TRUE(messages().empty());
}

TEST_F(MainDialogWindow, AnUnusableOutputFolderShowsTheMessageAndQueuesNothing)
{
    TestFolder folder;
    writeBmp(folder.path() / "b.bmp");
    const std::u16string nowhere = folder.file(u"no") + u"\\such";
    drop({wide(nowhere + u"\\a.bmp"), wide(folder.file(u"b.bmp"))});
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0], std::u16string(s::image::gui::dialogs::pellory::kOutputFolderMessage) + u"\r\n\"" +
                                 nowhere + u"\"");
    EXPECT_FALSE(busy());

    // The next usable drop converts only its own file.
    writeBmp(folder.path() / "c.bmp");
    drop({wide(folder.file(u"c.bmp"))});
    ASSERT_TRUE(waitFor([&] { return !busy(); }));
    EXPECT_EQ(folder.names(), (std::vector<std::u16string>{u"b.bmp", u"c (SH +80%).bmp", u"c.bmp"}));
    EXPECT_EQ(messages().size(), 1u);
}

// --- Measurements (not a test: bench/window-metrics.sh runs it explicitly) ---

// Private bytes where the system tells them, else the working set (Wine
// gives another process's resident size only).
SIZE_T memoryOf(HANDLE process, bool* isPrivate)
{
    // Through kernel32 so that no extra import library is needed.
    using Query = BOOL(WINAPI*)(HANDLE, PROCESS_MEMORY_COUNTERS*, DWORD);
    static const auto query =
        reinterpret_cast<Query>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "K32GetProcessMemoryInfo"));
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    if (!query || !query(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters))
        return 0;
    *isPrivate = counters.PrivateUsage != 0;
    return *isPrivate ? counters.PrivateUsage : counters.WorkingSetSize;
}

// Tells a sampler outside Wine (bench/window-metrics.sh) that the window is idle.
// Tells the sampler outside Wine (bench/window-metrics.sh) when to read the
// memory: the file named by the variable exists while the moment lasts.
void markMoment(const wchar_t* variable, bool on)
{
    wchar_t mark[MAX_PATH * 2] = {};
    if (!GetEnvironmentVariableW(variable, mark, MAX_PATH * 2))
        return;
    if (on)
        CloseHandle(CreateFileW(mark, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    else
        DeleteFileW(mark);
}

void markIdle(bool idle) { markMoment(L"PELLORY_METRICS_IDLE_MARK", idle); }
void markIconized(bool iconized) { markMoment(L"PELLORY_METRICS_ICONIZED_MARK", iconized); }


double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// How long the window takes to handle a command of its menu bar (the call
// returns when the command has been carried out).
double commandMs(HWND top, int command)
{
    const Clock::time_point asked = Clock::now();
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(childOfClass(top, L"s_gui_win_native_MenuBar"), WM_COMMAND, MAKEWPARAM(command, 0), 0,
                        SMTO_ABORTIFHUNG, 20000, &ignored);
    return millisecondsSince(asked);
}

// Start to visible window, private memory when idle and during a run, and the
// longest time the window takes to answer while a large picture converts.
// The picture comes from PELLORY_METRICS_PICTURE (a path this process can open).
TEST_F(MainWindowProcess, DISABLED_Metrics)
{
    wchar_t picture[MAX_PATH * 2] = {};
    ASSERT_GT(GetEnvironmentVariableW(L"PELLORY_METRICS_PICTURE", picture, MAX_PATH * 2), 0u)
        << "PELLORY_METRICS_PICTURE names the picture to convert";
    TestFolder folder;
    const fs::path source = folder.path() / "picture.jpg";
    ASSERT_TRUE(CopyFileW(picture, source.wstring().c_str(), TRUE));

    // A middle click iconizes, for the memory of the iconized process.
    ASSERT_EQ(writeText(kViewKey, L"OnMClick", L"Iconize"), ERROR_SUCCESS);

    PelloryProcess pellory;
    const Clock::time_point started = Clock::now();
    ASSERT_TRUE(pellory.start());
    HWND top = nullptr;
    while (!top && millisecondsSince(started) < 20000) {
        for (HWND window : topWindowsOf(pellory.id())) {
            if (IsWindowVisible(window))
                top = window;
        }
        if (!top)
            Sleep(1);
    }
    ASSERT_NE(top, nullptr);
    const double shownMs = millisecondsSince(started);
    const MainWindowOf main(top);
    ASSERT_TRUE(main.complete());
    Sleep(1000);  // settled
    bool isPrivate = false;
    const SIZE_T idle = memoryOf(pellory.handle(), &isPrivate);
    markIdle(true);
    Sleep(300);
    markIdle(false);

    PostMessageW(top, WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(40, 40));
    ASSERT_TRUE(waitFor([&] { return iconized(top); }, 5000));
    Sleep(1000);
    markIconized(true);
    Sleep(300);
    markIconized(false);
    ShowWindow(top, SW_RESTORE);
    ASSERT_TRUE(waitFor([&] { return shownNormally(top); }, 5000));
    Sleep(300);

    // Three changes of language (the pack's second, third, then first
    // language), and the opening of the About window.
    std::vector<double> switches;
    for (int command : {3, 4, 2})
        switches.push_back(commandMs(top, command));
    std::sort(switches.begin(), switches.end());
    const double switchMs = switches[switches.size() / 2];
    const double aboutMs = commandMs(top, 10000);
    HWND about = visibleWindowTitled(pellory.id(), L"Version Information");
    ASSERT_NE(about, nullptr);
    PostMessageW(about, WM_CLOSE, 0, 0);
    ASSERT_TRUE(waitFor([&] { return !IsWindow(about) && IsWindowEnabled(top); }, 5000));

    ASSERT_TRUE(dropInto(pellory.handle(), main.drop, {source.wstring()}));
    const Clock::time_point dropped = Clock::now();
    double longestAnswerMs = 0;
    SIZE_T peak = 0;
    int probes = 0;
    const fs::path output = folder.path() / "picture (SH +80%).jpg";
    for (;;) {
        const Clock::time_point asked = Clock::now();
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(top, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, &ignored);
        longestAnswerMs = std::max(longestAnswerMs, millisecondsSince(asked));
        peak = std::max(peak, memoryOf(pellory.handle(), &isPrivate));
        ++probes;
        if (fs::exists(output) && textOf(main.status) == L"Ready")
            break;
        ASSERT_LT(millisecondsSince(dropped), 120000.0) << "the run did not end";
        Sleep(2);
    }
    const double runMs = millisecondsSince(dropped);
    EXPECT_EQ(pellory.closeAndWait(top, 20000), 0u);
    std::printf("METRICS shown_ms=%.1f idle_%s_kib=%zu run_peak_%s_kib=%zu longest_answer_ms=%.1f "
                "run_ms=%.0f probes=%d language_switch_ms=%.1f about_open_ms=%.1f\n",
                shownMs, isPrivate ? "private" : "resident", static_cast<size_t>(idle / 1024),
                isPrivate ? "private" : "resident", static_cast<size_t>(peak / 1024), longestAnswerMs, runMs,
                probes, switchMs, aboutMs);
}

}  // namespace
