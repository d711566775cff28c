#include "Python/LogPython.h"

DEFINE_LOG_CATEGORY(LogPython);
