#include "image/jpg/win/Jpeg.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE and size_t declared first

#include <jpeglib.h>
#include <jerror.h>

#include "image/bmp/win/Bitmap.h"
#include "image/bmp/win/BitmapFromImage.h"
#include "image/jpg/EncodeSetting.h"
#include "image/win/BufferedImage.h"
#include "image/win/BufferedImageSet.h"
#include "io/IInputStream.h"
#include "io/IOutputStream.h"
#include "thread/Pooled.h"

// The library reports a fatal error by calling error_exit, which must not
// return. Ours jumps back to the one function of each operation that called
// setjmp (runDecode, runEncode); the caller of that function then destroys
// the library object. No object with a destructor lives in any frame the
// jump crosses: the job records below are plain data owned by the caller.

namespace s::image::jpg::win {

using s::image::bmp::win::Bitmap;
using s::image::win::BufferedImage;
using s::image::win::BufferedImageSet;

namespace {

constexpr size_t kStreamBufferSize = 4096;
// Rows handed to the library per call; it uses at most rec_outbuf_height.
constexpr int kRowBatch = 16;

struct ErrorManager {
    jpeg_error_mgr m_library;  // first: the library sees only this part
    std::jmp_buf m_jump;
};

struct SourceManager {
    jpeg_source_mgr m_library;
    s::io::IInputStream* m_stream;  // not owned
    bool m_startOfFile;
    JOCTET m_buffer[kStreamBufferSize];
};

struct DestinationManager {
    jpeg_destination_mgr m_library;
    s::io::IOutputStream* m_stream;  // not owned
    JOCTET m_buffer[kStreamBufferSize];
};

struct ScanLimit {
    jpeg_progress_mgr m_library;
    bool m_exceeded;
};

struct DecodeJob {
    jpeg_decompress_struct m_info;
    ErrorManager m_error;
    SourceManager m_source;
    ScanLimit m_progress;
    BufferedImage* m_picture;  // made by runDecode; the caller owns it
    Jpeg::Fault m_fault;
    JDIMENSION m_rowsDone;
};

struct EncodeJob {
    jpeg_compress_struct m_info;
    ErrorManager m_error;
    DestinationManager m_destination;
    // Rows to read: blue, green, red (and an unused fourth byte when
    // m_bytesPerPixel is 4), top row first.
    uint8_t* (*m_row)(const void* owner, int32_t y);
    const void* m_owner;  // not owned
    int32_t m_width;
    int32_t m_height;
    int32_t m_bytesPerPixel;
    int32_t m_quality;
};

[[noreturn]] void onFatalError(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->m_jump, 1);
}

// Messages are counted (warnings) by the library's own emit_message, never printed.
void onOutputMessage(j_common_ptr) {}

void setUpErrors(ErrorManager& error)
{
    jpeg_std_error(&error.m_library);
    error.m_library.error_exit = &onFatalError;
    error.m_library.output_message = &onOutputMessage;
}

// Stops a progressive file whose scans keep coming; the library calls this
// between scans while it reads the whole file in jpeg_start_decompress.
void onProgress(j_common_ptr info)
{
    auto* decompress = reinterpret_cast<j_decompress_ptr>(info);
    auto* limit = reinterpret_cast<ScanLimit*>(info->progress);
    if (info->is_decompressor && decompress->input_scan_number > Jpeg::kMaxScans) {
        limit->m_exceeded = true;
        info->err->error_exit(info);
    }
}

// --- Source manager -----------------------------------------------------------

// Up to count bytes from the stream. A read that fails or brings nothing is
// the end of the stream: our streams answer a read at the end with success
// and 0 bytes, so asking again would never end.
size_t readSome(s::io::IInputStream& stream, JOCTET* buffer, size_t count)
{
    uint32_t got = 0;
    if (!stream.read(buffer, static_cast<uint32_t>(count), &got))
        return 0;
    return got;
}

void initSource(j_decompress_ptr info)
{
    reinterpret_cast<SourceManager*>(info->src)->m_startOfFile = true;
}

boolean fillInputBuffer(j_decompress_ptr info)
{
    auto* source = reinterpret_cast<SourceManager*>(info->src);
    size_t got = readSome(*source->m_stream, source->m_buffer, kStreamBufferSize);
    if (got == 0) {
        if (source->m_startOfFile)
            ERREXIT(info, JERR_INPUT_EMPTY);
        // A premature end: an inserted end-of-image marker lets the library
        // finish the picture with what it has.
        WARNMS(info, JWRN_JPEG_EOF);
        source->m_buffer[0] = 0xFF;
        source->m_buffer[1] = JPEG_EOI;
        got = 2;
    }
    source->m_library.next_input_byte = source->m_buffer;
    source->m_library.bytes_in_buffer = got;
    source->m_startOfFile = false;
    return TRUE;
}

void skipInputData(j_decompress_ptr info, long count)
{
    if (count <= 0)
        return;
    auto* source = reinterpret_cast<SourceManager*>(info->src);
    while (count > static_cast<long>(source->m_library.bytes_in_buffer)) {
        count -= static_cast<long>(source->m_library.bytes_in_buffer);
        fillInputBuffer(info);  // never suspends
    }
    source->m_library.next_input_byte += count;
    source->m_library.bytes_in_buffer -= static_cast<size_t>(count);
}

void termSource(j_decompress_ptr) {}

void installSource(DecodeJob& job, s::io::IInputStream& in)
{
    SourceManager& source = job.m_source;
    source.m_stream = &in;
    source.m_startOfFile = true;
    source.m_library.init_source = &initSource;
    source.m_library.fill_input_buffer = &fillInputBuffer;
    source.m_library.skip_input_data = &skipInputData;
    source.m_library.resync_to_restart = &jpeg_resync_to_restart;
    source.m_library.term_source = &termSource;
    source.m_library.next_input_byte = nullptr;
    source.m_library.bytes_in_buffer = 0;
    job.m_info.src = &source.m_library;
}

// --- Destination manager --------------------------------------------------------

bool writeAll(s::io::IOutputStream& stream, const JOCTET* bytes, size_t count)
{
    if (count == 0)
        return true;
    uint32_t written = 0;
    return stream.write(bytes, static_cast<uint32_t>(count), &written) && written == count;
}

void initDestination(j_compress_ptr info)
{
    auto* destination = reinterpret_cast<DestinationManager*>(info->dest);
    destination->m_library.next_output_byte = destination->m_buffer;
    destination->m_library.free_in_buffer = kStreamBufferSize;
}

boolean emptyOutputBuffer(j_compress_ptr info)
{
    auto* destination = reinterpret_cast<DestinationManager*>(info->dest);
    if (!writeAll(*destination->m_stream, destination->m_buffer, kStreamBufferSize))
        ERREXIT(info, JERR_FILE_WRITE);
    initDestination(info);
    return TRUE;
}

void termDestination(j_compress_ptr info)
{
    auto* destination = reinterpret_cast<DestinationManager*>(info->dest);
    const size_t filled = kStreamBufferSize - destination->m_library.free_in_buffer;
    if (!writeAll(*destination->m_stream, destination->m_buffer, filled))
        ERREXIT(info, JERR_FILE_WRITE);
}

void installDestination(EncodeJob& job, s::io::IOutputStream& out)
{
    DestinationManager& destination = job.m_destination;
    destination.m_stream = &out;
    destination.m_library.init_destination = &initDestination;
    destination.m_library.empty_output_buffer = &emptyOutputBuffer;
    destination.m_library.term_destination = &termDestination;
    job.m_info.dest = &destination.m_library;
}

// --- Decoding -----------------------------------------------------------------

// Four samples per pixel as the library delivers CMYK and YCCK files (Adobe
// files store them inverted, so a sample is the amount of light): each colour
// sample scaled by the fourth, truncated; opaque.
void cmykRowToArgb(const JSAMPLE* in, JDIMENSION width, uint32_t* out)
{
    for (JDIMENSION x = 0; x < width; ++x, in += 4) {
        const uint32_t k = in[3];
        out[x] = 0xFF000000u | (in[0] * k / 255) << 16 | (in[1] * k / 255) << 8 | (in[2] * k / 255);
    }
}

// Rows straight into the picture: the library converts grey and YCbCr/RGB
// to blue, green, red and an opaque alpha itself, which is the image
// model's 0xAARRGGBB in memory.
void readArgbRows(DecodeJob& job)
{
    jpeg_decompress_struct& info = job.m_info;
    JSAMPROW rows[kRowBatch];
    while (info.output_scanline < info.output_height) {
        const JDIMENSION first = info.output_scanline;
        JDIMENSION count = info.output_height - first;
        if (count > kRowBatch)
            count = kRowBatch;
        for (JDIMENSION i = 0; i < count; ++i)
            rows[i] = reinterpret_cast<JSAMPROW>(job.m_picture->row(static_cast<int32_t>(first + i)));
        const JDIMENSION got = jpeg_read_scanlines(&info, rows, count);
        if (got == 0)
            break;  // only a suspending source stops here; ours never does
        job.m_rowsDone += got;
    }
}

void readCmykRows(DecodeJob& job)
{
    jpeg_decompress_struct& info = job.m_info;
    // One sample row from the library's image pool, freed with the object.
    JSAMPARRAY sample = info.mem->alloc_sarray(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE, info.output_width * 4, 1);
    while (info.output_scanline < info.output_height) {
        const JDIMENSION y = info.output_scanline;
        if (jpeg_read_scanlines(&info, sample, 1) != 1)
            break;  // only a suspending source stops here; ours never does
        cmykRowToArgb(sample[0], info.output_width, job.m_picture->row(static_cast<int32_t>(y)));
        ++job.m_rowsDone;
    }
}

bool stop(DecodeJob& job, Jpeg::Fault fault)
{
    job.m_fault = fault;
    return false;
}

// Returns through the jump buffer on a library error.
bool runDecode(DecodeJob& job, s::io::IInputStream& in)
{
    jpeg_decompress_struct& info = job.m_info;
    if (setjmp(job.m_error.m_jump))
        return false;
    jpeg_create_decompress(&info);
    info.mem->max_memory_to_use = Jpeg::kLibraryMemory;
    job.m_progress.m_library.progress_monitor = &onProgress;
    info.progress = &job.m_progress.m_library;
    installSource(job, in);

    jpeg_read_header(&info, TRUE);
    // Checked before the library sizes anything for the picture: a header
    // may claim any size up to 65500 x 65500 in a few bytes.
    const uint64_t pixels = static_cast<uint64_t>(info.image_width) * info.image_height;
    if (pixels > s::image::bmp::kMaxPixels)
        return stop(job, Jpeg::Fault::kTooLarge);
    if (info.num_components != 1 && info.num_components != 3 && info.num_components != 4)
        return stop(job, Jpeg::Fault::kComponents);
    // The library's default output (grey, RGB, or CMYK for 4 components),
    // asked for in the storage's byte order.
    const bool cmyk = info.out_color_space == JCS_CMYK;
    if (info.out_color_space == JCS_RGB || info.out_color_space == JCS_GRAYSCALE)
        info.out_color_space = JCS_EXT_BGRA;
    else if (!cmyk)
        return stop(job, Jpeg::Fault::kComponents);

    jpeg_start_decompress(&info);
    job.m_picture = BufferedImage::createImage(static_cast<int32_t>(info.output_width), static_cast<int32_t>(info.output_height));
    if (!job.m_picture)
        return stop(job, Jpeg::Fault::kOutOfMemory);
    if (cmyk)
        readCmykRows(job);
    else
        readArgbRows(job);
    jpeg_finish_decompress(&info);
    return true;
}

// --- Encoding -----------------------------------------------------------------

bool runEncode(EncodeJob& job, s::io::IOutputStream& out)
{
    jpeg_compress_struct& info = job.m_info;
    if (setjmp(job.m_error.m_jump))
        return false;
    jpeg_create_compress(&info);
    info.mem->max_memory_to_use = Jpeg::kLibraryMemory;
    installDestination(job, out);
    info.image_width = static_cast<JDIMENSION>(job.m_width);
    info.image_height = static_cast<JDIMENSION>(job.m_height);
    // The rows' own byte order: the library reads blue, green, red (and
    // skips the fourth byte) itself, so the picture is never swapped and
    // stays untouched.
    info.input_components = job.m_bytesPerPixel;
    info.in_color_space = job.m_bytesPerPixel == 4 ? JCS_EXT_BGRX : JCS_EXT_BGR;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, job.m_quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    JSAMPROW rows[kRowBatch];
    while (info.next_scanline < info.image_height) {
        const JDIMENSION first = info.next_scanline;
        JDIMENSION count = info.image_height - first;
        if (count > kRowBatch)
            count = kRowBatch;
        for (JDIMENSION i = 0; i < count; ++i)
            rows[i] = job.m_row(job.m_owner, static_cast<int32_t>(first + i));
        jpeg_write_scanlines(&info, rows, count);
    }
    jpeg_finish_compress(&info);
    return true;
}

uint8_t* storageRow(const void* owner, int32_t y)
{
    return static_cast<const Bitmap*>(owner)->row(y);
}

uint8_t* pictureRow(const void* owner, int32_t y)
{
    return reinterpret_cast<uint8_t*>(static_cast<const BufferedImage*>(owner)->row(y));
}

}  // namespace

