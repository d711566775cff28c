#pragma once

#include "Core/Color.h"
#include "Materials/MaterialExpression.h"
#include "Materials/MaterialTypes.h"

#include <string>
#include <vector>

class UMaterialFunctionInterface;
class UTexture;

/**
 * The expression kinds the editor's tools read or write beyond the common fields. Each reads its
 * properties from the expression's kept export text (so what it does not model stays as read),
 * and writes them back there. Every other kind (constants, math, texture coordinates...) is a
 * plain UMaterialExpression of its class: its inputs and outputs come from its class.
 */

/** Anything that samples or passes on a texture; `Texture` is the texture asset (nullptr when unset or missing). */
class UMaterialExpressionTextureBase : public UMaterialExpression
{
	DECLARE_ENGINE_CLASS(UMaterialExpressionTextureBase, UMaterialExpression, "/Script/Engine.MaterialExpressionTextureBase")

public:
	/** The texture the `Texture` property names, loaded on first use; nullptr when none or it does not load. */
	UTexture* GetTexture() const;
	void SetTexture(UTexture* Texture);
};

/**
 * Samples a texture. The inputs are those the editor shows for the sample's `MipValueMode`:
 * "UVs", "Tex", then "Level" or "Bias" (mip level and mip bias modes) or "DDX(UVs)" and
 * "DDY(UVs)" (derivative mode), then "Apply View MipBias". Hidden inputs keep their connections.
 */
class UMaterialExpressionTextureSample : public UMaterialExpressionTextureBase
{
	DECLARE_ENGINE_CLASS(UMaterialExpressionTextureSample, UMaterialExpressionTextureBase, "/Script/Engine.MaterialExpressionTextureSample")

public:
	int32_t CountInputs() const override;
	FExpressionInput* GetInput(int32_t InputIndex) override;
	std::string GetInputName(int32_t InputIndex) const override;
	bool IsInputRequired(int32_t InputIndex) const override;

protected:
	/** The property inputs shown, by their index among the class's input properties. */
	virtual std::vector<int32_t> GetShownInputs() const;
};

/** The parameter fields of the parameter kinds: `ParameterName`, `Group`, `SortPriority`. */
struct FMaterialParameterFields
{
	static std::string GetParameterName(const UMaterialExpression& Expression);
	static void SetParameterName(UMaterialExpression& Expression, std::string_view Name);
	/** `Group`; "None" when unset, as the editor's FName. */
	static std::string GetGroup(const UMaterialExpression& Expression);
};

class UMaterialExpressionTextureSampleParameter : public UMaterialExpressionTextureSample
{
	DECLARE_ENGINE_CLASS(UMaterialExpressionTextureSampleParameter, UMaterialExpressionTextureSample, "/Script/Engine.MaterialExpressionTextureSampleParameter")

public:
	std::string GetParameterName() const { return FMaterialParameterFields::GetParameterName(*this); }
};

/** A texture object parameter passes its texture on: it samples nothing and has no inputs. */
class UMaterialExpressionTextureObjectParameter : public UMaterialExpressionTextureSampleParameter
{
	DECLARE_ENGINE_CLASS(UMaterialExpressionTextureObjectParameter, UMaterialExpressionTextureSampleParameter, "/Script/Engine.MaterialExpressionTextureObjectParameter")

protected:
	std::vector<int32_t> GetShownInputs() const override { return {}; }
};

/** Scalar, vector and static switch parameters. */
class UMaterialExpressionParameter : public UMaterialExpression
{
	DECLARE_ENGINE_CLASS(UMaterialExpressionParameter, UMaterialExpression, "/Script/Engine.MaterialExpressionParameter")

public:
	std::string GetParameterName() const { return FMaterialParameterFields::GetParameterName(*this); }
};

class UMaterialExpressionScalarParameter : public UMaterialExpressionParameter
{
	DECLARE_ENGINE_CLASS(UMaterialExpressionScalarParameter, UMaterialExpressionParameter, "/Script/Engine.MaterialExpressionScalarParameter")

public:
	float GetDefaultValue() const;
	void SetDefaultValue(float Value);
};

