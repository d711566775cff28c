#include "Blueprints/ConstructionScriptJson.h"

#include "Blueprints/BlueprintNames.h"
#include "Blueprints/SimpleConstructionScript.h"
#include "Core/JsonObject.h"
#include "Core/Text.h"
#include "Objects/ClassDatabase.h"
#include "Objects/PropertyValues.h"

#include <algorithm>

namespace
{
	using FPropertyValues = std::vector<std::pair<std::string, std::string>>;

	/** The entry's `properties`: property name to export text; a value that is not text is left out. */
	FPropertyValues ReadPropertyValues(const FJsonObject& Entry, const std::string& Name, std::vector<std::string>& OutWarnings)
	{
		FPropertyValues Values;
		const FJsonValue* const Field = Entry.TryGetField("properties");
		if (Field == nullptr)
		{
			return Values;
		}
		const std::shared_ptr<FJsonObject> Properties = Field->TryGetObject();
		if (!Properties)
		{
			OutWarnings.push_back("component " + Name + ": \"properties\" is not an object");
			return Values;
		}
		for (const FJsonObject::FMember& Member : Properties->Values())
		{
			if (const std::string* const Text = Member.second.TryGetString())
			{
				Values.emplace_back(Member.first, *Text);
			}
			else
			{
				OutWarnings.push_back("component " + Name + ": the value of " + Member.first + " is not text");
			}
		}
		return Values;
	}

	/** A node read so far and the parent name its entry gave; the nodes join the script's tree once all are read. */
	struct FReadNode
	{
		USCS_Node* Node;
		std::string ParentName;
	};

	USCS_Node* FindReadNode(const std::vector<FReadNode>& Read, std::string_view Name)
	{
		const auto Found = std::find_if(Read.begin(), Read.end(), [Name](const FReadNode& Entry) { return Text::EqualsIgnoreCase(Entry.Node->GetVariableName(), Name); });
		return Found == Read.end() ? nullptr : Found->Node;
	}

	/** Makes the node of one entry, not yet in the tree; nullptr when the entry cannot be one. */
	USCS_Node* ReadNode(USimpleConstructionScript& Script, const FJsonObject& Entry, const std::vector<FReadNode>& Read, std::vector<std::string>& OutWarnings)
	{
		const std::optional<std::string> Name = Entry.TryGetStringField("name");
		if (!Name || !IsValidBlueprintMemberName(*Name))
		{
			OutWarnings.push_back("a component needs a \"name\" without '.', ':' or '/'");
			return nullptr;
		}
		if (Script.FindSCSNode(*Name) != nullptr || FindReadNode(Read, *Name) != nullptr)
		{
			OutWarnings.push_back("component " + *Name + " is listed twice");
			return nullptr;
		}
		const std::string ClassPath = Entry.TryGetStringField("class").value_or(std::string());
		UClass* Class = FClassDatabase::Get().FindClass(ClassPath);
		if (Class != nullptr && (!Class->IsChildOf(FindEngineClassChecked("/Script/Engine.ActorComponent")) || Class->HasAnyClassFlags(CLASS_Abstract)))
		{
			Class = nullptr;
		}
		USCS_Node* const Node = Script.CreateNode(Class, *Name);
		if (Node == nullptr)
		{
			OutWarnings.push_back("component " + *Name + " cannot be made");
			return nullptr;
		}
		FPropertyValues Values = ReadPropertyValues(Entry, *Name, OutWarnings);
		if (Node->ComponentTemplate == nullptr)
		{
			OutWarnings.push_back("component " + *Name + ": \"" + ClassPath + "\" is not a component class known here; it is kept as written");
			Node->MissingComponentClassPath = ClassPath;
			Node->MissingClassPropertyValues = std::move(Values);
			return Node;
		}
		for (const auto& [Property, Value] : Values)
		{
			if (!SetPropertyValueText(*Node->ComponentTemplate, Property, Value))
			{
				OutWarnings.push_back("component " + *Name + ": " + Class->GetName() + " has no property " + Property);
			}
		}
		return Node;
	}
}

FJsonValueArray ConstructionScriptToJson(const USimpleConstructionScript& Script)
{
	FJsonValueArray Components;
	for (const USCS_Node* const Node : Script.GetAllNodes())
	{
		auto Entry = std::make_shared<FJsonObject>();
		Entry->SetStringField("name", Node->GetVariableName());
		if (Node->ComponentClass != nullptr)
		{
			Entry->SetStringField("class", Node->ComponentClass->GetPathName());
		}
		else if (!Node->MissingComponentClassPath.empty())
		{
			Entry->SetStringField("class", Node->MissingComponentClassPath);
		}
		if (const USCS_Node* const Parent = Script.FindParentNode(Node))
		{
			Entry->SetStringField("parent", Parent->GetVariableName());
		}
		const FPropertyValues Values = Node->ComponentTemplate != nullptr ? GetChangedPropertyValues(*Node->ComponentTemplate) : Node->MissingClassPropertyValues;
		if (!Values.empty())
		{
			auto Properties = std::make_shared<FJsonObject>();
			for (const auto& [Property, Value] : Values)
			{
				Properties->SetStringField(Property, Value);
			}
			Entry->SetObjectField("properties", std::move(Properties));
		}
		Components.emplace_back(std::move(Entry));
	}
	return Components;
}

void ConstructionScriptFromJson(USimpleConstructionScript& Script, const FJsonValueArray& Components, std::vector<std::string>& OutWarnings)
{
	std::vector<FReadNode> Read;
	for (const FJsonValue& Value : Components)
	{
		const std::shared_ptr<FJsonObject> Entry = Value.TryGetObject();
		if (!Entry)
		{
			OutWarnings.push_back("a component is not an object");
			continue;
		}
		if (USCS_Node* const Node = ReadNode(Script, *Entry, Read, OutWarnings))
		{
			Read.push_back({Node, Entry->TryGetStringField("parent").value_or(std::string())});
		}
	}
	// Children are linked first and roots added after, so the script lists every parent before its children.
	std::vector<USCS_Node*> Roots;
	for (const auto& [Node, ParentName] : Read)
	{
		USCS_Node* const Parent = ParentName.empty() ? nullptr : FindReadNode(Read, ParentName);
		if (Parent == nullptr)
		{
			if (!ParentName.empty())
			{
				OutWarnings.push_back("component " + Node->GetVariableName() + ": its parent " + ParentName + " is not a component of the Blueprint; it becomes a root");
			}
			Roots.push_back(Node);
			continue;
		}
		Parent->AddChildNode(Node);
		const std::vector<USCS_Node*>& Children = Parent->GetChildNodes();
		if (std::find(Children.begin(), Children.end(), Node) == Children.end())
		{
			OutWarnings.push_back("component " + Node->GetVariableName() + ": attaching it to " + ParentName + " would make a loop; it becomes a root");
			Roots.push_back(Node);
		}
	}
	for (USCS_Node* const Root : Roots)
	{
		Script.AddNode(Root);
	}
}
