#include "Endpoints/BlueprintEndpoints.h"
#include "Endpoints/AnimationJson.h"
#include "Endpoints/GameAssetQuery.h"
#include "KorvaneLog.h"

#include "Blueprints/Blueprint.h"
#include "Blueprints/SimpleConstructionScript.h"
#include "Core/Text.h"
#include "Graph/EdGraph.h"
#include "Graph/EdGraphPinType.h"
#include "Objects/Class.h"
#include "Objects/Enum.h"
#include "Objects/Property.h"

namespace
{
	/** The value of the variable's first tooltip entry; metadata keys compare as names do, ignoring case. */
	const FBPVariableMetaDataEntry* FindTooltipEntry(const FBPVariableDescription& Variable)
	{
		for (const FBPVariableMetaDataEntry& Entry : Variable.MetaDataArray)
		{
			if (Text::EqualsIgnoreCase(Entry.DataKey, FBlueprintMetadata::MD_Tooltip))
			{
				return &Entry;
			}
		}
		return nullptr;
	}

	std::shared_ptr<FJsonObject> MakeVariableJson(const FBPVariableDescription& Variable, const UObject* SubCategoryObject)
	{
		auto Object = std::make_shared<FJsonObject>();
		Object->SetStringField("name", Variable.VarName);
		Object->SetStringField("type", Variable.VarType.PinCategory);
		if (SubCategoryObject != nullptr)
		{
			Object->SetStringField("subType", SubCategoryObject->GetName());
			Object->SetStringField("subTypePath", SubCategoryObject->GetPathName());
		}
		Object->SetBoolField("isArray", Variable.VarType.ContainerType == "Array");
		if (!Variable.DefaultValue.empty())
		{
			Object->SetStringField("defaultValue", Variable.DefaultValue);
		}
		if (!Variable.Category.empty())
		{
			Object->SetStringField("category", Variable.Category);
		}
		if ((Variable.PropertyFlags & CPF_Net) != 0)
		{
			Object->SetBoolField("replicated", true);
			if (const UEnum* const Conditions = StaticEnum<ELifetimeCondition>())
			{
				Object->SetStringField("replicationCondition", Conditions->GetNameStringByValue(Variable.ReplicationCondition));
			}
			if (!Variable.RepNotifyFunc.empty() && Variable.RepNotifyFunc != "None")
			{
				Object->SetStringField("repNotifyFunc", Variable.RepNotifyFunc);
			}
		}
		if ((Variable.PropertyFlags & CPF_ExposeOnSpawn) != 0)
		{
			Object->SetBoolField("exposeOnSpawn", true);
		}
		if (const FBPVariableMetaDataEntry* const Tooltip = FindTooltipEntry(Variable))
		{
			Object->SetStringField("tooltip", Tooltip->DataValue);
		}
		return Object;
	}

	FJsonValueArray GatherVariables(const UBlueprint& Blueprint)
	{
		FJsonValueArray Variables;
		for (const FBPVariableDescription& Variable : Blueprint.NewVariables)
		{
			const UObject* const SubCategoryObject = GetPinSubCategoryObject(Variable.VarType);
			std::shared_ptr<FJsonObject> Object = MakeVariableJson(Variable, SubCategoryObject);
			UE_LOG(LogKorvane, Log, "  Var: %s (%s%s%s)", Variable.VarName.c_str(), Variable.VarType.PinCategory.c_str(),
				SubCategoryObject != nullptr ? (":" + SubCategoryObject->GetName()).c_str() : "", Variable.VarType.ContainerType == "Array" ? " []" : "");
			Variables.emplace_back(std::move(Object));
		}
		return Variables;
	}

	std::shared_ptr<FJsonObject> MakeComponentJson(const USimpleConstructionScript& Script, const USCS_Node& Node)
	{
		auto Object = std::make_shared<FJsonObject>();
		const std::string& Name = Node.GetVariableName();
		Object->SetStringField("name", Name);
		if (Node.ComponentClass == nullptr)
		{
			UE_LOG(LogKorvane, Warning, "  Component: %s \u2014 ComponentClass is NULL!", Name.c_str());
		}
		else
		{
			const std::string ClassPath = Node.ComponentClass->GetPathName();
			Object->SetStringField("class", Node.ComponentClass->GetName());
			Object->SetStringField("classPath", ClassPath);
			UE_LOG(LogKorvane, Log, "  Component: %s \u2014 class=%s classPath=%s", Name.c_str(), Node.ComponentClass->GetName().c_str(), ClassPath.c_str());
		}
		if (Node.ComponentTemplate != nullptr)
		{
			Object->SetStringField("templatePath", Node.ComponentTemplate->GetPathName());
		}
		const USCS_Node* const Parent = Script.FindParentNode(&Node);
		Object->SetStringField("parent", Parent != nullptr ? Parent->GetVariableName() : std::string("root"));
		return Object;
	}

