#include "Editor/EditorEngine.h"

UEditorEngine* GEditor = nullptr;
