#include "platform/Process.h"

#include <windows.h>

#include <cstdlib>

namespace revuro {

void TerminateImmediately(int status) {
    // ExitProcess would still run every DLL's detach code, the media player's included.
    TerminateProcess(GetCurrentProcess(), static_cast<UINT>(status));
    std::_Exit(status);
}

// Windows has no such signal: a write past a quota or the disk's end fails with an error.
void IgnoreFileSizeLimitSignal() {}

}  // namespace revuro
