#include "Endpoints/BlueprintEndpoints.h"
#include "Endpoints/BlueprintNodeClasses.h"
#include "KorvaneLog.h"

#include "Core/Text.h"
#include "Graph/EdGraph.h"
#include "Graph/EdGraphCopyPaste.h"
#include "Graph/EdGraphNode.h"
#include "Graph/EdGraphPinType.h"
#include "Graph/K2NodeProperties.h"
#include "Graph/NodeTitle.h"
#include "Objects/Class.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <unordered_map>

namespace
{
	struct FGuidHash
	{
		std::size_t operator()(const FGuid& Guid) const
		{
			return std::hash<uint64_t>()((uint64_t(Guid.A) << 32 | Guid.B) ^ (uint64_t(Guid.C) << 32 | Guid.D));
		}
	};

	/** The `id` text of every exported node, by its GUID. */
	using FExportedNodeIds = std::unordered_map<FGuid, std::string, FGuidHash>;

	std::string GuidText(const FGuid& Guid)
	{
		return Guid.ToString(EGuidFormats::DigitsWithHyphens);
	}

	/** A colour channel as a byte: times 255, cut toward zero, held to 0..255. */
	int ColorChannelByte(float Channel)
	{
		const double Scaled = std::trunc(static_cast<double>(Channel) * 255.0);
		if (!(Scaled > 0.0))
		{
			return 0;
		}
		return Scaled > 255.0 ? 255 : static_cast<int>(Scaled);
	}

	std::string CommentColorText(const FLinearColor& Color)
	{
		char Buffer[8];
		std::snprintf(Buffer, sizeof(Buffer), "#%02X%02X%02X", ColorChannelByte(Color.R), ColorChannelByte(Color.G), ColorChannelByte(Color.B));
		return Buffer;
	}

	std::shared_ptr<FJsonObject> MakeCommentJson(const UEdGraphNode& Comment)
	{
		auto Object = std::make_shared<FJsonObject>();
		Object->SetStringField("id", GuidText(Comment.NodeGuid));
		Object->SetStringField("text", Comment.NodeComment);
		Object->SetNumberField("x", Comment.NodePosX);
		Object->SetNumberField("y", Comment.NodePosY);
		Object->SetNumberField("width", Comment.NodeWidth);
		Object->SetNumberField("height", Comment.NodeHeight);
		Object->SetStringField("color", CommentColorText(GetCommentColor(Comment)));
		return Object;
	}

	std::shared_ptr<FJsonObject> MakeSocketJson(const UEdGraphPin& Pin)
	{
		auto Socket = std::make_shared<FJsonObject>();
		Socket->SetStringField("id", Pin.PinName);
		Socket->SetStringField("name", Pin.GetDisplayName());
		Socket->SetStringField("socket_type", Pin.PinType.PinCategory);
		if (const UObject* const SubCategoryObject = GetPinSubCategoryObject(Pin.PinType))
		{
			Socket->SetStringField("sub_type", SubCategoryObject->GetName());
		}
		if (Pin.Direction == EEdGraphPinDirection::Input && Pin.GetLinkedTo().empty() && Pin.DefaultValue && !Pin.DefaultValue->empty())
		{
			Socket->SetStringField("default", *Pin.DefaultValue);
		}
		return Socket;
	}

	std::shared_ptr<FJsonObject> MakeNodeJson(const UEdGraphNode& Node, const std::string& Id)
	{
		auto Object = std::make_shared<FJsonObject>();
		Object->SetStringField("id", Id);
		Object->SetStringField("type", Node.GetClass()->GetName());
		Object->SetStringField("title", GetNodeTitle(Node, ENodeTitleType::FullTitle));
		Object->SetStringField("label", GetNodeTitle(Node, ENodeTitleType::ListView));
		Object->SetStringField("category", GetNodeCategory(Node));
		auto Position = std::make_shared<FJsonObject>();
		Position->SetNumberField("x", Node.NodePosX);
		Position->SetNumberField("y", Node.NodePosY);
		Object->SetObjectField("position", std::move(Position));

		FJsonValueArray Inputs;
		FJsonValueArray Outputs;
		for (const auto& Pin : Node.GetPins())
		{
			if (Pin == nullptr || Pin->bHidden)
			{
				continue;
			}
			(Pin->Direction == EEdGraphPinDirection::Input ? Inputs : Outputs).emplace_back(MakeSocketJson(*Pin));
		}
		Object->SetArrayField("inputs", std::move(Inputs));
		Object->SetArrayField("outputs", std::move(Outputs));
		return Object;
	}

