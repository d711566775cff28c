#pragma once

#include "Core/Log.h"

DECLARE_LOG_CATEGORY_EXTERN(LogRenderer, Log, All);
