#include "Materials/MaterialNodeCopy.h"

#include "Graph/CopyPasteTextValue.h"
#include "Graph/EdGraphExportPath.h"
#include "Graph/EdGraphNode.h"
#include "Graph/NodeTitleNames.h"
#include "Materials/MaterialExpression.h"
#include "Materials/MaterialNodeText.h"
#include "Objects/Class.h"

#include <algorithm>
#include <utility>

namespace
{
	/** The asset the node's graph belongs to (a material or material function), as the editor's transient preview of it is named. */
	std::string OwnerAssetName(const UEdGraphNode& Node)
	{
		const UObject* const Graph = Node.GetOuter();
		const UObject* const Owner = Graph != nullptr ? Graph->GetOuter() : nullptr;
		return Owner != nullptr ? Owner->GetName() : std::string();
	}

	std::string NodeClassPath(const UEdGraphNode& Node)
	{
		return Node.NodeClassPath.empty() ? Node.GetClass()->GetPathName() : Node.NodeClassPath;
	}

	/** Where a new line goes so that it follows the nested objects: after the last child entry, or first. */
	std::size_t AfterLastChild(const FCopyPasteObject& Object)
	{
		const auto Last = std::find_if(Object.Layout.rbegin(), Object.Layout.rend(), [](const FCopyPasteLayoutEntry& Entry) {
			return Entry.Kind == ECopyPasteEntry::Child || Entry.Kind == ECopyPasteEntry::ChildDefinition;
		});
		return static_cast<std::size_t>(Object.Layout.rend() - Last);
	}

	void InsertPropertyAt(FCopyPasteObject& Object, std::size_t LayoutIndex, FCopyPasteProperty Property)
	{
		Object.Layout.insert(Object.Layout.begin() + static_cast<std::ptrdiff_t>(LayoutIndex), {ECopyPasteEntry::Property, Object.Properties.size()});
		Object.Properties.push_back(std::move(Property));
	}

	/** Makes the attributes' ExportPath name the path Derived names (in Derived's spelling); one that already names it is kept as written. */
	void UpdateExportPath(std::vector<FCopyPasteAttribute>& Attributes, const std::string& Derived, bool bAddWhenMissing)
	{
		const std::string* const Current = MaterialNodeText::FindExportPath(Attributes);
		if (Current == nullptr ? bAddWhenMissing : ReferencedObjectPath(*Current) != ReferencedObjectPath(Derived))
		{
			MaterialNodeText::SetExportPath(Attributes, Derived);
		}
	}

	/** Sets the expression's editor position for as long as the scope lasts. */
	class FMirroredPosition
	{
	public:
		FMirroredPosition(UMaterialExpression& InExpression, int32_t X, int32_t Y)
			: Expression(InExpression)
			, OldX(std::exchange(InExpression.MaterialExpressionEditorX, X))
			, OldY(std::exchange(InExpression.MaterialExpressionEditorY, Y))
		{
		}
		~FMirroredPosition()
		{
			Expression.MaterialExpressionEditorX = OldX;
			Expression.MaterialExpressionEditorY = OldY;
		}
		FMirroredPosition(const FMirroredPosition&) = delete;
		FMirroredPosition& operator=(const FMirroredPosition&) = delete;

	private:
		UMaterialExpression& Expression;
		int32_t OldX;
		int32_t OldY;
	};
}

namespace MaterialNodeCopy
{
	FCopyPasteObject MakeNodeObject(const UEdGraphNode& Node)
	{
		FCopyPasteObject Object;
		Object.Class = NodeClassPath(Node);
		Object.Name = Node.GetName();
		const UObject* const Graph = Node.GetOuter();
		const std::string Path = "/Engine/Transient." + OwnerAssetName(Node) + ":" + (Graph != nullptr ? Graph->GetName() : std::string()) + "." + Node.GetName();
		MaterialNodeText::SetExportPath(Object.Attributes, MaterialNodeText::MakeObjectReference(Object.Class, Path));
		return Object;
	}

	std::string PreviewMaterialReference(const UEdGraphNode& Node)
	{
		return MaterialNodeText::MakeObjectReference("/Script/UnrealEd.PreviewMaterial", "/Engine/Transient." + OwnerAssetName(Node));
	}

