#include "cli/BatchCommand.h"

#include <algorithm>

#include "dialogs/pellory/ConversionTask.h"
#include "dialogs/pellory/IStatusSink.h"
#include "dialogs/pellory/OutputNaming.h"
#include "file/win/PathWin.h"
#include "platform/Console.h"
#include "platform/FileSystem.h"
#include "str/strbuffer/StrBuffer.h"
#include "thread/ObjLocker.h"
#include "thread/Pooled.h"

namespace s::cli {

using s::file::win::PathWin;
using s::image::gui::dialogs::pellory::ConversionTask;
using s::image::gui::dialogs::pellory::IStatusSink;
using s::thread::Pooled;

namespace {

std::string utf8(const std::u16string& text) { return s::platform::toUtf8(text.data(), text.size()); }

bool parseStrength(const std::u16string& text, int32_t* value)
{
    if (text.empty() || text.size() > 3)
        return false;
    int32_t n = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9')
            return false;
        n = n * 10 + (c - u'0');
    }
    if (n > 100)
        return false;
    *value = n;
    return true;
}

// Prints the run's status events: a line per file, or one live bar on a terminal.
class ConsoleSink : public IStatusSink {
public:
    ConsoleSink(std::FILE* out, bool liveBar) : m_out(out), m_liveBar(liveBar) {}

    void sendEvent(const char* name, int32_t first, int32_t second, const char16_t* text) override
    {
        const std::string event = name;
        if (event == s::image::gui::dialogs::pellory::kProcessStatusStart) {
            std::fprintf(m_out, "start\n");
        } else if (event == s::image::gui::dialogs::pellory::kProcessStatusUpdate) {
            const std::string file = text ? utf8(text) : std::string();
            if (m_liveBar) {
                constexpr int kWidth = 30;
                const int filled = first > 0 ? (second + 1) * kWidth / first : kWidth;
                std::fprintf(m_out, "\r[%s%s] %d/%d %s\x1b[K", std::string(static_cast<size_t>(filled), '#').c_str(),
                             std::string(static_cast<size_t>(kWidth - filled), '.').c_str(), second + 1, first, file.c_str());
                m_barShown = true;
            } else {
                std::fprintf(m_out, "update %d/%d %s\n", second + 1, first, file.c_str());
            }
        } else if (event == s::image::gui::dialogs::pellory::kProcessStatusEnd) {
            if (m_barShown)
                std::fprintf(m_out, "\n");
            std::fprintf(m_out, "end\n");
        }
        std::fflush(m_out);
    }

private:
    std::FILE* m_out;
    bool m_liveBar;
    bool m_barShown = false;
};

}  // namespace

const char* BatchCommand::usage()
{
    return "Usage: pellory-batch (--sharpen N | --blur N) PATH...\n"
           "Sharpens or blurs image files (BMP, JPEG, PNG, GIF, ICO) exactly as a drop on\n"
           "the Pellory window does. Each output is written beside its source in the\n"
           "source's own format, named e.g. \"Cat (SH +50%).JPG\"; no file is overwritten.\n"
           "  --sharpen N   sharpen with strength N (0..100)\n"
           "  --blur N      blur with strength N (0..100)\n"
           "  --help        show this text\n"
           "A folder stands for the files directly inside it, in name order.\n"
           "Exit status: 0 after a completed run, 2 for a usage error.\n";
}

bool BatchCommand::parse(const std::vector<std::u16string>& arguments)
{
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::u16string& a = arguments[i];
        if (a == u"--help" || a == u"-h") {
            m_help = true;
            return true;
        }
        if (a == u"--sharpen" || a == u"--blur") {
            if (m_mode != 0) {
                m_error = "give one of --sharpen and --blur, once";
                return false;
            }
            m_mode = a == u"--sharpen" ? 1 : 2;
            if (i + 1 >= arguments.size() || !parseStrength(arguments[i + 1], &m_strength)) {
                m_error = utf8(a) + " needs a strength from 0 to 100" + (i + 1 < arguments.size() ? ", not \"" + utf8(arguments[i + 1]) + "\"" : "");
                return false;
            }
            ++i;
            continue;
        }
        if (a.size() > 1 && a[0] == u'-' && a[1] == u'-') {
            m_error = "unknown option " + utf8(a);
            return false;
        }
        m_paths.push_back(a);
    }
    if (m_mode == 0) {
        m_error = "give --sharpen N or --blur N";
        return false;
    }
    if (m_paths.empty()) {
        m_error = "give at least one file or folder";
        return false;
    }
    return true;
}

std::vector<std::u16string> BatchCommand::expandedPaths() const
{
    std::vector<std::u16string> paths;
    for (const std::u16string& given : m_paths) {
        Pooled<PathWin> path(PathWin::fromText(s::platform::absolutePath(given)));
        if (!path->isDirectory()) {
            paths.push_back(path->text());
            continue;
        }
        std::vector<std::u16string> names = s::platform::folderEntries(path->osPath().c_str());
        std::sort(names.begin(), names.end());
        for (const std::u16string& name : names) {
            Pooled<PathWin> entry(path->child(name));
            paths.push_back(entry->text());
        }
    }
    return paths;
}

int BatchCommand::run(std::FILE* out, std::FILE* err, bool liveBar) const
{
    const std::vector<std::u16string> paths = expandedPaths();
    if (paths.empty()) {
        std::fprintf(out, "nothing to do: the folder is empty\n");
        return kExitOk;
    }
    std::u16string message;
    if (!s::image::gui::dialogs::pellory::checkOutputFolder(paths.front(), &message)) {
        std::fprintf(err, "pellory-batch: %s\n", utf8(message).c_str());
        return kExitUsage;
    }
    ConversionTask task;
    ConsoleSink sink(out, liveBar);
    task.setStatusSink(&sink);
    task.setting().set(m_mode, m_strength);
    {
        s::thread::Lock lock(task.listLock());
        for (const std::u16string& path : paths)
            task.fileList().add(path);
    }
    task.run();
    std::fprintf(out, "%d written, %d failed, %d passed over\n", task.filesWritten(), task.filesFailed(), task.filesPassedOver());
    return kExitOk;
}

}  // namespace s::cli
