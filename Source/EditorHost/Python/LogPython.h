#pragma once

#include "Core/Log.h"

/** What Python writes: print() and standard error, errors and tracebacks, the editor module's log functions. */
DECLARE_LOG_CATEGORY_EXTERN(LogPython, Log, All);
