#pragma once

#include "Core/Log.h"

/** Every line the connector writes goes to this category. */
DECLARE_LOG_CATEGORY_EXTERN(LogKorvane, Log, All);
