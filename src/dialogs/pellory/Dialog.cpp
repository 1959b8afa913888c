#include "dialogs/pellory/Dialog.h"

#include <string>

#include "dialogs/pellory/FilterChoice.h"
#include "dialogs/pellory/OutputNaming.h"
#include "gui/LayoutTypes.h"
#include "gui/win/Box.h"
#include "gui/win/Controls.h"
#include "gui/win/Window.h"
#include "lang/Localizer.h"
#include "map/IMappedData.h"
#include "str/strarray/StrArray.h"
#include "str/strbuffer/StrBuffer.h"

namespace s::image::gui::dialogs::pellory {

using s::gui::win::Box;
using s::gui::win::ComboBox;

Dialog* Dialog::take()
{
    // The pool deletes its idle dialogs at exit, and a dialog's task still
    // gives its list back then: that list's pools must be the older ones, so
    // that they are destroyed after this one.
    s::str::strarray::StrArray::classPool();
    s::str::strbuffer::StrBuffer::classPool();
    return s::thread::PooledBy<Dialog>::take();
}

Dialog::Dialog()
{
    m_task.setStatusSink(&m_sink);
    reset();
}

Dialog::~Dialog()
{
    reset();
}

void Dialog::reset()
{
    m_sharpen.forget();
    m_blur.forget();
    resetDialog();
    m_task.setting().reset();
}

void Dialog::run()
{
    m_task.run();
}

void Dialog::setCancelRequested(bool cancel)
{
    if (cancel)
        m_task.requestCancel();
    else
        m_task.clearCancel();
}

bool Dialog::checkOutputFolder(std::u16string_view firstPath, std::u16string* message)
{
    if (pellory::checkOutputFolder(firstPath, message))
        return true;
    // A translation of the message, where the language has one, replaces
    // the English text before the folder's path.
    const char16_t* translated = m_localizer ? m_localizer->text(kTextOutputFolderMessage) : u"";
    const std::u16string_view english = kOutputFolderMessage;
    if (message && *translated && message->compare(0, english.size(), english) == 0)
        message->replace(0, english.size(), translated);
    return false;
}

std::u16string Dialog::strengthKey(int32_t item) const
{
    return keyPath(item == kItemBlur ? u"ConvertTo\\Blur" : u"ConvertTo\\Sharpen");
}

ComboBox* Dialog::buildModeItems()
{
    ComboBox* combo = ComboBox::take();
    combo->setWidthPercent(100);
    combo->addItem({kTextSharpen, u"", m_localizer});
    combo->addItem({kTextBlur, u"", m_localizer});
    return combo;
}

Box* Dialog::buildOptionsPanel()
{
    Box* blurPage = m_blur.buildPage(m_localizer);
    Box* sharpenPage = m_sharpen.buildPage(m_localizer);
    Box* panel = Box::makeBox(100, -1, 0, 0, 0, 0, 0, 0, s::gui::kLayoutPile);
    panel->addChild(sharpenPage);  // index kItemSharpen
    panel->addChild(blurPage);     // index kItemBlur
    blurPage->setVisible(false, true);
    if (m_store) {
        m_sharpen.load(*m_store, strengthKey(kItemSharpen));
        m_blur.load(*m_store, strengthKey(kItemBlur));
    }
    return panel;
}

void Dialog::attachListeners()
{
    m_sharpen.listen(this);
    m_blur.listen(this);
}

bool Dialog::onValueChanged(s::base::IObject* source)
{
    m_sharpen.follow(source);
    m_blur.follow(source);
    return false;
}

void Dialog::onLanguageChanged()
{
    m_sharpen.retitle(m_localizer);
    m_blur.retitle(m_localizer);
}

bool Dialog::captureSetting()
{
    Setting& setting = m_task.setting();
    setting.reset();
    const int32_t item = m_modeCombo ? m_modeCombo->selectedIndex() : -1;
    if (item == kItemSharpen) {
        setting.set(Setting::kModeSharpen, m_sharpen.value());
        if (m_store)
            m_sharpen.store(*m_store, strengthKey(kItemSharpen));
    } else if (item == kItemBlur) {
        setting.set(Setting::kModeBlur, m_blur.value());
        if (m_store)
            m_blur.store(*m_store, strengthKey(kItemBlur));
    }
    return true;
}

s::image::filters::sharpness::Sharpness* Dialog::makeFilter(const Setting& setting)
{
    return pellory::makeFilter(setting);
}

void Dialog::WindowSink::sendEvent(const char* name, int32_t first, int32_t second, const char16_t* text)
{
    s::gui::win::Window* window = m_dialog.window();
    if (!window || !name)
        return;
    // The names are ASCII.
    std::u16string wide;
    for (const char* c = name; *c; ++c)
        wide += static_cast<char16_t>(static_cast<unsigned char>(*c));
    window->sendEvent(wide, first, second, text ? std::u16string_view(text) : std::u16string_view());
}

}  // namespace s::image::gui::dialogs::pellory
