#include "lang/LangResource.h"

namespace s::lang {

std::string_view LangResource::packBytesOf(void*) { return compiledInBytes(); }

}  // namespace s::lang
