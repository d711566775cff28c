#pragma once

#include <functional>

/** The threads a task can be sent to. The host runs everything on its game thread. */
enum class ENamedThreads
{
	GameThread
};

/** Runs the task later on the named thread; callable from any thread. */
void AsyncTask(ENamedThreads Thread, std::function<void()> Task);
/** True on the game thread of the running host. */
bool IsInGameThread();
