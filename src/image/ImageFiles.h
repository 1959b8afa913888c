#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace s::file::win {
class PathWin;
}

namespace s::image {

class IEncodedImage;

// Format keys. Detection answers with one of these very objects, so callers
// may compare by address.
extern const char16_t kFormatBmp[];
extern const char16_t kFormatJpg[];
extern const char16_t kFormatGif[];
extern const char16_t kFormatPng[];
extern const char16_t kFormatIco[];
extern const char16_t kFormatTiff[];

// How many leading bytes detection looks at; a file must be longer than this.
constexpr size_t kDetectionBytes = 100;

// The format of a file's first 100 bytes (fileSize is the whole file's
// size, which the icon directory test needs), or null.
const char16_t* detectFormatOfBytes(const uint8_t* head, uint64_t fileSize);
// The format of the file at pathText: false (and null) when unrecognised,
// missing, a folder, or 100 bytes or less.
bool detectFormat(std::u16string_view pathText, const char16_t** formatOut);
// A codec object of the detected format that has loaded the file (also when
// its decode failed), or null when there is no codec for the content.
IEncodedImage* loadImageFile(s::file::win::PathWin& path);

}  // namespace s::image
