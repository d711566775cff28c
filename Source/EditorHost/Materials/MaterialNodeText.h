#pragma once

#include "Graph/CopyPasteText.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class UClass;
class UMaterialExpression;
class UObject;

/**
 * The copy-paste text of a material graph node's expression: the nested object the node holds
 * (declared, then defined, in UE5 copies with an ExportPath below the node's), the node's
 * `MaterialExpression=` (or `MaterialExpressionComment=`) line naming it, and the references
 * between expressions of pasted nodes (`<GraphNode>.<Expression>`).
 */
namespace MaterialNodeText
{
	inline constexpr std::string_view ExpressionProperty = "MaterialExpression";
	inline constexpr std::string_view CommentProperty = "MaterialExpressionComment";

	/**
	 * The nested object the node's ReferenceProperty line names; without that line (or when it
	 * names no child), the first child whose class is an expression class.
	 */
	const FCopyPasteObject* FindExpressionObject(const FCopyPasteObject& NodeObject, std::string_view ReferenceProperty);

	/**
	 * The expression class a nested object's `Class=` names, a full path or the short name older
	 * editors wrote; nullptr when it names no concrete class below MaterialExpression.
	 */
	UClass* ResolveExpressionClass(std::string_view ClassText);

	/** The pasted node and expression a reference names: `MaterialGraphNode_3.MaterialExpressionMultiply_0` in any spelling. */
	struct FPastedReference
	{
		std::string NodeName;
		std::string ExpressionName;
	};
	/** Nothing when the reference names no node (a bare expression name, None, nothing). */
	std::optional<FPastedReference> ParsePastedReference(std::string_view ReferenceText);

	/** The reference with the object name at the end of its path replaced, in the spelling it was written in. */
	std::string RenameReferencedObject(std::string_view Reference, std::string_view NewName);

	/** A reference in the UE5 spelling the editor's copies use: `/Script/Engine.MaterialExpressionConstant'"MaterialExpressionConstant_0"'`. */
	std::string MakeObjectReference(std::string_view ClassPath, std::string_view ObjectPath);

	/**
	 * The ExportPath of an object inside the object NodeExportPath names, in the same spelling:
	 * `T'"/Engine/Transient.M:MaterialGraph_0.MaterialGraphNode_41"'` gives
	 * `C'"/Engine/Transient.M:MaterialGraph_0.MaterialGraphNode_41.Child"'` for ChildClassPath C.
	 * Nothing when NodeExportPath holds no quoted path.
	 */
	std::optional<std::string> ChildExportPath(std::string_view NodeExportPath, std::string_view ChildClassPath, std::string_view ChildName);

	/** The value of the object's ExportPath attribute (on its first Begin Object line), if it has one. */
	const std::string* FindExportPath(const std::vector<FCopyPasteAttribute>& Attributes);
	/** Sets the ExportPath attribute's value, adding the attribute when it is missing. */
	void SetExportPath(std::vector<FCopyPasteAttribute>& Attributes, std::string Value);
}
