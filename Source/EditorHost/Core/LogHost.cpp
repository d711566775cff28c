#include "Core/LogHost.h"

DEFINE_LOG_CATEGORY(LogHost);
