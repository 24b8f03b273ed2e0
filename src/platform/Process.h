#pragma once

namespace revuro {

// Ends the process at once: no window's close handling, no destructors, no atexit handlers.
[[noreturn]] void TerminateImmediately(int status);

}  // namespace revuro
