#include "dialogs/pellory/ConversionTask.h"

#include "dialogs/pellory/IStatusSink.h"
#include "dialogs/pellory/ImageConversion.h"
#include "file/win/PathWin.h"
#include "str/strbuffer/StrBuffer.h"
#include "thread/Pooled.h"

namespace s::image::gui::dialogs::pellory {

using s::file::win::PathWin;
using s::str::strbuffer::StrBuffer;
using s::thread::Lock;
using s::thread::Pooled;

ConversionTask::ConversionTask() : m_fileList(s::str::strarray::StrArray::take()) {}

ConversionTask::~ConversionTask()
{
    m_fileList->release();
}

bool ConversionTask::hasImageExtension(std::u16string_view extension)
{
    static constexpr std::u16string_view kExtensions[] = {u".bmp", u".gif", u".jpg", u".jpeg", u".png", u".ico"};
    for (std::u16string_view known : kExtensions) {
        if (StrBuffer::equalsIgnoreCase(extension, known))
            return true;
    }
    return false;
}

void ConversionTask::send(const char* name, int32_t first, int32_t second, const char16_t* text)
{
    // Never called with the list lock held: the window's handler takes it.
    if (m_sink)
        m_sink->sendEvent(name, first, second, text);
}

int32_t ConversionTask::listCount()
{
    Lock lock(m_listLock);
    return m_fileList->count();
}

void ConversionTask::run()
{
    m_filesWritten = m_filesFailed = m_filesPassedOver = 0;
    send(kProcessStatusStart, 0, 0, nullptr);
    m_listLock.enter();
    for (int32_t i = 0; i < m_fileList->count(); ++i) {
        if (isCancelRequested())
            break;
        Pooled<PathWin> source(PathWin::fromText(m_fileList->at(i).view()));
        m_listLock.leave();
        switch (processFile(*source, i)) {
        case Outcome::Written: ++m_filesWritten; break;
        case Outcome::Failed: ++m_filesFailed; break;
        case Outcome::PassedOver: ++m_filesPassedOver; break;
        case Outcome::Cancelled: break;
        }
        source.clear();
        m_listLock.enter();
    }
    m_listLock.leave();
    send(kProcessStatusEnd, 0, 0, nullptr);
}

ConversionTask::Outcome ConversionTask::processFile(PathWin& source, int32_t index)
{
    if (!source.exists() || source.isDirectory())
        return Outcome::PassedOver;
    if (!hasImageExtension(source.extension()))
        return Outcome::PassedOver;
    ImageConversion conversion;
    if (!conversion.load(source))
        return Outcome::PassedOver;
    // Cancelling after the decode leaves this file alone; the next pass ends the run.
    if (isCancelRequested())
        return Outcome::Cancelled;
    const std::u16string name = source.nameWithExtension();
    send(kProcessStatusUpdate, listCount(), index, name.c_str());
    Pooled<PathWin> folder(PathWin::fromText(source.folderText()));
    return conversion.writeFiltered(*folder, source.title(), m_setting, source.extension()) ? Outcome::Written : Outcome::Failed;
}

}  // namespace s::image::gui::dialogs::pellory
