#pragma once

namespace revuro {

// Ends the process at once: no window's close handling, no destructors, no atexit handlers.
[[noreturn]] void TerminateImmediately(int status);

// A write past the user's file-size limit then fails with an error the caller reports, instead
// of the system ending the process in the middle of a save.
void IgnoreFileSizeLimitSignal();

}  // namespace revuro
