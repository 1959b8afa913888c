#include <windows.h>

#include "reg/win/RegDir.h"

namespace s::reg::win {

namespace {

// Registry trees are at most 512 levels deep; a deeper walk is a loop.
constexpr int32_t kMaxTreeDepth = 512;

HKEY rootHandle(RootKey root)
{
    switch (root) {
    case RootKey::ClassesRoot: return HKEY_CLASSES_ROOT;
    case RootKey::LocalMachine: return HKEY_LOCAL_MACHINE;
    case RootKey::Users: return HKEY_USERS;
    case RootKey::CurrentConfig: return HKEY_CURRENT_CONFIG;
    case RootKey::CurrentUser: break;
    }
    return HKEY_CURRENT_USER;
}

const wchar_t* wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

bool deleteTree(HKEY root, const std::u16string& path, int32_t depth)
{
    if (depth > kMaxTreeDepth)
        return false;
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, wide(path), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    // Always the first subkey: each pass deletes the one it found.
    for (;;) {
        wchar_t name[256];
        DWORD length = 256;
        if (RegEnumKeyExW(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        std::u16string childPath = path;
        if (!childPath.empty())
            childPath += u'\\';
        childPath.append(reinterpret_cast<const char16_t*>(name), length);
        if (!deleteTree(root, childPath, depth + 1))
            break;
    }
    RegCloseKey(key);
    return RegDeleteKeyW(root, wide(path)) == ERROR_SUCCESS;
}

}  // namespace

RegDir::~RegDir() { closeHandle(); }

RegDir* RegDir::make(RootKey root, std::u16string_view subPath)
{
    RegDir* key = take();
    key->setRoot(root, subPath);
    return key;
}

void RegDir::reset()
{
    closeHandle();
    m_root = RootKey::CurrentUser;
    std::u16string().swap(m_subPath);
}

void RegDir::setRoot(RootKey root, std::u16string_view subPath)
{
    closeHandle();
    m_root = root;
    m_subPath.assign(subPath.data(), subPath.size());
}

void RegDir::closeHandle()
{
    if (m_handle)
        RegCloseKey(static_cast<HKEY>(m_handle));
    m_handle = nullptr;
}

bool RegDir::openHandle()
{
    if (m_handle)
        return true;
    HKEY key = nullptr;
    if (RegOpenKeyExW(rootHandle(m_root), wide(m_subPath), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return false;
    m_handle = key;
    return true;
}

bool RegDir::exists() { return openHandle(); }

bool RegDir::create()
{
    if (m_handle)
        return true;
    HKEY key = nullptr;
    if (RegCreateKeyExW(rootHandle(m_root), wide(m_subPath), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    m_handle = key;
    return true;
}

bool RegDir::remove(bool withSubkeys)
{
    closeHandle();
    // Never the root itself: an empty sub-path would name a whole hive.
    if (m_subPath.empty())
        return false;
    if (withSubkeys)
        return deleteTree(rootHandle(m_root), m_subPath, 0);
    return RegDeleteKeyW(rootHandle(m_root), wide(m_subPath)) == ERROR_SUCCESS;
}

bool RegDir::readValue(std::u16string_view name, ValueType* type, std::vector<uint8_t>* data)
{
    if (!openHandle())
        return false;
    const std::u16string valueName(name);
    DWORD kind = REG_NONE;
    DWORD size = 0;
    LONG status = RegQueryValueExW(static_cast<HKEY>(m_handle), wide(valueName), nullptr, &kind, nullptr, &size);
    // The value may grow between the two calls; ask again a few times.
    for (int attempt = 0; status == ERROR_SUCCESS && attempt < 4; ++attempt) {
        data->assign(size, 0);
        DWORD got = size;
        status = RegQueryValueExW(static_cast<HKEY>(m_handle), wide(valueName), nullptr, &kind,
                                  data->empty() ? nullptr : data->data(), &got);
        if (status == ERROR_SUCCESS) {
            data->resize(got);
            *type = static_cast<ValueType>(kind);
            return true;
        }
        if (status == ERROR_MORE_DATA) {
            size = got;
            status = ERROR_SUCCESS;
        }
    }
    return false;
}

bool RegDir::writeValue(std::u16string_view name, ValueType type, const void* data, uint32_t size)
{
    if (!openHandle())
        return false;
    const std::u16string valueName(name);
    return RegSetValueExW(static_cast<HKEY>(m_handle), wide(valueName), 0, static_cast<DWORD>(type),
                          static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
}

bool RegDir::deleteValue(std::u16string_view name)
{
    if (!openHandle())
        return false;
    const std::u16string valueName(name);
    return RegDeleteValueW(static_cast<HKEY>(m_handle), wide(valueName)) == ERROR_SUCCESS;
}

}  // namespace s::reg::win
