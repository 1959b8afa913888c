#include "image/jpg/win/Jpeg.h"

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
    Bitmap* m_storage;  // not owned
    Jpeg::Fault m_fault;
    JDIMENSION m_rowsDone;
};

struct EncodeJob {
    jpeg_compress_struct m_info;
    ErrorManager m_error;
    DestinationManager m_destination;
    const Bitmap* m_storage;  // not owned
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
// sample scaled by the fourth, truncated.
void cmykRowToBgr(const JSAMPLE* in, JDIMENSION width, uint8_t* out)
{
    for (JDIMENSION x = 0; x < width; ++x, in += 4, out += 3) {
        const uint32_t k = in[3];
        out[0] = static_cast<uint8_t>(in[2] * k / 255);
        out[1] = static_cast<uint8_t>(in[1] * k / 255);
        out[2] = static_cast<uint8_t>(in[0] * k / 255);
    }
}

// Rows straight into the storage: the library converts grey and YCbCr/RGB
// to blue, green, red itself.
void readBgrRows(DecodeJob& job)
{
    jpeg_decompress_struct& info = job.m_info;
    JSAMPROW rows[kRowBatch];
    while (info.output_scanline < info.output_height) {
        const JDIMENSION first = info.output_scanline;
        JDIMENSION count = info.output_height - first;
        if (count > kRowBatch)
            count = kRowBatch;
        for (JDIMENSION i = 0; i < count; ++i)
            rows[i] = job.m_storage->row(static_cast<int32_t>(first + i));
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
        cmykRowToBgr(sample[0], info.output_width, job.m_storage->row(static_cast<int32_t>(y)));
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
        info.out_color_space = JCS_EXT_BGR;
    else if (!cmyk)
        return stop(job, Jpeg::Fault::kComponents);

    jpeg_start_decompress(&info);
    if (!job.m_storage->createBitmap(static_cast<int32_t>(info.output_width), static_cast<int32_t>(info.output_height), 24))
        return stop(job, Jpeg::Fault::kOutOfMemory);
    if (cmyk)
        readCmykRows(job);
    else
        readBgrRows(job);
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
    const Bitmap& storage = *job.m_storage;
    info.image_width = static_cast<JDIMENSION>(storage.width());
    info.image_height = static_cast<JDIMENSION>(storage.height());
    info.input_components = 3;
    // The storage's own byte order: the library reads blue, green, red
    // itself, so the picture is never swapped and stays untouched.
    info.in_color_space = JCS_EXT_BGR;
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
            rows[i] = storage.row(static_cast<int32_t>(first + i));
        jpeg_write_scanlines(&info, rows, count);
    }
    jpeg_finish_compress(&info);
    return true;
}

}  // namespace

Jpeg::Jpeg() : m_storage(Bitmap::take())
{
    reset();
}

Jpeg::~Jpeg()
{
    // Destroyed, not given back: at exit the Bitmap pool may already be gone.
    delete m_storage;
}

void Jpeg::reset()
{
    m_storage->reset();
    m_quality = kDefaultQuality;
    m_fault = Fault::kNone;
    m_warnings = 0;
}

int32_t Jpeg::width() const
{
    return m_storage->width();
}

int32_t Jpeg::height() const
{
    return m_storage->height();
}

int32_t Jpeg::bytesPerRow() const
{
    return m_storage->stride();
}

bool Jpeg::createStorage(int32_t width, int32_t height)
{
    return m_storage->createBitmap(width, height, 24);
}

uint8_t* Jpeg::row(int32_t y) const
{
    if (!m_storage->bits() || y < 0 || y >= m_storage->height())
        return nullptr;
    return m_storage->row(y);
}

BufferedImage* Jpeg::toImage(int32_t, BufferedImage* destination)
{
    return m_storage->toImage(0, destination);
}

void Jpeg::releasePixels()
{
    m_storage->reset();
}

bool Jpeg::decode(s::io::IInputStream& in)
{
    m_storage->reset();
    DecodeJob job{};
    job.m_storage = m_storage;
    job.m_fault = Fault::kLibrary;  // what a jump back means
    setUpErrors(job.m_error);
    job.m_info.err = &job.m_error.m_library;
    const bool decoded = runDecode(job, in);
    jpeg_destroy_decompress(&job.m_info);
    m_warnings = static_cast<int32_t>(job.m_error.m_library.num_warnings);
    if (job.m_progress.m_exceeded)
        job.m_fault = Fault::kTooManyScans;
    m_fault = decoded ? Fault::kNone : job.m_fault;
    // A fatal error before the first row leaves no picture at all; after it,
    // the rows not reached stay black and the picture is kept.
    if (job.m_rowsDone == 0)
        m_storage->reset();
    return decoded;
}

bool Jpeg::encode(s::io::IOutputStream& out)
{
    if (!m_storage->bits()) {
        m_fault = Fault::kNothingToWrite;
        return false;
    }
    EncodeJob job{};
    job.m_storage = m_storage;
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
    if (!createStorage(image.width(), image.height()))
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
