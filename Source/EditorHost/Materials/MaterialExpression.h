#pragma once

#include "Core/Guid.h"
#include "Graph/CopyPasteText.h"
#include "Objects/Object.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class UMaterial;
class UMaterialExpression;
class UMaterialFunction;
class UMaterialGraphNode;

/**
 * One input of an expression: the expression it reads (nullptr when unconnected), which of that
 * expression's outputs, and an optional channel mask, as the editor's FExpressionInput.
 */
struct FExpressionInput
{
	UMaterialExpression* Expression = nullptr;
	int32_t OutputIndex = 0;
	/** The input's own name where the expression names its inputs (custom code, function calls); empty otherwise. */
	std::string InputName;
	int32_t Mask = 0;
	int32_t MaskR = 0;
	int32_t MaskG = 0;
	int32_t MaskB = 0;
	int32_t MaskA = 0;

	bool IsConnected() const { return Expression != nullptr; }
	/** Connects the input to an output of From, taking that output's mask. */
	void Connect(int32_t InOutputIndex, UMaterialExpression& From);
	void Disconnect() { *this = FExpressionInput{.InputName = InputName}; }
};

/** One output of an expression: its name (empty for the single default output) and channel mask. */
struct FExpressionOutput
{
	std::string OutputName;
	int32_t Mask = 0;
	int32_t MaskR = 0;
	int32_t MaskG = 0;
	int32_t MaskB = 0;
	int32_t MaskA = 0;
};

/** How an expression's inputs are named when written as text: which object the reference names. */
enum class EExpressionReferenceScope
{
	/** Inside a material's asset file: the expression's own object name. */
	Material,
	/** In node copy-paste text: `<GraphNode>.<Expression>`, as the editor writes a copied node's expression. */
	GraphNode,
};

/**
 * A node of a material's expression graph, living inside its material (or material function).
 * Its class is a class of the class database below /Script/Engine.MaterialExpression; the
 * properties that class declares of an input type (FExpressionInput and its kin) are its inputs,
 * in declaration order. The common editor fields are typed; every other property is kept as the
 * export text it was read with (KeptProperties), in its order, so an expression of a class the
 * host does not model keeps everything and writes it back unchanged. The typed subclasses in
 * MaterialExpressions.h read their properties from that text.
 */
class UMaterialExpression : public UObject
{
	DECLARE_ENGINE_CLASS(UMaterialExpression, UObject, "/Script/Engine.MaterialExpression")

public:
	UMaterialExpression();

	int32_t MaterialExpressionEditorX = 0;
	int32_t MaterialExpressionEditorY = 0;
	FGuid MaterialExpressionGuid;
	/** The material this expression belongs to; nullptr inside a material function. */
	UMaterial* Material = nullptr;
	/** The material function this expression belongs to; nullptr inside a material. */
	UMaterialFunction* Function = nullptr;
	/** The description shown above the node. */
	std::string Desc;
	/** The graph node that shows this expression while the material's graph exists (never saved). */
	UMaterialGraphNode* GraphNode = nullptr;

	/** The number of inputs (for custom code and function calls, the number of their entries). */
	virtual int32_t CountInputs() const;
	/** The input at that index, or nullptr past the end. */
	virtual FExpressionInput* GetInput(int32_t InputIndex);
	const FExpressionInput* GetInput(int32_t InputIndex) const;
	/** The name the editor shows on the input's pin (its DisplayName metadata, else its property name; a named input's own name). */
	virtual std::string GetInputName(int32_t InputIndex) const;
	/** Whether the input must be connected for the expression to compile. */
	virtual bool IsInputRequired(int32_t InputIndex) const;
	/** The expression's outputs, in order: at least one. */
	virtual std::vector<FExpressionOutput> GetOutputs() const;

	/** Gives the expression a new id when it has none or when forced; may mark its package dirty. */
	void UpdateMaterialExpressionGuid(bool bForceGeneration, bool bAllowMarkingPackageDirty);

	/** The property's export text as kept (`R`, `Texture`, `Code`...); nothing when the expression does not set it. */
	std::optional<std::string> GetKeptPropertyText(std::string_view PropertyName, std::optional<int> ArrayIndex = std::nullopt) const;
	/**
	 * Sets the property's export text: an existing line is replaced in place, a new one goes
	 * where the class declares the property among the kept lines.
	 */
	void SetKeptPropertyText(std::string_view PropertyName, std::string ValueText, std::optional<int> ArrayIndex = std::nullopt);
	/** Removes every line of the property (all array indices); its class default applies again. */
	void RemoveKeptProperty(std::string_view PropertyName);
	/** The properties as read (inputs and the typed fields above are not among them), with any nested objects and other lines. */
	const FCopyPasteObject& GetKeptProperties() const { return KeptProperties; }

	/**
	 * Reads the expression's body from its copy-paste object (a definition block, or an asset
	 * file's expression object): typed fields and inputs are taken out, the rest is kept.
	 * Input references are resolved by ResolveReference (nullptr leaves the input unconnected).
	 */
	using FExpressionResolver = std::function<UMaterialExpression*(std::string_view ReferenceText)>;
	virtual void ReadExpressionBody(const FCopyPasteObject& Body, const FExpressionResolver& ResolveReference);
	/**
	 * Writes the expression's body: kept lines in their order, inputs and typed fields where the
	 * editor writes them, references named as Scope says, `Material=` naming MaterialReference
	 * when not empty (the editor's copies name the preview material).
	 */
	virtual FCopyPasteObject WriteExpressionBody(EExpressionReferenceScope Scope, std::string_view MaterialReference) const;

protected:
	/** The inputs that are properties of the class, by property name, in declaration order (made from the class on first use). */
	struct FPropertyInput
	{
		std::string PropertyName;
		FExpressionInput Input;
	};
	std::vector<FPropertyInput> PropertyInputs;
	FCopyPasteObject KeptProperties;
};
