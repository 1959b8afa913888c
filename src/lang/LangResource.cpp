#include "lang/LangResource.h"

#include "lang/LangPackData.h"

namespace s::lang {

std::string_view LangResource::compiledInBytes()
{
    return std::string_view(reinterpret_cast<const char*>(kLangPackXml), kLangPackXmlSize);
}

std::string_view LangResource::packBytes() { return packBytesOf(nullptr); }

}  // namespace s::lang
