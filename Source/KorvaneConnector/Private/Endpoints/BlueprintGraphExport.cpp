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

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <tuple>
#include <vector>

namespace
{
	/** The GUIDs of the nodes exported as nodes, sorted (by FGuidLess) so a look-up is a binary search. */
	using FExportedNodeGuids = std::vector<FGuid>;

	/** A function object rather than a function, so sorting and searching inline the comparison. */
	struct FGuidLess
	{
		bool operator()(const FGuid& Left, const FGuid& Right) const
		{
			return std::tie(Left.A, Left.B, Left.C, Left.D) < std::tie(Right.A, Right.B, Right.C, Right.D);
		}
	};

	bool IsExported(const FExportedNodeGuids& Exported, const FGuid& Guid)
	{
		return std::binary_search(Exported.begin(), Exported.end(), Guid, FGuidLess());
	}

	/** A node's `id` in the export. */
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
		Object->Reserve(7);
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
		const UObject* const SubCategoryObject = GetPinSubCategoryObject(Pin.PinType);
		const bool bShowsDefault = Pin.Direction == EEdGraphPinDirection::Input && Pin.GetLinkedTo().empty() && Pin.DefaultValue && !Pin.DefaultValue->empty();
		auto Socket = std::make_shared<FJsonObject>();
		Socket->Reserve(3 + (SubCategoryObject != nullptr ? 1 : 0) + (bShowsDefault ? 1 : 0));
		Socket->SetStringField("id", Pin.PinName);
		Socket->SetStringField("name", Pin.GetDisplayName());
		Socket->SetStringField("socket_type", Pin.PinType.PinCategory);
		if (SubCategoryObject != nullptr)
		{
			Socket->SetStringField("sub_type", SubCategoryObject->GetName());
		}
		if (bShowsDefault)
		{
			Socket->SetStringField("default", *Pin.DefaultValue);
		}
		return Socket;
	}

	bool IsShownPin(const UEdGraphPin* Pin)
	{
		return Pin != nullptr && !Pin->bHidden;
	}

	std::shared_ptr<FJsonObject> MakeNodeJson(const UEdGraphNode& Node, FNodeTitleCache& Titles)
	{
		auto Object = std::make_shared<FJsonObject>();
		Object->Reserve(8);
		Object->SetField("id", FJsonValue(GuidText(Node.NodeGuid)));
		Object->SetStringField("type", Node.GetClass()->GetName());
		Object->SetStringField("title", Titles.GetNodeTitle(Node, ENodeTitleType::FullTitle));
		Object->SetStringField("label", Titles.GetNodeTitle(Node, ENodeTitleType::ListView));
		Object->SetStringField("category", GetNodeCategory(Node));
		auto Position = std::make_shared<FJsonObject>();
		Position->Reserve(2);
		Position->SetNumberField("x", Node.NodePosX);
		Position->SetNumberField("y", Node.NodePosY);
		Object->SetObjectField("position", std::move(Position));

		std::size_t InputCount = 0;
		std::size_t OutputCount = 0;
		for (const auto& Pin : Node.GetPins())
		{
			if (IsShownPin(Pin.get()))
			{
				++(Pin->Direction == EEdGraphPinDirection::Input ? InputCount : OutputCount);
			}
		}
		FJsonValueArray Inputs;
		FJsonValueArray Outputs;
		Inputs.reserve(InputCount);
		Outputs.reserve(OutputCount);
		for (const auto& Pin : Node.GetPins())
		{
			if (IsShownPin(Pin.get()))
			{
				(Pin->Direction == EEdGraphPinDirection::Input ? Inputs : Outputs).emplace_back(MakeSocketJson(*Pin));
			}
		}
		Object->SetArrayField("inputs", std::move(Inputs));
		Object->SetArrayField("outputs", std::move(Outputs));
		return Object;
	}

	std::shared_ptr<FJsonObject> MakeConnectionJson(std::string FromNode, const UEdGraphPin& FromPin, std::string ToNode, const UEdGraphPin& ToPin)
	{
		auto Connection = std::make_shared<FJsonObject>();
		Connection->Reserve(4);
		Connection->SetField("from_node", FJsonValue(std::move(FromNode)));
		Connection->SetStringField("from_socket", FromPin.PinName);
		Connection->SetField("to_node", FJsonValue(std::move(ToNode)));
		Connection->SetStringField("to_socket", ToPin.PinName);
		return Connection;
	}

	/** Adds every link out of the node's output pins (hidden pins too) whose far node was exported as a node. */
	void AddConnectionsFrom(const UEdGraphNode& Node, const FExportedNodeGuids& Exported, FJsonValueArray& Connections)
	{
		const bool bFromExported = IsExported(Exported, Node.NodeGuid);
		for (const auto& Pin : Node.GetPins())
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
				const FGuid& ToGuid = Linked->GetOwningNode().NodeGuid;
				if (IsExported(Exported, ToGuid))
				{
					Connections.emplace_back(MakeConnectionJson(bFromExported ? GuidText(Node.NodeGuid) : std::string(), *Pin, GuidText(ToGuid), *Linked));
				}
			}
		}
	}

	bool IsComment(const UEdGraphNode& Node)
	{
		return IsNodeA(Node, BlueprintNodeClasses::Comment());
	}

	/** The GUIDs of the graph's nodes that are exported as nodes: all but comments. */
	FExportedNodeGuids ExportedNodeGuids(const UEdGraph& Graph)
	{
		FExportedNodeGuids Exported;
		Exported.reserve(Graph.GetNodes().size());
		for (const UEdGraphNode* const Node : Graph.GetNodes())
		{
			if (Node != nullptr && !IsComment(*Node))
			{
				Exported.push_back(Node->NodeGuid);
			}
		}
		std::sort(Exported.begin(), Exported.end(), FGuidLess());
		return Exported;
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
	Export->Reserve(5);
	Export->SetStringField("type", GraphKind);

	const FExportedNodeGuids Exported = ExportedNodeGuids(Graph);
	FJsonValueArray Nodes;
	FJsonValueArray Comments;
	FJsonValueArray Connections;
	Nodes.reserve(Exported.size());
	FNodeTitleCache Titles;
	// Connections are made in the same pass as the nodes, while each node's pins are at hand.
	for (const UEdGraphNode* const Node : Graph.GetNodes())
	{
		if (Node == nullptr)
		{
			continue;
		}
		if (IsComment(*Node))
		{
			Comments.emplace_back(MakeCommentJson(*Node));
		}
		else
		{
			Nodes.emplace_back(MakeNodeJson(*Node, Titles));
		}
		AddConnectionsFrom(*Node, Exported, Connections);
	}
	const std::size_t NodeCount = Nodes.size();
	const std::size_t CommentCount = Comments.size();
	const std::size_t ConnectionCount = Connections.size();
	Export->SetArrayField("nodes", std::move(Nodes));
	Export->SetArrayField("connections", std::move(Connections));
	Export->SetArrayField("comments", std::move(Comments));

	std::string ClipboardText = ExportGraphText(Graph);
	const std::size_t ClipboardLength = Text::Utf16Length(ClipboardText);
	Export->SetField("clipboardText", FJsonValue(std::move(ClipboardText)));

	UE_LOG(LogKorvane, Log, "  Graph '%s': %d nodes, %d connections, %d comments, clipboardText=%d chars", Graph.GetName().c_str(), static_cast<int>(NodeCount),
		static_cast<int>(ConnectionCount), static_cast<int>(CommentCount), static_cast<int>(ClipboardLength));
	return Export;
}
