#pragma once
#include <cstdint>
#include <string_view>

#include "dialogs/pellory/ConversionTask.h"
#include "dialogs/pellory/IStatusSink.h"
#include "dialogs/pellory/StrengthControls.h"
#include "gui/dialogs/dragndrop/Dialog.h"
#include "thread/PooledBy.h"

namespace s::image::filters::sharpness {
class Sharpness;
}

namespace s::image::gui::dialogs::pellory {

// The main dialog: the drop box whose runs sharpen or blur the dropped
// image files. It adds to the drop dialog the two operations of the
// "Convert to:" box, a strength page per operation, and the conversion task
// that its worker runs over the dropped paths.
class Dialog : public s::gui::dialogs::dragndrop::Dialog, public s::thread::PooledBy<Dialog> {
public:
    static constexpr int32_t kTextSharpen = 1101000;
    static constexpr int32_t kTextBlur = 1102000;
    static constexpr int32_t kTextOutputFolderMessage = 608299;
    static constexpr int32_t kItemSharpen = 0;
    static constexpr int32_t kItemBlur = 1;

    Dialog();
    ~Dialog() override;

    // A dialog from the pool, released to it by the caller.
    static Dialog* take();

    const char16_t* className() const override { return u"s_image_gui_dialogs_pellory_Dialog"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;

    // The worker's job: the conversion task over the file list.
    void run() override;

    int32_t largeHeight() const override { return 300; }
    bool captureSetting() override;
    s::gui::win::ComboBox* buildModeItems() override;
    s::gui::win::Box* buildOptionsPanel() override;
    void attachListeners() override;
    bool onValueChanged(s::base::IObject* source) override;
    void onLanguageChanged() override;
    virtual s::image::filters::sharpness::Sharpness* makeFilter(const Setting& setting);

    Setting& setting() { return m_task.setting(); }
    const ConversionTask& task() const { return m_task; }
    const StrengthControls& sharpen() const { return m_sharpen; }
    const StrengthControls& blur() const { return m_blur; }

protected:
    s::thread::ObjLocker& listLock() override { return m_task.listLock(); }
    s::str::strarray::StrArray& fileList() override { return m_task.fileList(); }
    void setCancelRequested(bool cancel) override;
    bool isCancelRequested() const override { return m_task.isCancelRequested(); }
    bool checkOutputFolder(std::u16string_view firstPath, std::u16string* message) override;

private:
    // Hands the task's status events to the window's thread and waits there.
    class WindowSink : public IStatusSink {
    public:
        explicit WindowSink(Dialog& dialog) : m_dialog(dialog) {}
        void sendEvent(const char* name, int32_t first, int32_t second, const char16_t* text) override;

    private:
        Dialog& m_dialog;
    };

    std::u16string strengthKey(int32_t item) const;

    ConversionTask m_task;
    WindowSink m_sink{*this};
    StrengthControls m_sharpen;
    StrengthControls m_blur;
};

}  // namespace s::image::gui::dialogs::pellory
