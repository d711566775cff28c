#include "Runtime/Async.h"

#include "Runtime/EditorHost.h"

#include <cassert>

void AsyncTask(ENamedThreads, std::function<void()> Task)
{
	FEditorHost* Host = FEditorHost::Get();
	assert(Host != nullptr && "no editor host is running");
	Host->GetGameThread().Post(std::move(Task));
}

bool IsInGameThread()
{
	FEditorHost* Host = FEditorHost::Get();
	return Host != nullptr && Host->GetGameThread().IsInGameThread();
}
