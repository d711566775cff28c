#pragma once

#include "Core/Color.h"
#include "Materials/MaterialExpression.h"
#include "Materials/MaterialTypes.h"
#include "Objects/Object.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

class FMaterialResource;
class UMaterial;
class UMaterialExpressionComment;
class UMaterialGraph;
class UTexture;

/**
 * Anything a mesh can render with: a base Material or an instance of one. Parameters are listed
 * and read as the engine does (MaterialParameters.h holds the walk behind these).
 */
class UMaterialInterface : public UObject
{
	DECLARE_ENGINE_CLASS(UMaterialInterface, UObject, "/Script/Engine.MaterialInterface")

public:
	/** The base Material at the root of the parent chain; nullptr when the chain breaks. */
	virtual UMaterial* GetMaterial() = 0;
	const UMaterial* GetMaterial() const;

	/**
	 * The parameters of each kind, in the engine's order: the base Material's own expressions
	 * first (global association), then those of its attribute layers' layer and blend functions
	 * (layer and blend associations with their indices). Each name and association is listed once.
	 */
	void GetAllScalarParameterInfo(std::vector<FMaterialParameterInfo>& OutParameterInfo, std::vector<FGuid>& OutParameterIds) const;
	void GetAllVectorParameterInfo(std::vector<FMaterialParameterInfo>& OutParameterInfo, std::vector<FGuid>& OutParameterIds) const;
	void GetAllTextureParameterInfo(std::vector<FMaterialParameterInfo>& OutParameterInfo, std::vector<FGuid>& OutParameterIds) const;
	void GetAllStaticSwitchParameterInfo(std::vector<FMaterialParameterInfo>& OutParameterInfo, std::vector<FGuid>& OutParameterIds) const;

	/**
	 * A parameter's value: with bOveriddenOnly false, an instance's override (nearest in the
	 * chain) or else the parameter expression's default. False (OutValue untouched) when there is
	 * no such parameter.
	 */
	virtual bool GetScalarParameterValue(const FMaterialParameterInfo& ParameterInfo, float& OutValue, bool bOveriddenOnly = false) const;
	virtual bool GetVectorParameterValue(const FMaterialParameterInfo& ParameterInfo, FLinearColor& OutValue, bool bOveriddenOnly = false) const;
	virtual bool GetTextureParameterValue(const FMaterialParameterInfo& ParameterInfo, UTexture*& OutValue, bool bOveriddenOnly = false) const;
	virtual bool GetStaticSwitchParameterValue(const FMaterialParameterInfo& ParameterInfo, bool& OutValue, FGuid& OutExpressionGuid, bool bOveriddenOnly = false) const;

	/** The textures the material samples (expressions and texture parameter values), each once, in first-use order. */
	virtual void GetUsedTextures(std::vector<UTexture*>& OutTextures) const;
};

/**
 * A base Material: its settings, its expressions and editor comments, and its 35 property
 * inputs (EMaterialProperty), each connected to an expression output or not. Expressions live
 * inside the Material. The editor graph (MaterialGraph) is made on demand and rebuilt from the
 * expressions; it is never saved. docs/PROJECT_FORMAT.md gives the asset's fields.
 */
class UMaterial : public UMaterialInterface
{
	DECLARE_ENGINE_CLASS(UMaterial, UMaterialInterface, "/Script/Engine.Material")

public:
	UMaterial();
	~UMaterial() override;

	EMaterialDomain MaterialDomain = MD_Surface;
	EBlendMode BlendMode = BLEND_Opaque;
	ETranslucencyLightingMode TranslucencyLightingMode = TLM_VolumetricNonDirectional;
	ERefractionMode RefractionMethod = RM_IndexOfRefraction;
	bool TwoSided = false;
	float OpacityMaskClipValue = 0.3333f;
	int32_t NumCustomizedUVs = 0;
	float MaxWorldPositionOffsetDisplacement = 0.0f;
	bool bAllowNegativeEmissiveColor = false;
	bool bUseMaterialAttributes = false;
	bool DitheredLODTransition = false;

