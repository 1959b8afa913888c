#include "image/ImageFiles.h"

#include "file/win/FileInputStream.h"
#include "file/win/PathWin.h"
#include "image/CodecRegistry.h"
#include "image/IEncodedImage.h"
#include "io/ByteReader.h"
#include "thread/Pooled.h"

namespace s::image {

using s::file::win::FileInputStream;
using s::file::win::PathWin;
using s::thread::Pooled;

const char16_t kFormatBmp[] = u"bmp";
const char16_t kFormatJpg[] = u"jpg";
const char16_t kFormatGif[] = u"gif";
const char16_t kFormatPng[] = u"png";
const char16_t kFormatIco[] = u"ico";
const char16_t kFormatTiff[] = u"tiff";

namespace {

bool startsWith(const uint8_t* head, std::initializer_list<uint8_t> bytes)
{
    size_t i = 0;
    for (uint8_t b : bytes) {
        if (head[i++] != b)
            return false;
    }
    return true;
}

bool isJpegMarkerByte(uint8_t b)
{
    return (b >= 0xC0 && b <= 0xEF) || b == 0xF0 || b == 0xFD || b == 0xFE || b == 0x01;
}

// Only the entries that begin inside the 100 bytes read are examined.
bool passesIconDirectoryTest(const uint8_t* head, uint64_t fileSize)
{
    s::io::ByteReader r(head, kDetectionBytes);
    r.seek(4);
    const uint32_t count = r.u16le();
    if (count < 1 || fileSize <= 6 + 16 * static_cast<uint64_t>(count))
        return false;
    for (uint32_t i = 0; i < count; ++i) {
        const uint32_t o = 6 + 16 * i;
        if (o >= 84)
            return true;
        if (head[o + 3] != 0)
            return false;
        r.seek(o + 6);
        const uint32_t bitCount = r.u16le();
        const uint32_t dataSize = r.u32le();
        const int32_t dataOffset = r.s32le();
        if (bitCount > 32)
            return false;
        if (dataOffset < static_cast<int32_t>(o + 16))
            return false;
        if (fileSize < static_cast<uint64_t>(dataOffset) + dataSize)
            return false;
    }
    return true;
}

}  // namespace

const char16_t* detectFormatOfBytes(const uint8_t* b, uint64_t fileSize)
{
    if (startsWith(b, {0xFF, 0xD8, 0xFF}))
        return isJpegMarkerByte(b[3]) ? kFormatJpg : nullptr;
    if (startsWith(b, {'G', 'I', 'F', '8', '7', 'a'}) || startsWith(b, {'G', 'I', 'F', '8', '9', 'a'}))
        return kFormatGif;
    if (startsWith(b, {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A}))
        return kFormatPng;
    if (startsWith(b, {'B', 'M'}) && b[6] == 0 && b[7] == 0 && b[8] == 0 && b[9] == 0)
        return kFormatBmp;
    if (startsWith(b, {0x4D, 0x4D, 0x2A}) || startsWith(b, {0x49, 0x49, 0x2A}))
        return kFormatTiff;
    if (startsWith(b, {0x00, 0x00, 0x01, 0x00}) && passesIconDirectoryTest(b, fileSize))
        return kFormatIco;
    return nullptr;
}

bool detectFormat(std::u16string_view pathText, const char16_t** formatOut)
{
    *formatOut = nullptr;
    Pooled<PathWin> path(PathWin::fromText(pathText));
    if (!path->exists() || path->isDirectory())
        return false;
    const uint64_t size = path->fileSize();
    if (size <= kDetectionBytes)
        return false;
    Pooled<FileInputStream> stream(path->openInput());
    // Each call has its own buffer, so detections on several threads need no lock.
    uint8_t head[kDetectionBytes] = {};
    uint32_t got = 0;
    if (!stream->read(head, sizeof head, &got) || got != sizeof head)
        return false;
    *formatOut = detectFormatOfBytes(head, size);
    return *formatOut != nullptr;
}

IEncodedImage* loadImageFile(PathWin& path)
{
    const char16_t* format = nullptr;
    if (!detectFormat(path.text(), &format))
        return nullptr;
    IEncodedImage* codec = makeCodec(format);
    if (!codec)
        return nullptr;
    // A codec whose decode failed is still handed out with what it holds.
    codec->load(path);
    return codec;
}

}  // namespace s::image