class UMaterialExpressionVectorParameter : public UMaterialExpressionParameter
{
	DECLARE_ENGINE_CLASS(UMaterialExpressionVectorParameter, UMaterialExpressionParameter, "/Script/Engine.MaterialExpressionVectorParameter")

public:
	FLinearColor GetDefaultValue() const;
	void SetDefaultValue(const FLinearColor& Value);
};

class UMaterialExpressionStaticBoolParameter : public UMaterialExpressionParameter
{
	DECLARE_ENGINE_CLASS(UMaterialExpressionStaticBoolParameter, UMaterialExpressionParameter, "/Script/Engine.MaterialExpressionStaticBoolParameter")

public:
	bool GetDefaultValue() const;
	void SetDefaultValue(bool bValue);
};

class UMaterialExpressionStaticSwitchParameter : public UMaterialExpressionStaticBoolParameter
{
	DECLARE_ENGINE_CLASS(UMaterialExpressionStaticSwitchParameter, UMaterialExpressionStaticBoolParameter, "/Script/Engine.MaterialExpressionStaticSwitchParameter")
};

/** Custom shader code with named inputs: `Code`, `Description`, `OutputType`, `Inputs(i)=(InputName="A",Input=(...))`. */
class UMaterialExpressionCustom : public UMaterialExpression
{
	DECLARE_ENGINE_CLASS(UMaterialExpressionCustom, UMaterialExpression, "/Script/Engine.MaterialExpressionCustom")

public:
	std::string GetCode() const;
	void SetCode(std::string_view Code);
	std::string GetDescription() const;
	ECustomMaterialOutputType GetOutputType() const;
	/** The inputs, each named by its InputName. */
	std::vector<FExpressionInput> Inputs;

	int32_t CountInputs() const override;
	FExpressionInput* GetInput(int32_t InputIndex) override;
	std::string GetInputName(int32_t InputIndex) const override;
	/** Custom code reads every input it names, so each must be connected. */
	bool IsInputRequired(int32_t InputIndex) const override;
	/** The unnamed result, then one per additional output (`AdditionalOutputs(i)=(OutputName="X",...)`). */
	std::vector<FExpressionOutput> GetOutputs() const override;
	void ReadExpressionBody(const FCopyPasteObject& Body, const FExpressionResolver& ResolveReference) override;

protected:
	bool IsModelledProperty(std::string_view PropertyName) const override;
	void GetModelledLines(EExpressionReferenceScope Scope, std::vector<FModelledLine>& OutLines) const override;
};

/** A call of a material function: its inputs and outputs are the function's. */
class UMaterialExpressionMaterialFunctionCall : public UMaterialExpression
{
	DECLARE_ENGINE_CLASS(UMaterialExpressionMaterialFunctionCall, UMaterialExpression, "/Script/Engine.MaterialExpressionMaterialFunctionCall")

public:
	/** The function `MaterialFunction` names, loaded on first use; nullptr when none or it does not load. */
	UMaterialFunctionInterface* GetMaterialFunction() const;
	void SetMaterialFunction(UMaterialFunctionInterface* Function);
	/** `FunctionInputs(i)`: one per input of the function, each with its input name. */
	std::vector<FExpressionInput> FunctionInputs;

	int32_t CountInputs() const override;
	FExpressionInput* GetInput(int32_t InputIndex) override;
	/** The input's name with the type of the function's input, as the editor shows it ("BasisX (V3)"); the bare name when the function does not load. */
	std::string GetInputName(int32_t InputIndex) const override;
	/** A function's inputs may stay open (the function's preview value applies). */
	bool IsInputRequired(int32_t InputIndex) const override;
	/** The function's outputs; when it does not load, the outputs the call was saved with. */
	std::vector<FExpressionOutput> GetOutputs() const override;
	void ReadExpressionBody(const FCopyPasteObject& Body, const FExpressionResolver& ResolveReference) override;

protected:
	bool IsModelledProperty(std::string_view PropertyName) const override;
	void GetModelledLines(EExpressionReferenceScope Scope, std::vector<FModelledLine>& OutLines) const override;

private:
	/** `ExpressionInputId` of each entry of FunctionInputs (the function input it feeds), in step with it. */
	std::vector<FGuid> FunctionInputIds;
};

