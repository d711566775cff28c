#include "EditorUI/EditorUILog.h"

DEFINE_LOG_CATEGORY(LogEditorUI);
