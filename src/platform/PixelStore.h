#pragma once
#include <cstdint>

namespace s::platform {

// Memory for a 32-bit bottom-up picture. On Windows it is a DIB section, so
// the picture can be drawn through device contexts; elsewhere plain memory
// with the same layout. New memory is zero-filled.
class PixelStore {
public:
    // The largest picture the image model accepts: larger claims are
    // treated as broken files, not as memory to ask for.
    static constexpr uint64_t kMaxPixels = uint64_t(1) << 28;

    PixelStore() = default;
    ~PixelStore() { free(); }
    PixelStore(const PixelStore&) = delete;
    PixelStore& operator=(const PixelStore&) = delete;

    // False (and nothing held) for non-positive or oversized dimensions, or
    // when the system refuses the memory.
    bool create(int32_t width, int32_t height);
    void free();

    uint8_t* bits() const { return m_bits; }
    // The native bitmap handle (HBITMAP) on Windows, null elsewhere.
    void* nativeHandle() const { return m_handle; }
    int32_t width() const { return m_width; }
    int32_t height() const { return m_height; }

private:
    uint8_t* m_bits = nullptr;   // owned through m_handle on Windows
    void* m_handle = nullptr;    // owned
    int32_t m_width = 0;
    int32_t m_height = 0;
};

}  // namespace s::platform
