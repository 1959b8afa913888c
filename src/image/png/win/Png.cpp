#include "image/png/win/Png.h"

#include <png.h>

#include "image/bmp/win/Bitmap.h"
#include "image/bmp/win/BitmapFromImage.h"
#include "image/png/EncodeSetting.h"
#include "image/win/BufferedImage.h"
#include "image/win/BufferedImageSet.h"
#include "io/IInputStream.h"
#include "io/IOutputStream.h"
#include "thread/Pooled.h"

// libpng reports a fatal error through its error function, which must not
// return; ours jumps back to the one function of each operation that called
// setjmp (runDecode, runEncode), and its caller destroys the library
// structures. No object with a destructor lives in any frame the jump
// crosses: the job records below are plain data owned by the caller.
// Messages are never printed.

namespace s::image::png::win {

using s::image::bmp::win::Bitmap;
using s::image::win::BufferedImage;
using s::image::win::BufferedImageSet;

namespace {

// The most image data the library asks for at once. A stream that ends
// inside such a request loses its bytes, so a short one keeps more rows of
// a cut file.
constexpr size_t kImageDataPiece = 4096;

struct DecodeJob {
    png_structp m_png;
    png_infop m_info;
    s::io::IInputStream* m_stream;       // not owned
    Bitmap* m_storage;  // not owned
    Png::Fault m_fault;
    uint64_t m_rowsDone;
};

struct EncodeJob {
    png_structp m_png;
    png_infop m_info;
    s::io::IOutputStream* m_stream;            // not owned
    const Bitmap* m_storage;  // not owned
    bool m_interlace;
    Png::Fault m_fault;
};

[[noreturn]] void onError(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp) {}

// Exactly length bytes, or a library error: a stream that ends early must
// not leave the library reading a buffer that was never filled. (Our
// streams answer a read at the end with success and 0 bytes, so reading
// again until the bytes come would never end.)
void onRead(png_structp png, png_bytep data, size_t length)
{
    auto* job = static_cast<DecodeJob*>(png_get_io_ptr(png));
    while (length > 0) {
        const uint32_t ask = length > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(length);
        uint32_t got = 0;
        if (!job->m_stream->read(data, ask, &got) || got == 0) {
            job->m_fault = Png::Fault::kEndOfStream;
            png_error(png, "end of stream");
        }
        data += got;
        length -= got;
    }
}

void onWrite(png_structp png, png_bytep data, size_t length)
{
    auto* job = static_cast<EncodeJob*>(png_get_io_ptr(png));
    while (length > 0) {
        const uint32_t part = length > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(length);
        uint32_t written = 0;
        if (!job->m_stream->write(data, part, &written) || written != part) {
            job->m_fault = Png::Fault::kWriteFailed;
            png_error(png, "write failed");
        }
        data += part;
        length -= part;
    }
}

void onFlush(png_structp png)
{
    auto* job = static_cast<EncodeJob*>(png_get_io_ptr(png));
    if (!job->m_stream->flush()) {
        job->m_fault = Png::Fault::kWriteFailed;
        png_error(png, "flush failed");
    }
}

bool stop(DecodeJob& job, Png::Fault fault)
{
    job.m_fault = fault;
    return false;
}

// Every colour type and depth becomes 8-bit red, green, blue, alpha; the
// library then delivers it as blue, green, red, alpha, the storage's order.
void askForRgba(png_structp png, png_infop info, int colorType, int bitDepth)
{
    png_set_strip_16(png);  // 16-bit samples keep their high byte
    // Only samples below 8 bits are packed; the expansions below make all 8 bits.
    png_set_packing(png);
    png_set_packswap(png);
    if (colorType == PNG_COLOR_TYPE_PALETTE)
        png_set_palette_to_rgb(png);
    if (colorType == PNG_COLOR_TYPE_GRAY && bitDepth < 8)
        png_set_expand_gray_1_2_4_to_8(png);
    if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(png);
    if (png_get_valid(png, info, PNG_INFO_tRNS))
        png_set_tRNS_to_alpha(png);
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);  // opaque alpha where the file has none
    png_set_bgr(png);
}

// Returns through the jump buffer on a library error.
bool runDecode(DecodeJob& job)
{
    png_structp png = job.m_png;
    png_infop info = job.m_info;
    if (setjmp(png_jmpbuf(png)))
        return false;
    // Checked by the library when it reads the header, before it sizes anything.
    png_set_user_limits(png, Png::kMaxSide, Png::kMaxSide);
    png_set_chunk_cache_max(png, Png::kMaxCachedChunks);
    png_set_chunk_malloc_max(png, Png::kMaxChunkBytes);
    png_set_compression_buffer_size(png, kImageDataPiece);
    png_set_read_fn(png, &job, &onRead);
    png_read_info(png, info);

    png_uint_32 width = 0, height = 0;
    int bitDepth = 0, colorType = 0;
    png_get_IHDR(png, info, &width, &height, &bitDepth, &colorType, nullptr, nullptr, nullptr);
    if (static_cast<uint64_t>(width) * height > s::image::bmp::kMaxPixels)
        return stop(job, Png::Fault::kTooLarge);
    askForRgba(png, info, colorType, bitDepth);
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    // What the transformations promise; anything else would overrun a row.
    if (png_get_rowbytes(png, info) != static_cast<size_t>(width) * 4)
        return stop(job, Png::Fault::kLibrary);

    if (!job.m_storage->createBitmap(static_cast<int32_t>(width), static_cast<int32_t>(height), 32))
        return stop(job, Png::Fault::kOutOfMemory);
    // Every row of every pass, as png_read_image does; the library fills in
    // the pixels of each pass and leaves the others as they are.
    for (int pass = 0; pass < passes; ++pass) {
        for (png_uint_32 y = 0; y < height; ++y) {
            png_read_row(png, job.m_storage->row(static_cast<int32_t>(y)), nullptr);
            ++job.m_rowsDone;
        }
    }
    png_read_end(png, nullptr);
    return true;
}

bool runEncode(EncodeJob& job)
{
    png_structp png = job.m_png;
    png_infop info = job.m_info;
    if (setjmp(png_jmpbuf(png)))
        return false;
    const Bitmap& storage = *job.m_storage;
    png_set_write_fn(png, &job, &onWrite, &onFlush);
    png_set_IHDR(png, info, static_cast<png_uint_32>(storage.width()), static_cast<png_uint_32>(storage.height()), 8,
                 PNG_COLOR_TYPE_RGB_ALPHA, job.m_interlace ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    // The library copies each row before it transforms it, so it reads blue,
    // green, red, alpha from the storage and the storage is never changed.
    png_set_bgr(png);
    const int passes = png_set_interlace_handling(png);
    for (int pass = 0; pass < passes; ++pass) {
        for (int32_t y = 0; y < storage.height(); ++y)
            png_write_row(png, storage.row(y));
    }
    png_write_end(png, nullptr);
    return true;
}

}  // namespace

Png::Png() : m_storage(Bitmap::take())
{
    reset();
}

Png::~Png()
{
    // Destroyed, not given back: at exit the Bitmap pool may already be gone.
    delete m_storage;
}

void Png::reset()
{
    m_storage->reset();
    m_interlace = false;
    m_fault = Fault::kNone;
}

int32_t Png::width() const
{
    return m_storage->width();
}

int32_t Png::height() const
{
    return m_storage->height();
}

int32_t Png::bytesPerRow() const
{
    return m_storage->stride();
}

bool Png::createStorage(int32_t width, int32_t height)
{
    return m_storage->createBitmap(width, height, 32);
}

uint8_t* Png::row(int32_t y) const
{
    if (!m_storage->bits() || y < 0 || y >= m_storage->height())
        return nullptr;
    return m_storage->row(y);
}

BufferedImage* Png::toImage(int32_t, BufferedImage* destination)
{
    return m_storage->toImage(0, destination);
}

void Png::releasePixels()
{
    m_storage->reset();
}

bool Png::decode(s::io::IInputStream& in)
{
    m_storage->reset();
    DecodeJob job{};
    job.m_stream = &in;
    job.m_storage = m_storage;
    job.m_fault = Fault::kLibrary;  // what a jump back means unless a callback says more
    job.m_png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, &onError, &onWarning);
    if (!job.m_png) {
        m_fault = Fault::kOutOfMemory;
        return false;
    }
    job.m_info = png_create_info_struct(job.m_png);
    if (!job.m_info)
        job.m_fault = Fault::kOutOfMemory;
    const bool decoded = job.m_info && runDecode(job);
    png_destroy_read_struct(&job.m_png, &job.m_info, nullptr);
    m_fault = decoded ? Fault::kNone : job.m_fault;
    // A fatal error before the first row leaves no picture at all; after it,
    // the rows not reached stay transparent black and the picture is kept.
    if (job.m_rowsDone == 0)
        m_storage->reset();
    return decoded;
}

