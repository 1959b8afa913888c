#include "gui/IWindowHost.h"

namespace s::gui {

// The native build has no window system: portable callers see no host and
// run without windows.
std::unique_ptr<IWindowHost> makeWindowHost() { return nullptr; }

}  // namespace s::gui
