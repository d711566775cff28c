#include "Materials/Material.h"
#include "Materials/MaterialExpressions.h"
#include "Materials/MaterialFunction.h"
#include "Materials/MaterialGraph.h"
#include "Materials/MaterialNodeCopy.h"
#include "Materials/MaterialNodeText.h"
#include "Objects/Class.h"

void UMaterialGraphNode_Comment::PostPasteNode(const FEdGraphPastedNodes&)
{
	const FCopyPasteObject* const Object = MaterialNodeText::FindExpressionObject(KeptObject, MaterialNodeText::CommentProperty);
	UObject* const Graph = GetOuter();
	UObject* const Outer = Graph != nullptr ? Graph->GetOuter() : nullptr;
	UClass* const Class = Object != nullptr ? MaterialNodeText::ResolveExpressionClass(Object->Class) : nullptr;
	if (Outer == nullptr || Class == nullptr || !Class->IsChildOf<UMaterialExpressionComment>())
	{
		return;
	}
	auto* const Comment = Cast<UMaterialExpressionComment>(NewMaterialExpression(Outer, Object->Class, Object->Name));
	if (Comment == nullptr)
	{
		return;
	}
	// A comment refers to no other expression.
	Comment->ReadExpressionBody(*Object, [](std::string_view) -> UMaterialExpression* { return nullptr; });
	Comment->MaterialExpressionEditorX = NodePosX;
	Comment->MaterialExpressionEditorY = NodePosY;
	Comment->Material = Cast<UMaterial>(Outer);
	Comment->Function = Cast<UMaterialFunction>(Outer);
	SetMaterialExpressionComment(Comment);
}

void UMaterialGraphNode_Comment::SetMaterialExpressionComment(UMaterialExpressionComment* Comment)
{
	MaterialExpressionComment = Comment;
	ShownComment = Comment;
	ShownCommentPointer = Comment;
}

UMaterialExpressionComment* UMaterialGraphNode_Comment::GetLiveMaterialExpressionComment() const
{
	if (MaterialExpressionComment == ShownCommentPointer)
	{
		return ShownComment.Get();
	}
	return IsValid(MaterialExpressionComment) ? MaterialExpressionComment : nullptr;
}

void UMaterialGraphNode_Comment::PrepareForCopying()
{
	UMaterialExpressionComment* const Comment = GetLiveMaterialExpressionComment();
	if (Comment == nullptr)
	{
		return;
	}
	ObjectBeforeCopy = KeptObject;
	const bool bMadeInCode = KeptObject.Class.empty();
	if (bMadeInCode)
	{
		KeptObject = MaterialNodeCopy::MakeNodeObject(*this);
	}
	// The editor's copies of comments name no material.
	MaterialNodeCopy::WriteExpressionObject(*this, KeptObject, MaterialNodeText::CommentProperty, *Comment, {});
	if (bMadeInCode)
	{
		// The box's colour and font size follow the comment's; the editor writes them before the rest.
		for (const std::string_view Mirrored : {"CommentColor", "FontSize"})
		{
			if (std::optional<std::string> Value = Comment->GetKeptPropertyText(Mirrored))
			{
				MaterialNodeCopy::AddNodeProperty(KeptObject, Mirrored, std::move(*Value));
			}
		}
		MaterialNodeCopy::AddNodeProperty(KeptObject, "bCommentBubbleVisible_InDetailsPanel", "False");
		MaterialNodeCopy::AddNodeProperties(*this, KeptObject, {.bBubbleFlagsAlways = true, .BeforeComment = {}});
		MaterialNodeCopy::AddPinSlots(*this, KeptObject);
	}
}

void UMaterialGraphNode_Comment::PostCopyNode()
{
	if (ObjectBeforeCopy)
	{
		KeptObject = std::move(*ObjectBeforeCopy);
		ObjectBeforeCopy.reset();
	}
}
