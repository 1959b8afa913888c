#pragma once
#include <atomic>
#include <cstdint>
#include <string_view>

#include "dialogs/pellory/Setting.h"
#include "str/strarray/StrArray.h"
#include "thread/ITask.h"
#include "thread/ObjLocker.h"

namespace s::file::win {
class PathWin;
}

namespace s::image::gui::dialogs::pellory {

class IStatusSink;

// The batch run behind a drop: walks the dropped paths, and for each image
// file decodes it, filters every picture, re-encodes it in its own format and
// writes it beside the source under a new name. The main window and the
// command-line tool run this very code; they differ only in their sink.
class ConversionTask : public s::thread::ITask {
public:
    // What became of one list entry.
    enum class Outcome { PassedOver, Written, Failed, Cancelled };

    ConversionTask();
    ~ConversionTask() override;

    void run() override;

    // The owner fills the list under the lock before a run and empties it
    // afterwards; the run only reads it.
    s::thread::ObjLocker& listLock() { return m_listLock; }
    s::str::strarray::StrArray& fileList() { return *m_fileList; }
    Setting& setting() { return m_setting; }
    void setStatusSink(IStatusSink* sink) { m_sink = sink; }
    void requestCancel() { m_cancelRequested.store(1, std::memory_order_relaxed); }
    void clearCancel() { m_cancelRequested.store(0, std::memory_order_relaxed); }
    bool isCancelRequested() const { return m_cancelRequested.load(std::memory_order_relaxed) != 0; }

    // Totals of the last run.
    int32_t filesWritten() const { return m_filesWritten; }
    int32_t filesFailed() const { return m_filesFailed; }
    int32_t filesPassedOver() const { return m_filesPassedOver; }

    // The extensions a dropped file may have, compared ignoring case.
    static bool hasImageExtension(std::u16string_view extension);

protected:
    Outcome processFile(s::file::win::PathWin& source, int32_t index);

private:
    void send(const char* name, int32_t first, int32_t second, const char16_t* text);
    int32_t listCount();

    s::str::strarray::StrArray* m_fileList;  // owned
    s::thread::ObjLocker m_listLock;
    std::atomic<uint8_t> m_cancelRequested{0};
    Setting m_setting;
    IStatusSink* m_sink = nullptr;  // not owned
    int32_t m_filesWritten = 0;
    int32_t m_filesFailed = 0;
    int32_t m_filesPassedOver = 0;
};

}  // namespace s::image::gui::dialogs::pellory
