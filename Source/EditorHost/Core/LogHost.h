#pragma once

#include "Core/Log.h"

/** Messages of the stand-in editor itself (startup, shutdown, its own services). */
DECLARE_LOG_CATEGORY_EXTERN(LogHost, Log, All);
