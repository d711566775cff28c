#include "Endpoints/WidgetChangedProperties.h"
#include "Endpoints/WidgetEndpoints.h"
#include "Endpoints/WidgetVariableTypes.h"
#include "KorvaneLog.h"
#include "RequestConventions.h"

#include "Core/TextHelpers.h"
#include "Graph/EdGraph.h"
#include "Graph/EdGraphCopyPaste.h"
#include "Graph/EdGraphNode.h"
#include "Objects/Class.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/PropertyValues.h"
#include "Objects/Vector2DPropertyValue.h"
#include "Widgets/Widget.h"
#include "Widgets/WidgetAnimation.h"
#include "Widgets/WidgetBlueprint.h"
#include "Widgets/WidgetTree.h"

namespace
{
	std::shared_ptr<FJsonObject> ReadDesignSize(const UWidgetBlueprint& Blueprint)
	{
		const UObject* const DefaultObject = Blueprint.GeneratedClass != nullptr ? Blueprint.GeneratedClass->GetDefaultObject(true) : nullptr;
		if (DefaultObject == nullptr)
		{
			return nullptr;
		}
		const FProperty* const SizeProperty = DefaultObject->GetClass()->FindPropertyByName("DesignTimeSize");
		const FProperty* const ModeProperty = DefaultObject->GetClass()->FindPropertyByName("DesignSizeMode");
		if (SizeProperty == nullptr && ModeProperty == nullptr)
		{
			return nullptr;
		}
		auto DesignSize = std::make_shared<FJsonObject>();
		if (SizeProperty != nullptr)
		{
			const FVector2D Size = GetVector2DPropertyValue(*DefaultObject, *SizeProperty).value_or(FVector2D{});
			DesignSize->SetNumberField("x", Size.X);
			DesignSize->SetNumberField("y", Size.Y);
		}
		if (ModeProperty != nullptr)
		{
			DesignSize->SetStringField("mode", GetPropertyValueText(*DefaultObject, ModeProperty->GetName()).value_or(std::string()));
		}
		return DesignSize;
	}

	std::shared_ptr<FJsonObject> MakeVariableEntry(const FBPVariableDescription& Variable)
	{
		auto Entry = std::make_shared<FJsonObject>();
		const FVariableTypeName TypeName = TypeNameFromPinType(Variable.VarType);
		Entry->SetStringField("name", Variable.VarName);
		Entry->SetStringField("type", TypeName.Type);
		if (!TypeName.SubType.empty())
		{
			Entry->SetStringField("subType", TypeName.SubType);
		}
		if (const UObject* const SubTypeObject = GetPinSubCategoryObject(Variable.VarType))
		{
			Entry->SetStringField("subTypePath", SubTypeObject->GetPathName());
		}
		if (Variable.VarType.IsArray())
		{
			Entry->SetBoolField("isArray", true);
		}
		if (!Variable.DefaultValue.empty())
		{
			Entry->SetStringField("default", Variable.DefaultValue);
		}
		return Entry;
	}

	std::shared_ptr<FJsonObject> MakeAnimationEntry(const UWidgetAnimation& Animation)
	{
		std::string Name = Animation.GetName();
		if (Text::EndsWithIgnoreCase(Name, "_INST"))
		{
			Name.resize(Name.size() - 5);
		}
		auto Entry = std::make_shared<FJsonObject>();
		Entry->SetStringField("name", Name);
		Entry->SetStringField("type", "object");
		Entry->SetStringField("subType", "WidgetAnimation");
		Entry->SetStringField("subTypePath", "/Script/UMG.WidgetAnimation");
		Entry->SetBoolField("isAnimation", true);
		return Entry;
	}

	/** The graph's copy-paste text without the editor's automatically placed ghost nodes; empty when nothing is left. */
	std::string ExportGraphText(const UEdGraph& Graph)
	{
		std::vector<const UEdGraphNode*> Nodes;
		for (const UEdGraphNode* const Node : Graph.GetNodes())
		{
			if (Node != nullptr && !Node->IsAutomaticallyPlacedGhostNode())
			{
				Nodes.push_back(Node);
			}
		}
		return Nodes.empty() ? std::string() : ExportNodesToText(Nodes);
	}
}

std::shared_ptr<FJsonObject> ReadWidget(const std::string& BodyText)
{
	const std::shared_ptr<FJsonObject> Body = ParseJsonBody(BodyText);
	if (!Body)
	{
		return MakeFailureResponse(InvalidJsonBodyMessage);
	}
	const std::string BlueprintPath = Body->TryGetStringField("blueprintPath").value_or(std::string());
	if (BlueprintPath.empty())
	{
		return MakeFailureResponse("blueprintPath is required");
	}
	const UWidgetBlueprint* const Blueprint = Cast<UWidgetBlueprint>(StaticLoadObject(UBlueprint::StaticClass(), BlueprintPath));
	if (Blueprint == nullptr)
	{
		return MakeFailureResponse("No Widget Blueprint at " + BlueprintPath);
	}

	auto Response = std::make_shared<FJsonObject>();
	Response->SetBoolField("success", true);
	Response->SetStringField("name", Blueprint->GetName());
	Response->SetStringField("blueprintPath", BlueprintPath);
	const bool bEditorUtility = Text::FindIgnoreCase(Blueprint->GetClass()->GetName(), "EditorUtilityWidgetBlueprint").has_value();
	Response->SetStringField("widgetType", bEditorUtility ? "EditorUtilityWidget" : "UserWidget");
	if (std::shared_ptr<FJsonObject> DesignSize = ReadDesignSize(*Blueprint))
	{
		Response->SetObjectField("designSize", std::move(DesignSize));
	}
	const UWidgetTree* const Tree = Blueprint->WidgetTree;
	if (Tree != nullptr && Tree->RootWidget != nullptr)
	{
		Response->SetObjectField("hierarchy", ExportWidgetNode(*Tree->RootWidget));
	}

	FJsonValueArray Variables;
	for (const FBPVariableDescription& Variable : Blueprint->NewVariables)
	{
		Variables.emplace_back(MakeVariableEntry(Variable));
	}
	for (const UWidgetAnimation* const Animation : Blueprint->Animations)
	{
		if (Animation != nullptr)
		{
			Variables.emplace_back(MakeAnimationEntry(*Animation));
		}
	}
	Response->SetArrayField("variables", std::move(Variables));

	auto Graphs = std::make_shared<FJsonObject>();
	FJsonValueArray FunctionGraphNames;
	const auto AddGraph = [&Graphs, &FunctionGraphNames](const UEdGraph* Graph, bool bFunction) {
		const std::string Text = Graph != nullptr ? ExportGraphText(*Graph) : std::string();
		if (Text.empty())
		{
			return;
		}
		Graphs->SetStringField(Graph->GetName(), Text);
		if (bFunction)
		{
			FunctionGraphNames.emplace_back(Graph->GetName());
		}
	};
	for (const UEdGraph* const Page : Blueprint->UbergraphPages)
	{
		AddGraph(Page, false);
	}
	for (const UEdGraph* const Function : Blueprint->FunctionGraphs)
	{
		AddGraph(Function, true);
	}
	Response->SetObjectField("graphs", std::move(Graphs));
	Response->SetArrayField("functionGraphs", std::move(FunctionGraphNames));
	UE_LOG(LogKorvane, Log, "Widget read complete: %s", BlueprintPath.c_str());
	return Response;
}
