// Makes the resources that Pellory.exe carries and that are drawn in code:
// the icon group (16, 24, 32 and 48 pixels at 4, 8 and 32 bits) and the
// About banner, through the program's own encoders.
//
//   pellory-resgen OUTPUT_FOLDER     writes pellory.ico and about.jpg there
#include <cstdio>
#include <string>

#include "Artwork.h"
#include "archive/ByteStream.h"
#include "image/IEncodedImage.h"
#include "image/ico/EncodeSetting.h"
#include "image/jpg/EncodeSetting.h"
#include "image/win/BufferedImage.h"
#include "image/win/BufferedImageSet.h"
#include "thread/Pooled.h"

using s::image::win::BufferedImage;
using s::image::win::BufferedImageSet;
using s::thread::Pooled;

namespace {

constexpr int32_t kIconSizes[] = {16, 24, 32, 48};
constexpr int32_t kIconDepths[] = {32, 8, 4};
constexpr int32_t kBannerWidth = 700;
constexpr int32_t kBannerHeight = 230;
constexpr int32_t kBannerQuality = 90;

// Written beside the target and renamed over it, so that a failed run never
// leaves half a file for the resource compiler.
bool writeFile(const std::string& path, const s::archive::ByteStream& bytes)
{
    const std::string temporary = path + ".part";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed || std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

bool encodeTo(s::image::IEncodedImage* encoded, const std::string& path)
{
    Pooled<s::image::IEncodedImage> holder(encoded);
    s::archive::ByteStream bytes;
    return holder && holder->encode(bytes) && writeFile(path, bytes);
}

bool makeIcon(const std::string& path)
{
    Pooled<BufferedImageSet> set(BufferedImageSet::take());
    Pooled<s::image::ico::EncodeSetting> setting(s::image::ico::EncodeSetting::take());
    for (int32_t depth : kIconDepths) {
        for (int32_t size : kIconSizes) {
            BufferedImage* picture = resgen::Artwork::productIcon(size);
            if (!picture)
                return false;
            set->add(picture, depth, 0, 0);
            setting->entryShapes().add(size << 16 | depth);
        }
    }
    set->updateLargest();
    return encodeTo(setting->toEncodedSet(*set), path);
}

bool makeBanner(const std::string& path)
{
    Pooled<BufferedImage> banner(resgen::Artwork::aboutBanner(kBannerWidth, kBannerHeight));
    if (!banner)
        return false;
    Pooled<s::image::jpg::EncodeSetting> setting(s::image::jpg::EncodeSetting::take());
    setting->setQuality(kBannerQuality);
    return encodeTo(setting->toEncoded(*banner), path);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: pellory-resgen OUTPUT_FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    if (!makeIcon(folder + "/pellory.ico")) {
        std::fprintf(stderr, "pellory-resgen: could not write %s/pellory.ico\n", folder.c_str());
        return 1;
    }
    if (!makeBanner(folder + "/about.jpg")) {
        std::fprintf(stderr, "pellory-resgen: could not write %s/about.jpg\n", folder.c_str());
        return 1;
    }
    return 0;
}
