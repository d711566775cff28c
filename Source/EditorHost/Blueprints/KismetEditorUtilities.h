#pragma once

#include <cstdint>
#include <string_view>

class UBlueprint;
class UClass;
class UObject;
struct FCompilerResultsLog;

/** Options of a Blueprint compile, with the editor's values. */
enum class EBlueprintCompileOptions : uint32_t
{
	None = 0x0,
	SkipGarbageCollection = 0x1,
	SkipSave = 0x2,
	SkipDefaultObjectValidation = 0x4,
	SkipFiBSearchMetaUpdate = 0x8,
	UseDeltaSerializationDuringReinstancing = 0x10,
	SkipNewVariableDefaultsDetection = 0x20,
};

namespace FKismetEditorUtilities
{
	/**
	 * A new Blueprint named Name inside Outer (a package), deriving from ParentClass, with an
	 * event graph page "EventGraph" and, for actor parents, a construction script with a
	 * DefaultSceneRoot; of class BlueprintClass (Blueprint when nullptr). nullptr when the parent
	 * cannot be derived from.
	 */
	UBlueprint* CreateBlueprint(UClass* ParentClass, UObject* Outer, std::string_view Name, UClass* BlueprintClass = nullptr);

	/**
	 * Checks every graph of the Blueprint, regenerates its class and default object, stores the
	 * messages in LastCompileResults (and in Results when given) and sets Status: UpToDate,
	 * UpToDateWithWarnings or Error.
	 */
	void CompileBlueprint(UBlueprint* Blueprint, EBlueprintCompileOptions Options = EBlueprintCompileOptions::None, FCompilerResultsLog* Results = nullptr);
}
