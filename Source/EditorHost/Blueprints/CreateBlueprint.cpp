#include "Blueprints/KismetEditorUtilities.h"

#include "Assets/AssetRegistry.h"
#include "Blueprints/Blueprint.h"
#include "Blueprints/BlueprintEditorUtils.h"
#include "Blueprints/BlueprintGeneratedClass.h"
#include "Blueprints/SimpleConstructionScript.h"
#include "Core/LogHost.h"
#include "Graph/EdGraph.h"
#include "Objects/ObjectGlobals.h"

namespace
{
	/** Interfaces, deprecated classes and the editor's own Blueprint-less types cannot be derived from. */
	bool CanCreateBlueprintOfClass(const UClass& ParentClass)
	{
		return !ParentClass.HasAnyClassFlags(CLASS_Interface | CLASS_Deprecated) && !ParentClass.IsChildOf(UBlueprint::StaticClass());
	}
}

UBlueprint* FKismetEditorUtilities::CreateBlueprint(UClass* ParentClass, UObject* Outer, std::string_view Name, UClass* BlueprintClass)
{
	if (BlueprintClass == nullptr)
	{
		BlueprintClass = UBlueprint::StaticClass();
	}
	if (ParentClass == nullptr || !CanCreateBlueprintOfClass(*ParentClass) || !BlueprintClass->IsChildOf(UBlueprint::StaticClass()))
	{
		UE_LOG(LogHost, Warning, "Cannot create a Blueprint of %s", ParentClass != nullptr ? ParentClass->GetPathName().c_str() : "no parent class");
		return nullptr;
	}
	UBlueprint* const Blueprint = NewObject<UBlueprint>(Outer, BlueprintClass, Name, RF_Public | RF_Standalone | RF_Transactional);
	if (Blueprint == nullptr)
	{
		return nullptr;
	}
	Blueprint->Status = BS_BeingCreated;
	Blueprint->ParentClass = ParentClass;
	if (UEdGraph* const EventGraph = FBlueprintEditorUtils::CreateNewGraph(Blueprint, "EventGraph"))
	{
		Blueprint->UbergraphPages.push_back(EventGraph);
	}
	if (ParentClass->IsChildOf(FindEngineClassChecked("/Script/Engine.Actor")))
	{
		Blueprint->SimpleConstructionScript = NewObject<USimpleConstructionScript>(Blueprint, "SimpleConstructionScript");
		Blueprint->SimpleConstructionScript->AddNode(Blueprint->SimpleConstructionScript->CreateNode(FindEngineClassChecked("/Script/Engine.SceneComponent"), "DefaultSceneRoot"));
	}
	RegenerateBlueprintClass(*Blueprint);
	Blueprint->Status = BS_Dirty;
	// The registry first heard of the asset before it had a parent class; it lists it again with its tags.
	FAssetRegistryModule::AssetCreated(Blueprint);
	return Blueprint;
}
