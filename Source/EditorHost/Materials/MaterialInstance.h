#pragma once

#include "Materials/Material.h"

#include <memory>
#include <string>
#include <vector>

/** An override of a scalar parameter on an instance. */
struct FScalarParameterValue
{
	FMaterialParameterInfo ParameterInfo;
	float ParameterValue = 0.0f;
};

struct FVectorParameterValue
{
	FMaterialParameterInfo ParameterInfo;
	FLinearColor ParameterValue;
};

struct FTextureParameterValue
{
	FMaterialParameterInfo ParameterInfo;
	UTexture* ParameterValue = nullptr;
};

struct FStaticSwitchParameter
{
	FMaterialParameterInfo ParameterInfo;
	bool Value = false;
	FGuid ExpressionGUID;
};

/**
 * A material that takes its graph from a parent (a Material or another instance) and overrides
 * some of its parameters. Values are looked up here first, then up the parent chain, then in
 * the base Material's expressions.
 */
class UMaterialInstance : public UMaterialInterface
{
	DECLARE_ENGINE_CLASS(UMaterialInstance, UMaterialInterface, "/Script/Engine.MaterialInstance")

public:
	/** nullptr when the instance has no parent (or it did not load). */
	UMaterialInterface* Parent = nullptr;
	std::vector<FScalarParameterValue> ScalarParameterValues;
	std::vector<FVectorParameterValue> VectorParameterValues;
	std::vector<FTextureParameterValue> TextureParameterValues;
	std::vector<FStaticSwitchParameter> StaticSwitchParameters;

	UMaterialInstance();
	~UMaterialInstance() override;

	UMaterial* GetMaterial() override;
	bool GetScalarParameterValue(const FMaterialParameterInfo& ParameterInfo, float& OutValue, bool bOveriddenOnly = false) const override;
	bool GetVectorParameterValue(const FMaterialParameterInfo& ParameterInfo, FLinearColor& OutValue, bool bOveriddenOnly = false) const override;
	bool GetTextureParameterValue(const FMaterialParameterInfo& ParameterInfo, UTexture*& OutValue, bool bOveriddenOnly = false) const override;
	bool GetStaticSwitchParameterValue(const FMaterialParameterInfo& ParameterInfo, bool& OutValue, FGuid& OutExpressionGuid, bool bOveriddenOnly = false) const override;

	/** The global static switches this instance or its parents override (the nearest one wins), in the order first met. */
	std::vector<FStaticSwitchOverride> GetStaticSwitchOverrides() const;
	/**
	 * The resource this instance renders with: its own static permutation of the base graph when it
	 * overrides static switches, compiled when first asked and again once the overrides or the
	 * base material's compile changed; the base material's resource otherwise. nullptr without a base.
	 */
	FMaterialResource* GetRenderingMaterialResource();

private:
	std::unique_ptr<FMaterialResource> StaticPermutationResource;
	std::vector<FStaticSwitchOverride> StaticPermutationSwitches;
	const FMaterialResource* StaticPermutationBaseResource = nullptr;
	int64_t StaticPermutationBaseCompile = -1;
};

/** An instance saved as an asset; its registry tag `Parent` names its parent's object path. */
class UMaterialInstanceConstant : public UMaterialInstance
{
	DECLARE_ENGINE_CLASS(UMaterialInstanceConstant, UMaterialInstance, "/Script/Engine.MaterialInstanceConstant")

public:
	void SetScalarParameterValueEditorOnly(const FMaterialParameterInfo& ParameterInfo, float Value);
	void SetVectorParameterValueEditorOnly(const FMaterialParameterInfo& ParameterInfo, const FLinearColor& Value);
	void SetTextureParameterValueEditorOnly(const FMaterialParameterInfo& ParameterInfo, UTexture* Value);
	void SetStaticSwitchParameterValueEditorOnly(const FMaterialParameterInfo& ParameterInfo, bool Value);

	bool LoadAssetFields(const FJsonObject& File, std::string& OutError) override;
	void SaveAssetFields(FJsonObject& OutFile) const override;
	void GetAssetRegistryTags(std::vector<FAssetRegistryTag>& OutTags) const override;

private:
	/** The parent path as written when it does not load, so saving keeps it. */
	std::string MissingParentPath;
	/** Texture values whose path did not load, by parameter, so saving keeps them. */
	std::vector<std::pair<FMaterialParameterInfo, std::string>> MissingTexturePaths;
};

/** An instance made at run time (transient, never saved). */
class UMaterialInstanceDynamic : public UMaterialInstance
{
	DECLARE_ENGINE_CLASS(UMaterialInstanceDynamic, UMaterialInstance, "/Script/Engine.MaterialInstanceDynamic")

public:
	/** A new dynamic instance of Parent inside Outer (the transient package when nullptr). */
	static UMaterialInstanceDynamic* Create(UMaterialInterface* ParentMaterial, UObject* InOuter);
	void SetScalarParameterValue(std::string_view ParameterName, float Value);
	void SetVectorParameterValue(std::string_view ParameterName, const FLinearColor& Value);
	void SetTextureParameterValue(std::string_view ParameterName, UTexture* Value);
};
