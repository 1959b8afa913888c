#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace s::lang {
class Localizer;
}

namespace s::app::win {

// Another process of the same executable, and how it is woken: the second
// start of the application brings the first one's window to the front and
// ends without a window of its own.
class RunningCopy {
public:
    // The private message a running main window wakes up on (WM_USER + 3).
    static constexpr uint32_t kWakeUpMessage = 0x0400 + 3;
    static constexpr uint32_t kSendTimeoutMs = 3000;
    // How long the other process may take to become idle for input before
    // its windows are looked at anyway: a copy that hangs must not hang
    // this start as well.
    static constexpr uint32_t kIdleWaitMs = 3000;

    // One process of a snapshot: its id and its executable's full path
    // (empty when the system would not tell).
    struct Process {
        uint32_t id = 0;
        std::u16string path;
    };

    // The first process of the snapshot, other than ownId, whose path
    // equals executablePath ignoring case; 0 when there is none.
    static uint32_t pickProcess(const std::vector<Process>& snapshot, std::u16string_view executablePath,
                                uint32_t ownId);
    // Letters folded as the string type folds them (ASCII only).
    static bool startsWithIgnoreCase(std::u16string_view text, std::u16string_view prefix);
    static bool equalsIgnoreCase(std::u16string_view a, std::u16string_view b);

    // --- The system's side (RunningCopy_win32.cpp; elsewhere there is no other copy) ---
    // The running processes with their executables' paths, in snapshot order.
    static std::vector<Process> snapshot();
    static uint32_t ownProcessId();
    static std::u16string ownExecutablePath();
    // The first top-level window of the process whose title begins with
    // the prefix, ignoring case (a native handle), or null. Waits first,
    // at most kIdleWaitMs, until the process is idle for input.
    static void* findWindow(uint32_t processId, std::u16string_view titlePrefix);
    // Sends the wake-up message, giving up after kSendTimeoutMs or at once
    // when the window hangs; true when the window answered.
    static bool wake(void* window);

    // The whole look-out at start-up: when another copy runs, its window is
    // looked for by the product name (text textBase) of every language of
    // the pack in pack order, and the first one found is woken. True when
    // another copy runs, found window or not: this start then ends.
    static bool wakeRunningCopy(s::lang::Localizer& localizer, int32_t textBase);
};

}  // namespace s::app::win
