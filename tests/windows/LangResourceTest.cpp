// The language pack as Pellory.exe carries it: resource "IDR_XML" 130 made
// from resources/lang.xml, preferred over the compiled-in copy.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "lang/LangResource.h"

namespace {

std::wstring besideThisProgram(const wchar_t* name)
{
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    folder.resize(folder.find_last_of(L"\\/") + 1);
    return folder + name;
}

}  // namespace

TEST(LangResource, ProgramWithoutTheResourceUsesTheCompiledInPack)
{
    EXPECT_EQ(s::lang::LangResource::packBytes().data(), s::lang::LangResource::compiledInBytes().data());
}

TEST(LangResource, PelloryExeCarriesThePackAsResource130)
{
    const std::wstring program = besideThisProgram(L"Pellory.exe");
    HMODULE module = LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module)
        GTEST_SKIP() << "no Pellory.exe beside the tests";
    const std::string_view bytes = s::lang::LangResource::packBytesOf(module);
    EXPECT_NE(bytes.data(), s::lang::LangResource::compiledInBytes().data());
    EXPECT_TRUE(bytes == s::lang::LangResource::compiledInBytes());
    FreeLibrary(module);
}