	std::shared_ptr<FJsonObject> MakeConnectionJson(const std::string& FromNode, const UEdGraphPin& FromPin, const std::string& ToNode, const UEdGraphPin& ToPin)
	{
		auto Connection = std::make_shared<FJsonObject>();
		Connection->SetStringField("from_node", FromNode);
		Connection->SetStringField("from_socket", FromPin.PinName);
		Connection->SetStringField("to_node", ToNode);
		Connection->SetStringField("to_socket", ToPin.PinName);
		return Connection;
	}

	/** Every link out of an output pin (hidden pins too) whose far node was exported as a node. */
	FJsonValueArray MakeConnectionsJson(const UEdGraph& Graph, const FExportedNodeIds& ExportedIds)
	{
		FJsonValueArray Connections;
		for (const UEdGraphNode* const Node : Graph.GetNodes())
		{
			if (Node == nullptr)
			{
				continue;
			}
			const auto FromEntry = ExportedIds.find(Node->NodeGuid);
			const std::string FromId = FromEntry != ExportedIds.end() ? FromEntry->second : std::string();
			for (const auto& Pin : Node->GetPins())
			{
				if (Pin == nullptr || Pin->Direction != EEdGraphPinDirection::Output)
				{
					continue;
				}
				for (const UEdGraphPin* const Linked : Pin->GetLinkedTo())
				{
					if (Linked == nullptr)
					{
						continue;
					}
					const auto ToEntry = ExportedIds.find(Linked->GetOwningNode().NodeGuid);
					if (ToEntry != ExportedIds.end() && !ToEntry->second.empty())
					{
						Connections.emplace_back(MakeConnectionJson(FromId, *Pin, ToEntry->second, *Linked));
					}
				}
			}
		}
		return Connections;
	}

	std::string ExportGraphText(const UEdGraph& Graph)
	{
		std::vector<const UEdGraphNode*> Nodes;
		Nodes.reserve(Graph.GetNodes().size());
		for (const UEdGraphNode* const Node : Graph.GetNodes())
		{
			if (Node != nullptr)
			{
				Nodes.push_back(Node);
			}
		}
		return ExportNodesToText(Nodes);
	}
}

std::string_view GetNodeCategory(const UEdGraphNode& Node)
{
	using namespace BlueprintNodeClasses;
	if (IsNodeA(Node, Event()) || IsNodeA(Node, CustomEvent()) || IsNodeA(Node, FunctionEntry()) || IsNodeA(Node, FunctionResult()))
	{
		return "event";
	}
	if (IsNodeA(Node, VariableGet()) || IsNodeA(Node, VariableSet()))
	{
		return "variable";
	}
	if (IsNodeA(Node, IfThenElse()) || IsNodeA(Node, ExecutionSequence()))
	{
		return "flow";
	}
	static constexpr std::array<std::string_view, 9> FlowWords = {"Switch", "Branch", "ForEach", "WhileLoop", "FlipFlop", "DoOnce", "Gate", "MultiGate", "Select"};
	const std::string& ClassName = Node.GetClass()->GetName();
	for (const std::string_view Word : FlowWords)
	{
		if (Text::FindIgnoreCase(ClassName, Word))
		{
			return "flow";
		}
	}
	return "function";
}

std::shared_ptr<FJsonObject> ExportGraph(const UEdGraph& Graph, std::string_view GraphKind)
{
	auto Export = std::make_shared<FJsonObject>();
	Export->SetStringField("type", GraphKind);

	FJsonValueArray Nodes;
	FJsonValueArray Comments;
	FExportedNodeIds ExportedIds;
	for (const UEdGraphNode* const Node : Graph.GetNodes())
	{
		if (Node == nullptr)
		{
			continue;
		}
		if (IsNodeA(*Node, BlueprintNodeClasses::Comment()))
		{
			Comments.emplace_back(MakeCommentJson(*Node));
			continue;
		}
		const std::string& Id = ExportedIds.insert_or_assign(Node->NodeGuid, GuidText(Node->NodeGuid)).first->second;
		Nodes.emplace_back(MakeNodeJson(*Node, Id));
	}
	const std::size_t NodeCount = Nodes.size();
	const std::size_t CommentCount = Comments.size();
	Export->SetArrayField("nodes", std::move(Nodes));

	FJsonValueArray Connections = MakeConnectionsJson(Graph, ExportedIds);
	const std::size_t ConnectionCount = Connections.size();
	Export->SetArrayField("connections", std::move(Connections));
	Export->SetArrayField("comments", std::move(Comments));

	std::string ClipboardText = ExportGraphText(Graph);
	const std::size_t ClipboardLength = Text::Utf16Length(ClipboardText);
	Export->SetStringField("clipboardText", ClipboardText);

	UE_LOG(LogKorvane, Log, "  Graph '%s': %d nodes, %d connections, %d comments, clipboardText=%d chars", Graph.GetName().c_str(), static_cast<int>(NodeCount),
		static_cast<int>(ConnectionCount), static_cast<int>(CommentCount), static_cast<int>(ClipboardLength));
	return Export;
}
