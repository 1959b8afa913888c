#pragma once
#include <cstdint>

namespace s::image::gui::dialogs::pellory {

// Names of the status events a run reports.
inline constexpr char kProcessStatusStart[] = "ProcessStatusStart";
inline constexpr char kProcessStatusUpdate[] = "ProcessStatusUpdate";
inline constexpr char kProcessStatusEnd[] = "ProcessStatusEnd";

// Where a conversion run reports its progress. The call is synchronous: the
// run goes on only after the sink has handled the event (the window handles
// it on its own thread; the console prints it).
class IStatusSink {
public:
    virtual ~IStatusSink() = default;
    virtual void sendEvent(const char* name, int32_t first, int32_t second, const char16_t* text) = 0;
};

}  // namespace s::image::gui::dialogs::pellory
