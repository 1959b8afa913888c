#include "app/win/AppBase.h"

#include <utility>

#include "archive/ByteStream.h"
#include "image/jpg/win/Jpeg.h"
#include "image/win/BufferedImage.h"
#include "lang/Localizer.h"
#include "map/AppSettings.h"
#include "map/IMappedData.h"
#include "platform/ModuleResource.h"
#include "platform/WebPage.h"
#include "thread/Pooled.h"

namespace s::app::win {

namespace {

constexpr int32_t kIconPixels[] = {16, 32, 64};

}  // namespace

AppBase::AppBase() { reset(); }

AppBase::~AppBase() { reset(); }

void AppBase::reset()
{
    if (m_store)
        m_store->save();
    adoptStore(nullptr);
    if (m_picture) {
        m_picture->release();
        m_picture = nullptr;
    }
    for (void*& handle : m_icons) {
        if (handle)
            destroyIcon(handle);
        handle = nullptr;
    }
    adoptLocalizer(nullptr);
    m_modulePath.clear();
    m_commandLine.clear();
    // Fixed: the product's texts begin there whether or not the start-up ran.
    m_textBase = kTextBase;
    releasePlatform();
}

void AppBase::initialise()
{
    initialisePlatform();
    m_textBase = kTextBase;
    setCommandLine(systemParameters());
    m_modulePath = s::platform::ModuleResource::executablePath();
    // The icons are loaded when a window first asks for them.
    adoptLocalizer(s::lang::Localizer::loadLocalizer());
    decodePicture();
    adoptStore(s::map::AppSettings::openRegistryStore(*m_localizer));
    runStoreStartUp();
}

void AppBase::setCommandLine(std::vector<std::u16string> parameters) { m_commandLine = std::move(parameters); }

void AppBase::adoptLocalizer(s::lang::Localizer* localizer)
{
    if (m_localizer && m_localizer != localizer)
        m_localizer->release();
    m_localizer = localizer;
}

void AppBase::adoptStore(s::map::IMappedData* store)
{
    if (m_store && m_store != store)
        s::thread::releaseToPool(m_store);
    m_store = store;
}

void AppBase::runStoreStartUp()
{
    if (m_store && m_localizer)
        s::map::AppSettings::startUp(*m_store, *m_localizer);
}

std::u16string AppBase::productText(int32_t offset) const
{
    if (!m_localizer)
        return {};
    return m_localizer->text(m_textBase + offset);
}

std::u16string AppBase::moduleFolder() const { return s::platform::ModuleResource::folderOf(m_modulePath); }

void* AppBase::icon(int32_t size)
{
    int slot = 0;
    while (slot + 1 < kIconSizes && kIconPixels[slot] < size)
        ++slot;
    if (!m_icons[slot])
        m_icons[slot] = loadIcon(kIconPixels[slot]);
    return m_icons[slot];
}

bool AppBase::openWebPage(const char16_t* address) const { return s::platform::openWebPage(address); }

void AppBase::decodePicture()
{
    const std::string_view bytes = s::platform::ModuleResource::bytes(kPictureId, kPictureType);
    if (bytes.empty() || bytes.size() > UINT32_MAX)
        return;
    s::archive::ByteStream stream;
    uint32_t written = 0;
    if (!stream.write(bytes.data(), static_cast<uint32_t>(bytes.size()), &written) || written != bytes.size())
        return;
    stream.rewind();
    s::thread::Pooled<s::image::jpg::win::Jpeg> jpeg(s::image::jpg::win::Jpeg::take());
    if (!jpeg->decode(stream))
        return;
    m_picture = jpeg->toImage(0, nullptr);
}

}  // namespace s::app::win