Jpeg::Jpeg() : m_storage(Bitmap::take())
{
    reset();
}

Jpeg::~Jpeg()
{
    // Destroyed, not given back: at exit the pools may already be gone.
    delete m_storage;
    delete m_picture;
}

void Jpeg::reset()
{
    releasePixels();
    m_quality = kDefaultQuality;
    m_fault = Fault::kNone;
    m_warnings = 0;
}

const BufferedImage* Jpeg::picture() const
{
    return m_picture ? m_picture : m_borrowed;
}

int32_t Jpeg::width() const
{
    if (m_storage->bits())
        return m_storage->width();
    return picture() ? picture()->width() : 0;
}

int32_t Jpeg::height() const
{
    if (m_storage->bits())
        return m_storage->height();
    return picture() ? picture()->height() : 0;
}

bool Jpeg::materializeStorage() const
{
    if (m_storage->bits())
        return true;
    const BufferedImage* source = picture();
    if (!source || !m_storage->createBitmap(source->width(), source->height(), 24))
        return false;
    return s::image::bmp::win::copyImageRows(*source, *m_storage, -1);
}

int32_t Jpeg::bytesPerRow() const
{
    return materializeStorage() ? m_storage->stride() : 0;
}

bool Jpeg::createStorage(int32_t width, int32_t height)
{
    releasePixels();
    return m_storage->createBitmap(width, height, 24);
}

