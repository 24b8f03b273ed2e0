#include "platform/Process.h"

#include <cstdlib>

namespace revuro {

void TerminateImmediately(int status) { std::_Exit(status); }

}  // namespace revuro
