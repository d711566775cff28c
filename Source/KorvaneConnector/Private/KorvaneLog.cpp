#include "KorvaneLog.h"

DEFINE_LOG_CATEGORY(LogKorvane);
