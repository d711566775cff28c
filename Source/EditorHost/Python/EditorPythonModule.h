#pragma once

/**
 * Adds the `editor` module to the interpreter's built-in modules, so that
 * scripts can `import editor`. Must be called before the interpreter starts.
 */
void RegisterEditorPythonModule();
