#pragma once

#include "Core/Log.h"

/** Messages of the editor's UI page: console lines typed there and the page's own notes. */
DECLARE_LOG_CATEGORY_EXTERN(LogEditorUI, Log, All);