/** Material attribute layers: `DefaultLayers=(Layers=(...),Blends=(...),...)`, one blend between each two layers. */
class UMaterialExpressionMaterialAttributeLayers : public UMaterialExpression
{
	DECLARE_ENGINE_CLASS(UMaterialExpressionMaterialAttributeLayers, UMaterialExpression, "/Script/Engine.MaterialExpressionMaterialAttributeLayers")

public:
	/** The layer functions in order, loaded; a missing one is nullptr. */
	std::vector<UMaterialFunctionInterface*> GetLayers() const;
	/** The blend functions in order (blend i sits between layer i and layer i + 1), loaded. */
	std::vector<UMaterialFunctionInterface*> GetBlends() const;
};

class UMaterialExpressionNamedRerouteDeclaration : public UMaterialExpression
{
	DECLARE_ENGINE_CLASS(UMaterialExpressionNamedRerouteDeclaration, UMaterialExpression, "/Script/Engine.MaterialExpressionNamedRerouteDeclaration")

public:
	/** `Name`, the reroute's name; "None" when unset. */
	std::string GetRerouteName() const;
	/** `VariableGuid`, which usages name in their `DeclarationGuid`. */
	FGuid GetVariableGuid() const;
};

/** Reads the value of a named reroute declaration elsewhere in the material. */
class UMaterialExpressionNamedRerouteUsage : public UMaterialExpression
{
	DECLARE_ENGINE_CLASS(UMaterialExpressionNamedRerouteUsage, UMaterialExpression, "/Script/Engine.MaterialExpressionNamedRerouteUsage")

public:
	UMaterialExpressionNamedRerouteDeclaration* Declaration = nullptr;

	/** `DeclarationGuid`: the declaration's `VariableGuid`, which finds it again when the pointer does not resolve. */
	FGuid GetDeclarationGuid() const;
	void ReadExpressionBody(const FCopyPasteObject& Body, const FExpressionResolver& ResolveReference) override;

protected:
	bool IsModelledProperty(std::string_view PropertyName) const override;
	void GetModelledLines(EExpressionReferenceScope Scope, std::vector<FModelledLine>& OutLines) const override;
};

/** A comment box of the material's graph (kept in the material's editor comments, not its expressions). */
class UMaterialExpressionComment : public UMaterialExpression
{
	DECLARE_ENGINE_CLASS(UMaterialExpressionComment, UMaterialExpression, "/Script/Engine.MaterialExpressionComment")

public:
	int32_t GetSizeX() const;
	int32_t GetSizeY() const;
	std::string GetText() const;
};

/** A reroute knot: passes its one input on. */
class UMaterialExpressionReroute : public UMaterialExpression
{
	DECLARE_ENGINE_CLASS(UMaterialExpressionReroute, UMaterialExpression, "/Script/Engine.MaterialExpressionReroute")
};

/** An input of a material function (inside the function). */
class UMaterialExpressionFunctionInput : public UMaterialExpression
{
	DECLARE_ENGINE_CLASS(UMaterialExpressionFunctionInput, UMaterialExpression, "/Script/Engine.MaterialExpressionFunctionInput")

public:
	std::string GetFunctionInputName() const;
	FGuid GetId() const;
	/** `InputType` as its enumerator name (`FunctionInput_Vector3`). */
	std::string GetInputTypeName() const;
	int32_t GetSortPriority() const;
};

/** An output of a material function (inside the function). */
class UMaterialExpressionFunctionOutput : public UMaterialExpression
{
	DECLARE_ENGINE_CLASS(UMaterialExpressionFunctionOutput, UMaterialExpression, "/Script/Engine.MaterialExpressionFunctionOutput")

public:
	std::string GetFunctionOutputName() const;
	FGuid GetId() const;
	int32_t GetSortPriority() const;
};
