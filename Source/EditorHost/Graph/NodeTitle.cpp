#include "Graph/NodeTitle.h"

#include "Graph/CopyPasteTextValue.h"
#include "Graph/EdGraphNode.h"
#include "Graph/K2NodeProperties.h"
#include "Graph/NodeTitleNames.h"
#include "Objects/ClassDatabase.h"
#include "Objects/Function.h"

#include <optional>
#include <string_view>

namespace
{
	std::string_view NodeClassName(const UEdGraphNode& Node)
	{
		const std::string_view Path = Node.NodeClassPath;
		const std::size_t Dot = Path.rfind('.');
		return Dot == std::string_view::npos ? Path : Path.substr(Dot + 1);
	}

	/** A property of the pasted node as a value tree. */
	std::optional<FCopyPasteValue> NodeProperty(const UEdGraphNode& Node, std::string_view Name)
	{
		const FCopyPasteProperty* Property = Node.KeptObject.FindProperty(Name);
		return Property != nullptr ? std::optional(ParseCopyPasteValue(Property->Value)) : std::nullopt;
	}

	std::string PlainProperty(const UEdGraphNode& Node, std::string_view Name)
	{
		const std::optional<FCopyPasteValue> Value = NodeProperty(Node, Name);
		return Value ? Value->AsPlainText() : std::string();
	}

	/** A field of a node property that is a `(Key=Value,...)` list, such as MacroGraphReference's MacroGraph. */
	std::string ListField(const UEdGraphNode& Node, std::string_view PropertyName, std::string_view Field)
	{
		const std::optional<FCopyPasteValue> Value = NodeProperty(Node, PropertyName);
		const FCopyPasteValue* Item = Value ? Value->Find(Field) : nullptr;
		return Item != nullptr ? Item->AsPlainText() : std::string();
	}

	/** The function a member reference names: on MemberParent's class, else on the first class that declares it. */
	const UFunction* FindReferencedFunction(const FMemberReference& Reference)
	{
		const FClassDatabase& Database = FClassDatabase::Get();
		if (!ReferencedObjectPath(Reference.MemberParent).empty())
		{
			return Database.FindFunction(Reference.GetMemberParentClass(), Reference.MemberName);
		}
		for (const UClass* Class : Database.GetClasses())
		{
			if (const UFunction* Function = Database.FindFunction(Class, Reference.MemberName))
			{
				return Function;
			}
		}
		return nullptr;
	}

	/**
	 * The editor's user-facing name of the function a member reference (as written) names:
	 * DisplayName metadata, else the name split into words; empty when the text is no reference.
	 */
	std::string FunctionDisplayName(std::string_view WrittenReference)
	{
		const std::optional<FMemberReference> Reference = ParseMemberReference(WrittenReference);
		if (!Reference)
		{
			return std::string();
		}
		const UFunction* Function = FindReferencedFunction(*Reference);
		if (Function != nullptr && Function->HasMetaData("DisplayName"))
		{
			return Function->GetMetaData("DisplayName");
		}
		return NameToDisplayString(Reference->MemberName);
	}

	std::string MemberName(const std::optional<FMemberReference>& Reference)
	{
		return Reference ? Reference->MemberName : std::string();
	}

	/** A class named by a reference, as the editor shows it: a blueprint class without its _C. */
	std::string ClassDisplayName(std::string_view Reference)
	{
		std::string Name = ReferencedObjectName(Reference);
		if (Name.ends_with("_C"))
		{
			Name.resize(Name.size() - 2);
		}
		return Name;
	}
}

std::string GetNodeTitle(const UEdGraphNode& Node, ENodeTitleType TitleType)
{
	return FNodeTitleCache().GetNodeTitle(Node, TitleType);
}

std::string FNodeTitleCache::GetNodeTitle(const UEdGraphNode& Node, ENodeTitleType TitleType)
{
	const bool bFull = TitleType == ENodeTitleType::FullTitle;
	const std::string_view ClassName = NodeClassName(Node);
	if (ClassName == "EdGraphNode_Comment")
	{
		return Node.NodeComment;
	}
	if (!ClassName.starts_with("K2Node_"))
	{
		return std::string(ClassName);
	}
	const std::string_view Kind = ClassName.substr(std::string_view("K2Node_").size());
	const auto ReferencedFunctionName = [this, &Node](std::string_view ReferenceProperty) {
		const FCopyPasteProperty* const Property = Node.KeptObject.FindProperty(ReferenceProperty);
		return Property != nullptr ? CachedFunctionDisplayName(Property->Value) : std::string();
	};
	if (Kind == "CallFunction" || Kind == "CallArrayFunction")
	{
		return ReferencedFunctionName("FunctionReference");
	}
	if (Kind == "Event")
	{
		return "Event " + ReferencedFunctionName("EventReference");
	}
	if (Kind == "CustomEvent")
	{
		const std::string Name = GetCustomFunctionName(Node);
		return bFull ? Name + "\nCustom Event" : Name;
	}
	if (Kind == "VariableGet")
	{
		const std::string Name = MemberName(GetVariableReference(Node));
		return bFull ? Name : "Get " + Name;
	}
	if (Kind == "VariableSet")
	{
		return bFull ? std::string("SET") : "Set " + MemberName(GetVariableReference(Node));
	}
	if (Kind == "FunctionEntry")
	{
		return MemberName(GetFunctionReference(Node));
	}
	if (Kind == "FunctionResult")
	{
		return "Return Node";
	}
	if (Kind == "IfThenElse")
	{
		return "Branch";
	}
	if (Kind == "ExecutionSequence")
	{
		return "Sequence";
	}
	if (Kind == "SwitchInteger")
	{
		return "Switch on Int";
	}
	if (Kind == "SwitchEnum")
	{
		return "Switch on " + ReferencedObjectName(PlainProperty(Node, "Enum"));
	}
	if (Kind == "DynamicCast")
	{
		return "Cast To " + ClassDisplayName(PlainProperty(Node, "TargetType"));
	}
	if (Kind == "MakeStruct" || Kind == "BreakStruct")
	{
		return (Kind == "MakeStruct" ? "Make " : "Break ") + ReferencedObjectName(PlainProperty(Node, "StructType"));
	}
	if (Kind == "MacroInstance")
	{
		return ReferencedObjectName(ListField(Node, "MacroGraphReference", "MacroGraph"));
	}
	if (Kind == "Timeline")
	{
		return PlainProperty(Node, "TimelineName");
	}
	if (Kind == "InputKey")
	{
		return PlainProperty(Node, "InputKey");
	}
	if (Kind == "CreateWidget")
	{
		return "Create Widget";
	}
	return std::string(Kind);
}

const std::string& FNodeTitleCache::CachedFunctionDisplayName(std::string_view WrittenReference)
{
	auto Found = FunctionDisplayNames.find(WrittenReference);
	if (Found == FunctionDisplayNames.end())
	{
		Found = FunctionDisplayNames.emplace(std::string(WrittenReference), FunctionDisplayName(WrittenReference)).first;
	}
	return Found->second;
}
