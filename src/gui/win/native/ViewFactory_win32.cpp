#include "gui/win/native/ViewFactory.h"

#include <commctrl.h>

#include <mutex>

#include "gui/win/Controls.h"
#include "gui/win/native/ContainerView.h"
#include "gui/win/native/ControlViews.h"
#include "gui/win/native/MenuBarView.h"
#include "gui/win/native/SpacerView.h"
#include "gui/win/native/StatusGrip.h"
#include "gui/win/native/TopWindowView.h"

namespace s::gui::win::native {

namespace {

void registerClass(const wchar_t* name, WNDPROC procedure, UINT style, HBRUSH background = nullptr)
{
    WNDCLASSEXW windowClass{};
    windowClass.hbrBackground = background;
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = style;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = name;
    RegisterClassExW(&windowClass);
}

// A failed window leaves no view behind: the component then has none.
template <class View, class... Args>
INativeView* made(View* view, HWND parent, Args... args)
{
    if (view->create(parent, args...))
        return view;
    delete view;
    return nullptr;
}

bool sliderTicksShown(IComponent& owner)
{
    const auto* slider = dynamic_cast<const Slider*>(&owner);
    return !slider || slider->ticksShown();
}

}  // namespace

void registerWindowClasses()
{
    static std::once_flag once;
    std::call_once(once, [] {
        INITCOMMONCONTROLSEX controls{};
        controls.dwSize = sizeof(controls);
        controls.dwICC = ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES;
        InitCommonControlsEx(&controls);
        registerClass(L"s_gui_win_native_Container", &ContainerView::procedure, 0);
        registerClass(StatusGrip::kClassName, &StatusGrip::procedure, 0);
        // The client area between children (spacers have no window) shows
        // the dialog face, not whatever was on the screen.
        registerClass(TopWindowView::kClassName, &TopWindowView::procedure, CS_DBLCLKS,
                      reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)));
    });
}

INativeView* makeChildView(IComponent& owner, NativeKind kind, HWND parent)
{
    if (!parent)
        return nullptr;
    registerWindowClasses();
    switch (kind) {
    case NativeKind::kSpacer:
        return new SpacerView();
    case NativeKind::kLabel:
        return made(new LabelView(owner), parent);
    case NativeKind::kButton:
        return made(new ButtonView(owner), parent);
    case NativeKind::kCheckBox:
        return made(new CheckBoxView(owner), parent);
    case NativeKind::kComboBox:
        return made(new ComboBoxView(owner), parent);
    case NativeKind::kSlider:
        return made(new SliderView(owner), parent, sliderTicksShown(owner));
    case NativeKind::kNumberField:
        return made(new NumberFieldView(owner), parent);
    case NativeKind::kProgressBar:
        return made(new ProgressBarView(owner), parent);
    case NativeKind::kMenuBar:
        if (auto* bar = dynamic_cast<MenuEx*>(&owner))
            return made(new MenuBarView(*bar), parent);
        return made(new ContainerView(owner, kind), parent);
    case NativeKind::kBox:
    case NativeKind::kGroupBox:
    case NativeKind::kStatusBar:
    case NativeKind::kImage:
    case NativeKind::kCustom:
        return made(new ContainerView(owner, kind), parent);
    }
    return nullptr;
}

}  // namespace s::gui::win::native