uint8_t* Jpeg::row(int32_t y) const
{
    if (!materializeStorage() || y < 0 || y >= m_storage->height())
        return nullptr;
    return m_storage->row(y);
}

BufferedImage* Jpeg::toImage(int32_t, BufferedImage* destination)
{
    if (m_storage->bits())
        return m_storage->toImage(0, destination);
    const BufferedImage* source = picture();
    return source ? source->copyTo(destination) : nullptr;
}

BufferedImageSet* Jpeg::toImageSet(int32_t)
{
    if (!m_picture)
        return IEncodedImage::toImageSet(0);
    // The decoded picture is handed over whole, not copied: a decode is
    // read once, and a copy of a large photo costs as much as decoding it.
    s::thread::Pooled<BufferedImageSet> set(BufferedImageSet::take());
    set->add(m_picture, 24, 0, 0);
    m_picture = nullptr;
    return set.take();
}

void Jpeg::releasePixels()
{
    m_storage->reset();
    if (m_picture)
        m_picture->release();
    m_picture = nullptr;
    m_borrowed = nullptr;
}

bool Jpeg::decode(s::io::IInputStream& in)
{
    releasePixels();
    DecodeJob job{};
    job.m_fault = Fault::kLibrary;  // what a jump back means
    setUpErrors(job.m_error);
    job.m_info.err = &job.m_error.m_library;
    const bool decoded = runDecode(job, in);
    jpeg_destroy_decompress(&job.m_info);
    m_warnings = static_cast<int32_t>(job.m_error.m_library.num_warnings);
    if (job.m_progress.m_exceeded)
        job.m_fault = Fault::kTooManyScans;
    m_fault = decoded ? Fault::kNone : job.m_fault;
    m_picture = job.m_picture;
    // A fatal error before the first row leaves no picture at all; after it,
    // the rows not reached are black and the picture is kept.
    if (m_picture && job.m_rowsDone == 0) {
        m_picture->release();
        m_picture = nullptr;
    } else if (m_picture) {
        for (int32_t y = static_cast<int32_t>(job.m_rowsDone); y < m_picture->height(); ++y)
            std::fill(m_picture->row(y), m_picture->row(y) + m_picture->width(), 0xFF000000u);
    }
    return decoded;
}

