#include "platform/Process.h"

#include <csignal>
#include <cstdlib>

namespace revuro {

void TerminateImmediately(int status) { std::_Exit(status); }

void IgnoreFileSizeLimitSignal() { std::signal(SIGXFSZ, SIG_IGN); }

}  // namespace revuro
