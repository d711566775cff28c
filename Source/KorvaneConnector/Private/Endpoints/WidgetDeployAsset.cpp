#include "Endpoints/WidgetDeploySteps.h"

#include "Assets/AssetRegistry.h"
#include "Blueprints/BlueprintEditorUtils.h"
#include "Editor/Factories/Factory.h"
#include "Graph/EdGraph.h"
#include "Graph/EdGraphNode.h"
#include "Objects/Class.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/ObjectPropertyBase.h"
#include "Objects/Package.h"
#include "Widgets/UserWidget.h"
#include "Widgets/Widget.h"
#include "Widgets/WidgetBlueprint.h"
#include "Widgets/WidgetTree.h"

namespace
{
	constexpr std::string_view WidgetBlueprintFactoryPath = "/Script/UMGEditor.WidgetBlueprintFactory";
	constexpr std::string_view EditorUtilityWidgetBlueprintFactoryPath = "/Script/Blutility.EditorUtilityWidgetBlueprintFactory";
	constexpr std::string_view EditorUtilityWidgetClassPath = "/Script/Blutility.EditorUtilityWidget";

	UClass* FindOrLoadClass(std::string_view ClassPath)
	{
		if (UClass* const Found = Cast<UClass>(StaticFindObject(UClass::StaticClass(), nullptr, ClassPath)))
		{
			return Found;
		}
		return Cast<UClass>(StaticLoadObject(UClass::StaticClass(), ClassPath));
	}

	/** The parent class the factory's "ParentClass" property is given; nullptr leaves the factory's own. */
	UClass* FactoryParentClass(bool bEditorUtility)
	{
		return bEditorUtility ? Cast<UClass>(StaticFindObject(UClass::StaticClass(), nullptr, EditorUtilityWidgetClassPath)) : UUserWidget::StaticClass();
	}
}

void ClearWidgetBlueprintForOverwrite(UWidgetBlueprint& Blueprint)
{
	for (UEdGraph* const Page : Blueprint.UbergraphPages)
	{
		if (Page == nullptr)
		{
			continue;
		}
		const std::vector<UEdGraphNode*> Nodes = Page->GetNodes();
		for (UEdGraphNode* const Node : Nodes)
		{
			FBlueprintEditorUtils::RemoveNode(&Blueprint, Node, true);
		}
	}
	std::vector<std::string> VariableNames;
	for (const FBPVariableDescription& Variable : Blueprint.NewVariables)
	{
		VariableNames.push_back(Variable.VarName);
	}
	for (const std::string& VariableName : VariableNames)
	{
		FBlueprintEditorUtils::RemoveMemberVariable(&Blueprint, VariableName);
	}
	if (UWidgetTree* const Tree = Blueprint.WidgetTree)
	{
		std::vector<UWidget*> Widgets;
		Tree->GetAllWidgets(Widgets);
		for (UWidget* const Widget : Widgets)
		{
			Widget->Rename(nullptr, GetTransientPackage(), REN_DontCreateRedirectors | REN_NonTransactional);
			// Nothing refers to a widget that left its tree, so the next garbage collection takes
			// it, as the editor's does; otherwise every overwrite would leave a tree behind.
			Widget->MarkAsGarbage();
		}
		Tree->RootWidget = nullptr;
	}
}

FWidgetBlueprintCreation CreateWidgetBlueprintAsset(std::string_view PackagePath, std::string_view Name, bool bEditorUtility)
{
	const std::string_view FactoryClassPath = bEditorUtility ? EditorUtilityWidgetBlueprintFactoryPath : WidgetBlueprintFactoryPath;
	UClass* const FactoryClass = FindOrLoadClass(FactoryClassPath);
	if (FactoryClass == nullptr)
	{
		return {nullptr, "Factory class not found: " + std::string(FactoryClassPath) + " (is the Editor Scripting / Blutility plugin enabled?)"};
	}
	UFactory* const Factory = NewObject<UFactory>(GetTransientPackage(), FactoryClass);
	if (Factory == nullptr)
	{
		return {nullptr, "Factory did not produce a WidgetBlueprint"};
	}
	if (const std::optional<FObjectPropertyBase> ParentClassProperty = FObjectPropertyBase::From(FactoryClass->FindPropertyByName("ParentClass")))
	{
		if (UClass* const Parent = FactoryParentClass(bEditorUtility))
		{
			ParentClassProperty->SetObjectPropertyValue_InContainer(Factory, Parent);
		}
	}
	UPackage* const Package = CreatePackage(PackagePath);
	UObject* const Created = Package != nullptr
		? Factory->FactoryCreateNew(Factory->GetSupportedClass(), Package, Name, RF_Public | RF_Standalone | RF_Transactional, nullptr)
		: nullptr;
	UWidgetBlueprint* const Blueprint = Cast<UWidgetBlueprint>(Created);
	Factory->MarkAsGarbage();
	if (Blueprint == nullptr)
	{
		return {nullptr, "Factory did not produce a WidgetBlueprint"};
	}
	FAssetRegistryModule::AssetCreated(Blueprint);
	Blueprint->MarkPackageDirty();
	return {Blueprint, {}};
}
