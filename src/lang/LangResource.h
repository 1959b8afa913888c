#pragma once
#include <string_view>

namespace s::lang {

// Where the language pack's bytes (UTF-8 XML) come from. The pack is
// compiled into the core from resources/lang.xml (LangPackData.cpp, made by
// tools/embed-lang.py), so every build has it; on Windows the executable's
// own "IDR_XML" resource 130 is preferred when it carries one.
class LangResource {
public:
    static constexpr int kResourceId = 130;

    // The pack; the bytes live as long as the process.
    static std::string_view packBytes();
    // The resource of that module (a module handle; null means the program
    // itself), or the compiled-in bytes when it has none.
    static std::string_view packBytesOf(void* module);
    static std::string_view compiledInBytes();
};

}  // namespace s::lang