bool Jpeg::encode(s::io::IOutputStream& out)
{
    EncodeJob job{};
    if (m_storage->bits()) {
        job.m_row = &storageRow;
        job.m_owner = m_storage;
        job.m_width = m_storage->width();
        job.m_height = m_storage->height();
        job.m_bytesPerPixel = 3;
    } else if (const BufferedImage* source = picture()) {
        job.m_row = &pictureRow;
        job.m_owner = source;
        job.m_width = source->width();
        job.m_height = source->height();
        job.m_bytesPerPixel = 4;
    } else {
        m_fault = Fault::kNothingToWrite;
        return false;
    }
    job.m_quality = m_quality;
    setUpErrors(job.m_error);
    job.m_info.err = &job.m_error.m_library;
    const bool encoded = runEncode(job, out);
    const bool writeFailed = job.m_error.m_library.msg_code == JERR_FILE_WRITE;
    jpeg_destroy_compress(&job.m_info);
    m_fault = encoded ? Fault::kNone : (writeFailed ? Fault::kWriteFailed : Fault::kLibrary);
    return encoded;
}

bool Jpeg::encodeImage(const BufferedImage& image, int32_t quality, int32_t red, int32_t green, int32_t blue)
{
    setQuality(quality);
    releasePixels();
    if (image.width() <= 0 || image.height() <= 0)
        return false;
    if (!image.hasAlpha()) {
        // Nothing to flatten: the encoder reads the picture's own rows.
        m_borrowed = &image;
        return true;
    }
    if (!m_storage->createBitmap(image.width(), image.height(), 24))
        return false;
    const int32_t background = ((red & 0xFF) << 16) | ((green & 0xFF) << 8) | (blue & 0xFF);
    return copyImageRows(image, *m_storage, background);
}

s::image::IEncodedImage* Jpeg::reencodeSet(BufferedImageSet& set)
{
    BufferedImage* primary = set.primary();
    return primary ? reencodeImage(*primary) : nullptr;
}

s::image::IEncodedImage* Jpeg::reencodeImage(const BufferedImage& image)
{
    s::thread::Pooled<s::image::jpg::EncodeSetting> setting(s::image::jpg::EncodeSetting::take());
    setting->setQuality(kDefaultQuality);
    return setting->toEncoded(image);
}

}  // namespace s::image::jpg::win
