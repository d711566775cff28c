#pragma once

#include <string>
#include <string_view>

/**
 * The system clipboard as the editor reaches it. This host runs without a
 * desktop, so the clipboard is the process's own: text put on it is what the
 * next paste reads. Safe to call from any thread.
 */
class FPlatformApplicationMisc
{
public:
	static void ClipboardCopy(std::string_view Text);
	static void ClipboardPaste(std::string& Dest);
};
