#include "Runtime/RemoteControlModule.h"

#include "Core/LogHost.h"

void FRemoteControlModule::StartupModule()
{
	UE_LOG(LogHost, Log, "Remote Control API available on the editor's HTTP port 30010.");
}