bool Png::encode(s::io::IOutputStream& out)
{
    if (!m_storage->bits()) {
        m_fault = Fault::kNothingToWrite;
        return false;
    }
    EncodeJob job{};
    job.m_stream = &out;
    job.m_storage = m_storage;
    job.m_interlace = m_interlace;
    job.m_fault = Fault::kLibrary;
    job.m_png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, &onError, &onWarning);
    if (!job.m_png) {
        m_fault = Fault::kOutOfMemory;
        return false;
    }
    job.m_info = png_create_info_struct(job.m_png);
    if (!job.m_info)
        job.m_fault = Fault::kOutOfMemory;
    const bool encoded = job.m_info && runEncode(job);
    png_destroy_write_struct(&job.m_png, &job.m_info);
    m_fault = encoded ? Fault::kNone : job.m_fault;
    return encoded;
}

bool Png::encodeImage(const BufferedImage& image, bool interlace, bool keepTransparency, int32_t red, int32_t green, int32_t blue)
{
    setInterlace(interlace);
    if (!createStorage(image.width(), image.height()))
        return false;
    const int32_t background = keepTransparency ? -1 : (((red & 0xFF) << 16) | ((green & 0xFF) << 8) | (blue & 0xFF));
    return copyImageRows(image, *m_storage, background);
}

s::image::IEncodedImage* Png::reencodeSet(BufferedImageSet& set)
{
    BufferedImage* primary = set.primary();
    return primary ? reencodeImage(*primary) : nullptr;
}

s::image::IEncodedImage* Png::reencodeImage(const BufferedImage& image)
{
    s::thread::Pooled<s::image::png::EncodeSetting> setting(s::image::png::EncodeSetting::take());
    setting->setKeepTransparency(true);
    setting->setWithInterlace(true);
    return setting->toEncoded(image);
}

}  // namespace s::image::png::win