	FJsonValueArray GatherComponents(const UBlueprint& Blueprint)
	{
		FJsonValueArray Components;
		const USimpleConstructionScript* const Script = Blueprint.SimpleConstructionScript;
		if (Script == nullptr)
		{
			UE_LOG(LogKorvane, Warning, "SimpleConstructionScript is NULL \u2014 no components will be gathered");
			return Components;
		}
		const std::vector<USCS_Node*> Nodes = Script->GetAllNodes();
		UE_LOG(LogKorvane, Log, "Gathering %d components from SCS...", static_cast<int>(Nodes.size()));
		for (const USCS_Node* const Node : Nodes)
		{
			if (Node != nullptr)
			{
				Components.emplace_back(MakeComponentJson(*Script, *Node));
			}
		}
		return Components;
	}

	/** Adds each non-null graph under its name and returns the first name added. */
	std::string AddGraphExports(FJsonObject& Graphs, const std::vector<UEdGraph*>& List, std::string_view Kind, FJsonValueArray* OutNames)
	{
		std::string FirstName;
		for (const UEdGraph* const Graph : List)
		{
			if (Graph == nullptr)
			{
				continue;
			}
			const std::string& Name = Graph->GetName();
			if (FirstName.empty())
			{
				FirstName = Name;
			}
			Graphs.SetObjectField(Name, ExportGraph(*Graph, Kind));
			if (OutNames != nullptr)
			{
				OutNames->emplace_back(Name);
			}
		}
		return FirstName;
	}
}

std::shared_ptr<FJsonObject> GatherBlueprint(const UBlueprint* Blueprint)
{
	auto Gathered = std::make_shared<FJsonObject>();
	if (Blueprint == nullptr)
	{
		return Gathered;
	}
	const std::string& Name = Blueprint->GetName();
	Gathered->SetStringField("name", Name);
	Gathered->SetStringField("blueprintName", Name);
	Gathered->SetStringField("path", Blueprint->GetPathName());
	Gathered->SetStringField("parentClass", Blueprint->ParentClass != nullptr ? Blueprint->ParentClass->GetName() : std::string("Actor"));

	FJsonValueArray Variables = GatherVariables(*Blueprint);
	const std::size_t VariableCount = Variables.size();
	Gathered->SetArrayField("variables", std::move(Variables));

	FJsonValueArray Components = GatherComponents(*Blueprint);
	const std::size_t ComponentCount = Components.size();
	Gathered->SetArrayField("components", std::move(Components));

	auto Graphs = std::make_shared<FJsonObject>();
	FJsonValueArray Functions;
	std::string ActiveGraph = AddGraphExports(*Graphs, Blueprint->UbergraphPages, "event", nullptr);
	const std::string FirstFunctionGraph = AddGraphExports(*Graphs, Blueprint->FunctionGraphs, "function", &Functions);
	if (ActiveGraph.empty())
	{
		ActiveGraph = FirstFunctionGraph;
	}
	const std::size_t GraphCount = Graphs->Num();
	Gathered->SetObjectField("graphs", std::move(Graphs));
	Gathered->SetArrayField("functions", std::move(Functions));
	Gathered->SetStringField("activeGraph", ActiveGraph.empty() ? std::string("EventGraph") : ActiveGraph);
	Gathered->SetArrayField("bucket", FJsonValueArray());

	UE_LOG(LogKorvane, Log, "Gathered Blueprint data for '%s': %d vars, %d components, %d graphs", Name.c_str(), static_cast<int>(VariableCount),
		static_cast<int>(ComponentCount), static_cast<int>(GraphCount));
	return Gathered;
}

std::shared_ptr<FJsonObject> ListBlueprints()
{
	FJsonValueArray Blueprints;
	for (const FAssetData& Asset : GetGameAssetsOfClass("/Script/Engine", "Blueprint", true))
	{
		std::shared_ptr<FJsonObject> Entry = MakeAssetListEntry(Asset);
		Entry->SetStringField("class", Asset.AssetClassPath.ToString());
		SetRegistryTagField(*Entry, Asset, "ParentClass", "parentClass");
		Entry->SetStringField("packagePath", Asset.PackagePath);
		Blueprints.emplace_back(std::move(Entry));
	}
	return MakeListResponse("blueprints", std::move(Blueprints));
}
