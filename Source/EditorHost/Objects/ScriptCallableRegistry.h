#pragma once

#include "Objects/ScriptCallable.h"

#include <string>
#include <string_view>
#include <vector>

class UClass;

/** A native class whose static functions a plug-in offered to scripts. */
struct FScriptCallableClass
{
	/** "/Script/KorvaneConnector.KorvaneMcpBridge". */
	std::string ClassPath;
	UClass* Class = nullptr;
	/** False once the class was unregistered: its functions are withdrawn from scripts. */
	bool bRegistered = false;
	/** The functions as last registered (empty once unregistered). */
	std::vector<FScriptFunction> Functions;
};

/**
 * The script-callable classes of the process, in the order first registered. The script bindings
 * look functions up here at every call, so a class registered again is seen at once. Game thread
 * only, as registration is.
 */
namespace ScriptCallableRegistry
{
	/** The class with that name without prefix ("KorvaneMcpBridge"), registered now or earlier; nullptr when none. */
	const FScriptCallableClass* FindByName(std::string_view ClassName);
	/** The class at that path, registered now or earlier; nullptr when none. */
	const FScriptCallableClass* FindByPath(std::string_view ClassPath);
	/** The registered function of the class whose script name is FunctionScriptName; nullptr when none. */
	const FScriptFunction* FindFunction(const FScriptCallableClass& Class, std::string_view FunctionScriptName);
	/** The names (without prefix) of every class registered now or earlier. */
	std::vector<std::string> GetClassNames();
}
