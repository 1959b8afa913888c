#pragma once
#include <cstddef>

namespace s::lang {

// resources/lang.xml as compiled in (see LangPackData.cpp, which
// tools/embed-lang.py writes; a unit test fails when it is out of date).
extern const unsigned char kLangPackXml[];
extern const size_t kLangPackXmlSize;

}  // namespace s::lang
