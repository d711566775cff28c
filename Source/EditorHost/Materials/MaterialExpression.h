#pragma once

#include "Core/Guid.h"
#include "Graph/CopyPasteText.h"
#include "Objects/Object.h"
#include "Objects/Property.h"

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
	/** The expression's outputs, in order: at least one (a function's output expression has none). */
	virtual std::vector<FExpressionOutput> GetOutputs() const;

	/** Gives the expression a new id when it has none or when forced; may mark its package dirty. */
	void UpdateMaterialExpressionGuid(bool bForceGeneration, bool bAllowMarkingPackageDirty);

	/** The property's export text as kept (`R`, `Texture`, `Code`...); nothing when the expression does not set it. */
	std::optional<std::string> GetKeptPropertyText(std::string_view PropertyName, std::optional<int> ArrayIndex = std::nullopt) const;
	/** The kept text as a view into the expression (valid until the property is set again); nothing when not set. */
	std::optional<std::string_view> FindKeptPropertyText(std::string_view PropertyName, std::optional<int> ArrayIndex = std::nullopt) const;
	/**
	 * Sets the property's export text: an existing line is replaced in place, a new one goes
	 * where the class declares the property among the kept lines.
	 */
	void SetKeptPropertyText(std::string_view PropertyName, std::string ValueText, std::optional<int> ArrayIndex = std::nullopt);
	/** Removes every line of the property (all array indices); its class default applies again. */
	void RemoveKeptProperty(std::string_view PropertyName);
	/** The properties as read (inputs and the typed fields above are not among them), with any nested objects and other lines. */
	const FCopyPasteObject& GetKeptProperties() const { return KeptProperties; }

	/** The class path the expression is written with: its class's, or the class text it was made with when the class database does not know that class. */
	std::string GetExpressionClassPath() const;

	/**
	 * Reads the expression's body from its copy-paste object (a definition block, or an asset
	 * file's expression object): typed fields and inputs are taken out, the rest is kept.
	 * Input references are resolved by ResolveReference, given the path inside the reference's
	 * quotes (`MaterialGraphNode_3.MaterialExpressionAdd_0`, `MaterialExpressionAdd_0`); nullptr
	 * leaves the input unconnected.
	 */
	using FExpressionResolver = std::function<UMaterialExpression*(std::string_view ReferenceText)>;
	virtual void ReadExpressionBody(const FCopyPasteObject& Body, const FExpressionResolver& ResolveReference);
	/**
	 * Writes the expression's body: kept lines in their order, inputs and typed fields where the
	 * editor writes them, references named as Scope says, `Material=` naming MaterialReference
	 * when not empty (the editor's copies name the preview material). A line whose value still
	 * means what it was read as stays as written. The object carries the expression's class path
	 * and name and no attributes.
	 */
	virtual FCopyPasteObject WriteExpressionBody(EExpressionReferenceScope Scope, std::string_view MaterialReference) const;

	/**
	 * An input's text as written in Scope: `(Expression=<reference>,OutputIndex=1,InputName="A",Mask=1,...)`
	 * with only the fields that are not 0 or empty; empty when none is (the editor writes no line then).
	 */
	static std::string WriteInputText(const FExpressionInput& Input, EExpressionReferenceScope Scope);
	/** Reads an input's text in any of the editor's spellings, resolving its expression; nothing when the text is not an input. */
	static std::optional<FExpressionInput> ReadInputText(std::string_view Text, const FExpressionResolver& ResolveReference);
	/** The reference naming Expression in Scope (`/Script/Engine.MaterialExpressionAdd'"MaterialExpressionAdd_0"'`); "None" for nullptr. */
	static std::string WriteExpressionReference(const UMaterialExpression* Expression, EExpressionReferenceScope Scope);
	/** Whether two input texts say the same: the same reference path, output index, name and masks. */
	static bool SameInputMeaning(std::string_view Read, std::string_view Written);

protected:
	/**
	 * One modelled property line as the expression writes it. A line as read that still means
	 * ValueText stays as written; a default value adds no line of its own.
	 */
	struct FModelledLine
	{
		std::string PropertyName;
		std::optional<int> ArrayIndex;
		std::string ValueText;
		bool bDefault = false;
		/** Whether a line as read means ValueText. */
		bool (*SameMeaning)(std::string_view Read, std::string_view Written) = nullptr;
	};

	/** Whether the C++ type models the property (its line is made from fields, not kept). */
	virtual bool IsModelledProperty(std::string_view PropertyName) const;
	/** The lines of the properties a subclass models beyond the common ones, in any order. */
	virtual void GetModelledLines(EExpressionReferenceScope Scope, std::vector<FModelledLine>& OutLines) const;
	/** The kept text of a property, else its class default's text (empty when the class records none). */
	std::string GetPropertyTextOrDefault(std::string_view PropertyName) const;
	/** The body as read: every line, modelled and kept, in its order. */
	const FCopyPasteObject& GetReadBody() const { return Body; }

	/** The inputs that are properties of the class, by property name, in declaration order (made from the class on first use). */
	struct FPropertyInput
	{
		std::string PropertyName;
		/** Set for an element of a fixed-size array property (`CustomizedUVs(3)`). */
		std::optional<int> ArrayIndex;
		FExpressionInput Input;
		const FProperty* Property = nullptr;
	};
	std::vector<FPropertyInput>& GetPropertyInputs() const;
	mutable std::vector<FPropertyInput> PropertyInputs;
	mutable bool bPropertyInputsMade = false;
	FCopyPasteObject KeptProperties;

private:
	friend UMaterialExpression* NewMaterialExpression(UObject* Outer, std::string_view ClassText, std::string_view Name);

	void RebuildKeptProperties();

	/** Every line as read or last set, modelled and kept, in order. */
	FCopyPasteObject Body;
	/** The class text the expression was made with when the class database does not know it. */
	std::string UnknownClassText;
};

/**
 * Makes an expression of the class ClassText names (`/Script/Engine.MaterialExpressionAdd`, the
 * older short `MaterialExpressionAdd`, or a quoted or referenced spelling) inside Outer, under Name
 * (empty: the editor's next free name). A name a live object of Outer holds, or one that is not a
 * valid object name, gives the next free name instead: an existing expression is never replaced;
 * garbage holding the name goes at once, as for any new object. A class
 * the database does not know, or one that is not an expression, gives a plain expression that
 * keeps the class text.
 */
UMaterialExpression* NewMaterialExpression(UObject* Outer, std::string_view ClassText, std::string_view Name = {});