	/** The editor graph while it exists; created by FBlueprintEditorUtils::CreateNewGraph and linked by the caller. */
	UMaterialGraph* MaterialGraph = nullptr;

	FMaterialShadingModelField GetShadingModels() const { return ShadingModels; }
	/** Makes the set hold exactly this model. */
	void SetShadingModel(EMaterialShadingModel NewModel);
	/** Replaces the set (an expression-driven material keeps every model it may use). */
	void SetShadingModels(FMaterialShadingModelField Models) { ShadingModels = Models; }

	/** The expressions and the editor comments, as the editor's FMaterialExpressionCollection. */
	struct FMaterialExpressionCollection
	{
		std::vector<UMaterialExpression*> Expressions;
		std::vector<UMaterialExpressionComment*> EditorComments;

		void AddExpression(UMaterialExpression* Expression) { Expressions.push_back(Expression); }
		void AddComment(UMaterialExpressionComment* Comment) { EditorComments.push_back(Comment); }
		void Empty()
		{
			Expressions.clear();
			EditorComments.clear();
		}
	};
	FMaterialExpressionCollection& GetExpressionCollection() { return ExpressionCollection; }
	const FMaterialExpressionCollection& GetExpressionCollection() const { return ExpressionCollection; }
	const std::vector<UMaterialExpression*>& GetExpressions() const { return ExpressionCollection.Expressions; }

	/** The input of a material property (MP_EmissiveColor to MP_CustomOutput); nullptr for MP_MAX or beyond. */
	FExpressionInput* GetExpressionInputForProperty(EMaterialProperty Property);
	const FExpressionInput* GetExpressionInputForProperty(EMaterialProperty Property) const;

	/**
	 * Every expression of class T in the material and in the functions it uses: a function call
	 * contributes its function's expressions and those of every function that one depends on,
	 * attribute layers their layer and blend functions'; each function once. Collection order:
	 * the material's expressions in order, each function's where it is first reached.
	 */
	template <typename T>
	void GetAllExpressionsInMaterialAndFunctionsOfType(std::vector<T*>& OutExpressions) const
	{
		for (UMaterialExpression* const Expression : CollectAllExpressions(T::StaticClass()))
		{
			OutExpressions.push_back(static_cast<T*>(Expression));
		}
	}
	std::vector<UMaterialExpression*> CollectAllExpressions(const UClass* ExpressionClass) const;

	/** The material's compiled resource for a shader platform and quality level; made by the last recompile. */
	FMaterialResource* GetMaterialResource(int32_t ShaderPlatform, int32_t QualityLevel);
	/**
	 * Makes sure the material has a compiled resource before it is drawn: a material loaded from
	 * its file has none until then. A resource that was compiled already, successfully or not,
	 * is kept as it is.
	 */
	void CacheResourceShadersForRendering();

	UMaterial* GetMaterial() override { return this; }
	bool LoadAssetFields(const FJsonObject& File, std::string& OutError) override;
	void SaveAssetFields(FJsonObject& OutFile) const override;
	void GetAssetRegistryTags(std::vector<FAssetRegistryTag>& OutTags) const override;

private:
	friend class UMaterialEditingLibrary;

	FMaterialShadingModelField ShadingModels{MSM_DefaultLit};
	FMaterialExpressionCollection ExpressionCollection;
	std::vector<FExpressionInput> PropertyInputs;
	std::unique_ptr<FMaterialResource> MaterialResource;
	/** The indentation of the expression text as the asset file was written. */
	std::string ExpressionTextIndent = "   ";
	/** Each setting's value as the asset file gave it (condensed JSON): a setting still at that value is saved as written. */
	std::vector<std::pair<std::string, std::string>> SettingsAsRead;
};
