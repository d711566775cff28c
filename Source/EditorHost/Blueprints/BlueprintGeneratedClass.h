#pragma once

#include "Objects/Class.h"
#include "Objects/ObjectPtr.h"
#include "Objects/WeakObjectPtr.h"

#include <string>
#include <string_view>
#include <vector>

class UBlueprint;
class UEdGraph;
struct FEdGraphPinType;

/**
 * The class a Blueprint compiles to: `<Name>_C` in the Blueprint's package, deriving from the
 * Blueprint's parent class, flagged CompiledFromBlueprint, with a property per member variable
 * and a default object `Default__<Name>_C`. Neither is ever saved (both are transient): loading
 * the Blueprint makes them again.
 */
class UBlueprintGeneratedClass : public UClass
{
	DECLARE_ENGINE_CLASS(UBlueprintGeneratedClass, UClass, "/Script/Engine.BlueprintGeneratedClass")

public:
	/** The Blueprint this class was generated from (weak: a Blueprint deleted on its own leaves none). */
	TWeakObjectPtr<UBlueprint> ClassGeneratedBy;

	/** The class default object, made again when it was destroyed and bCreateIfNeeded. */
	UObject* GetDefaultObject(bool bCreateIfNeeded = true) const override;
	/** The names of the Blueprint's function graphs when the class was generated, in order. */
	const std::vector<std::string>& GetFunctionNames() const { return FunctionNames; }

private:
	friend UClass* RegenerateBlueprintClass(UBlueprint& Blueprint);

	/** Gives the class its super class, flags and properties (UClass keeps them private). */
	void SetLayout(UClass* InSuperClass, uint32_t InClassFlags, std::vector<FProperty> InProperties);
	void SetSuperClass(UClass* InSuperClass) { SuperClass = InSuperClass; }

	/** The default object; a reference that reads nullptr once the object is destroyed. */
	mutable TObjectPtr<UObject> ClassDefaultObject;
	std::vector<std::string> FunctionNames;
};

/**
 * Builds the Blueprint's class afresh and sets GeneratedClass. The class it replaces is renamed
 * out of the way and marked as garbage (with its default object), so weak references to it die;
 * loaded Blueprints and classes that derived from it derive from the new one.
 */
UClass* RegenerateBlueprintClass(UBlueprint& Blueprint);

/** The C++ type text of a member variable of that pin type, as the generated class declares its property ("float", "FVector", "TArray<int32>"). */
std::string GetVariableCPPType(const FEdGraphPinType& Type);

/** The Blueprint that generated Class, or nullptr for an engine class. */
UBlueprint* GetBlueprintFromClass(const UClass* Class);

/**
 * The function graph of that name (ignoring case) of the Blueprint that generated Class or,
 * failing that, of the Blueprints of its super classes; nullptr when none has one.
 */
UEdGraph* FindBlueprintFunctionGraph(const UClass* Class, std::string_view FunctionName);
