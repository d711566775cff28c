#pragma once

#include <string>

/** One emitter of a Niagara system: the name the system gives it and the emitter asset it uses. */
struct FNiagaraEmitterHandle
{
	std::string Name;
	/** The object path of the emitter asset ("/Game/Effects/Emitters/NE_Embers.NE_Embers"). */
	std::string EmitterPath;
	bool bIsEnabled = true;

	const std::string& GetName() const { return Name; }
	bool GetIsEnabled() const { return bIsEnabled; }
};
