#include "Endpoints/WidgetDeploySteps.h"
#include "Endpoints/WidgetVariableTypes.h"

#include "Blueprints/BlueprintEditorUtils.h"
#include "Core/TextHelpers.h"
#include "Graph/EdGraph.h"
#include "Graph/K2Node_ComponentBoundEvent.h"
#include "Widgets/WidgetBlueprint.h"

namespace
{
	std::string StringFieldOrEmpty(const FJsonObject& Object, std::string_view Key)
	{
		return Object.TryGetStringField(Key).value_or(std::string());
	}

	/** `default` read as any JSON value's text: a number, a boolean or a string; nothing for the rest. */
	std::string DefaultValueText(const FJsonObject& Entry)
	{
		const FJsonValue* const Value = Entry.TryGetField("default");
		return Value != nullptr ? Value->AsText().value_or(std::string()) : std::string();
	}

	bool HasFunctionGraphNamed(const UWidgetBlueprint& Blueprint, std::string_view Name)
	{
		for (const UEdGraph* const Graph : Blueprint.FunctionGraphs)
		{
			if (Graph != nullptr && Text::EqualsIgnoreCase(Graph->GetName(), Name))
			{
				return true;
			}
		}
		return false;
	}
}

std::shared_ptr<FJsonObject> AddRequestedVariables(UWidgetBlueprint& Blueprint, const FJsonValueArray& Variables)
{
	int Added = 0;
	FJsonValueArray Failed;
	for (const FJsonValue& Value : Variables)
	{
		const std::shared_ptr<FJsonObject> Entry = Value.TryGetObject();
		if (!Entry)
		{
			continue;
		}
		const std::string Name = StringFieldOrEmpty(*Entry, "name");
		const std::string Type = StringFieldOrEmpty(*Entry, "type");
		if (Name.empty())
		{
			continue;
		}
		std::optional<FEdGraphPinType> PinType = PinTypeFromTypeName(Type, StringFieldOrEmpty(*Entry, "subType"), StringFieldOrEmpty(*Entry, "subTypePath"));
		if (!PinType)
		{
			Failed.emplace_back(Name + " (unknown type " + Type + ")");
			continue;
		}
		if (Entry->TryGetBoolField("isArray") == true)
		{
			PinType->ContainerType = "Array";
		}
		if (FBlueprintEditorUtils::AddMemberVariable(&Blueprint, Name, *PinType, DefaultValueText(*Entry)))
		{
			++Added;
		}
		else
		{
			Failed.emplace_back(Name);
		}
	}
	auto Step = std::make_shared<FJsonObject>();
	Step->SetStringField("status", Failed.empty() ? "ok" : "partial");
	Step->SetNumberField("added", Added);
	if (!Failed.empty())
	{
		Step->SetArrayField("failed", std::move(Failed));
	}
	return Step;
}

std::shared_ptr<FJsonObject> EnsureRequestedFunctions(UWidgetBlueprint& Blueprint, const FJsonValueArray& Functions)
{
	int Created = 0;
	int Existing = 0;
	for (const FJsonValue& Value : Functions)
	{
		const std::string* const Name = Value.TryGetString();
		if (Name == nullptr || Name->empty())
		{
			continue;
		}
		if (HasFunctionGraphNamed(Blueprint, *Name))
		{
			++Existing;
			continue;
		}
		if (UEdGraph* const Graph = FBlueprintEditorUtils::CreateNewGraph(&Blueprint, *Name))
		{
			FBlueprintEditorUtils::AddUserCreatedFunctionGraph(&Blueprint, Graph);
			++Created;
		}
	}
	auto Step = std::make_shared<FJsonObject>();
	Step->SetStringField("status", "ok");
	Step->SetNumberField("created", Created);
	Step->SetNumberField("existing", Existing);
	return Step;
}

int NameBoundEventHandlers(UWidgetBlueprint& Blueprint)
{
	int Named = 0;
	for (UEdGraph* const Page : Blueprint.UbergraphPages)
	{
		if (Page == nullptr)
		{
			continue;
		}
		for (UEdGraphNode* const Node : Page->GetNodes())
		{
			UK2Node_ComponentBoundEvent* const Bound = Cast<UK2Node_ComponentBoundEvent>(Node);
			if (Bound == nullptr || !Bound->GetCustomFunctionName().empty())
			{
				continue;
			}
			Bound->SetCustomFunctionName("BndEvt__" + Blueprint.GetName() + "_" + Bound->GetComponentPropertyName() + "_" + Bound->GetName() + "_"
				+ Bound->GetDelegatePropertyName());
			++Named;
		}
	}
	return Named;
}
