#include "Editor/Clipboard.h"

#include <mutex>

namespace
{
	std::mutex ClipboardMutex;
	std::string ClipboardText;
}

void FPlatformApplicationMisc::ClipboardCopy(std::string_view Text)
{
	const std::lock_guard Lock(ClipboardMutex);
	ClipboardText = Text;
}

void FPlatformApplicationMisc::ClipboardPaste(std::string& Dest)
{
	const std::lock_guard Lock(ClipboardMutex);
	Dest = ClipboardText;
}