	void WriteExpressionObject(const UEdGraphNode& Node, FCopyPasteObject& NodeObject, std::string_view ReferenceProperty, UMaterialExpression& Expression,
		std::string_view MaterialReference)
	{
		FCopyPasteObject Body = [&] {
			const FMirroredPosition Mirrored(Expression, Node.NodePosX, Node.NodePosY);
			return Expression.WriteExpressionBody(EExpressionReferenceScope::GraphNode, MaterialReference);
		}();
		const FCopyPasteObject* const Old = MaterialNodeText::FindExpressionObject(NodeObject, ReferenceProperty);
		const bool bOldNamesSameClass = Old != nullptr && MaterialNodeText::ResolveExpressionClass(Old->Class) == Expression.GetClass();
		if (bOldNamesSameClass || (Old != nullptr && Body.Class.empty()))
		{
			Body.Class = Old->Class;
		}
		else if (Body.Class.empty())
		{
			Body.Class = Expression.GetClass()->GetPathName();
		}
		const std::string ClassPath = Body.Class.starts_with('/') ? Body.Class : Expression.GetClass()->GetPathName();
		Body.Name = Expression.GetName();
		Body.Attributes = Old != nullptr ? Old->Attributes : std::vector<FCopyPasteAttribute>();
		Body.DefinitionAttributes = Old != nullptr ? Old->DefinitionAttributes : std::optional(std::vector<FCopyPasteAttribute>());

		// The node's ExportPath as the exporter will write it (a renamed node's ends in its new name).
		const std::string* const NodeExportPath = MaterialNodeText::FindExportPath(NodeObject.Attributes);
		const std::optional<std::string> NodePath = NodeExportPath != nullptr ? RenameExportPathObject(*NodeExportPath, Node.GetName()).value_or(*NodeExportPath) : std::optional<std::string>();
		const std::optional<std::string> Derived = NodePath ? MaterialNodeText::ChildExportPath(*NodePath, ClassPath, Body.Name) : std::nullopt;
		if (Derived)
		{
			// A nested object read without an ExportPath (older editors) stays without one.
			const bool bAddWhenMissing = Old == nullptr;
			UpdateExportPath(Body.Attributes, *Derived, bAddWhenMissing);
			if (Body.DefinitionAttributes)
			{
				UpdateExportPath(*Body.DefinitionAttributes, *Derived, bAddWhenMissing);
			}
		}

		if (Old != nullptr)
		{
			NodeObject.Children[static_cast<std::size_t>(Old - NodeObject.Children.data())] = std::move(Body);
		}
		else
		{
			const std::size_t Index = NodeObject.Children.size();
			const std::size_t At = AfterLastChild(NodeObject);
			NodeObject.Layout.insert(NodeObject.Layout.begin() + static_cast<std::ptrdiff_t>(At), {{ECopyPasteEntry::Child, Index}, {ECopyPasteEntry::ChildDefinition, Index}});
			NodeObject.Children.push_back(std::move(Body));
		}

		const std::string& Name = Expression.GetName();
		const auto Reference = std::ranges::find_if(NodeObject.Properties, [ReferenceProperty](const FCopyPasteProperty& Property) { return Property.Name == ReferenceProperty && !Property.ArrayIndex; });
		if (Reference == NodeObject.Properties.end())
		{
			InsertPropertyAt(NodeObject, AfterLastChild(NodeObject), {std::string(ReferenceProperty), std::nullopt, MaterialNodeText::MakeObjectReference(ClassPath, Name)});
		}
		else if (ReferencedObjectName(Reference->Value) != Name)
		{
			Reference->Value = MaterialNodeText::RenameReferencedObject(Reference->Value, Name);
		}
	}

	void AddNodeProperty(FCopyPasteObject& NodeObject, std::string_view Name, std::string Value)
	{
		NodeObject.AddPropertyBeforeCustomProperties({std::string(Name), std::nullopt, std::move(Value)});
	}

	void AddNodeProperties(const UEdGraphNode& Node, FCopyPasteObject& NodeObject, const FNodePropertyLines& Lines)
	{
		const auto AddInt = [&NodeObject](std::string_view Name, int32_t Value) {
			if (Value != 0)
			{
				AddNodeProperty(NodeObject, Name, std::to_string(Value));
			}
		};
		AddInt("NodePosX", Node.NodePosX);
		AddInt("NodePosY", Node.NodePosY);
		AddInt("NodeWidth", Node.NodeWidth);
		AddInt("NodeHeight", Node.NodeHeight);
		if (Node.bCommentBubblePinned || Lines.bBubbleFlagsAlways)
		{
			AddNodeProperty(NodeObject, "bCommentBubblePinned", Node.bCommentBubblePinned ? "True" : "False");
		}
		if (Node.bCommentBubbleVisible || Lines.bBubbleFlagsAlways)
		{
			AddNodeProperty(NodeObject, "bCommentBubbleVisible", Node.bCommentBubbleVisible ? "True" : "False");
		}
		for (const FCopyPasteProperty& Line : Lines.BeforeComment)
		{
			NodeObject.AddPropertyBeforeCustomProperties(Line);
		}
		if (!Node.NodeComment.empty())
		{
			AddNodeProperty(NodeObject, "NodeComment", QuoteCopyPasteString(Node.NodeComment));
		}
		AddNodeProperty(NodeObject, "NodeGuid", Node.NodeGuid.ToString());
	}

	void AddPinSlots(const UEdGraphNode& Node, FCopyPasteObject& NodeObject)
	{
		for (std::size_t Pin = 0; Pin < Node.GetPins().size(); ++Pin)
		{
			NodeObject.AddCustomProperty({std::string(PinLineSlotKind), {}});
		}
	}
}
