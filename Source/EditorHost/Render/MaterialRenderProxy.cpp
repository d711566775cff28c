#include "Render/MaterialRenderProxy.h"

#include "Materials/Material.h"
#include "Materials/MaterialInstance.h"
#include "Materials/MaterialShaderMap.h"
#include "Materials/MaterialShared.h"
#include "Objects/ObjectGlobals.h"
#include "Textures/Texture.h"

#include <algorithm>

namespace
{
	/**
	 * The shader map of the material's resource, compiled the first time the material is drawn
	 * (a material loaded from its file has none yet). A compile that failed keeps its errors and
	 * no shader map; the material then draws as the default material.
	 */
	const FMaterialShaderMap* FindResourceShaderMap(UMaterial& Material)
	{
		Material.CacheResourceShadersForRendering();
		const FMaterialResource* const Resource = Material.GetMaterialResource(GMaxRHIShaderPlatform, EMaterialQualityLevel::High);
		return Resource != nullptr ? Resource->GetShaderMap() : nullptr;
	}

	FMaterialShaderMapProvider& ShaderMapProvider()
	{
		static FMaterialShaderMapProvider Provider = FindResourceShaderMap;
		return Provider;
	}

	void FillUniforms(const UMaterialInterface& Material, bool bInstance, const FMaterialShaderMap& ShaderMap, std::vector<float>& OutValues)
	{
		OutValues.assign(static_cast<std::size_t>(std::max(ShaderMap.UniformBlockFloats, 0)), 0.0f);
		for (const FMaterialUniformParameter& Uniform : ShaderMap.Uniforms)
		{
			const int32_t Count = std::clamp(Uniform.NumComponents, 1, 4);
			if (Uniform.Offset < 0 || Uniform.Offset + Count > static_cast<int32_t>(OutValues.size()))
			{
				continue;
			}
			std::array<float, 4> Value = Uniform.DefaultValue;
			if (bInstance && !Uniform.Name.empty())
			{
				const FMaterialParameterInfo Info{Uniform.Name};
				float Scalar = 0.0f;
				FLinearColor Vector;
				if (Count == 1 && Material.GetScalarParameterValue(Info, Scalar, true))
				{
					Value[0] = Scalar;
				}
				else if (Count > 1 && Material.GetVectorParameterValue(Info, Vector, true))
				{
					Value = {Vector.R, Vector.G, Vector.B, Vector.A};
				}
			}
			std::copy_n(Value.begin(), Count, OutValues.begin() + Uniform.Offset);
		}
	}

	UTexture* FindTexture(const UMaterialInterface& Material, bool bInstance, const FMaterialTextureParameter& Parameter)
	{
		if (bInstance && !Parameter.ParameterName.empty())
		{
			UTexture* Override = nullptr;
			if (Material.GetTextureParameterValue(FMaterialParameterInfo{Parameter.ParameterName}, Override, true) && Override != nullptr)
			{
				return Override;
			}
		}
		return Parameter.DefaultTexturePath.empty() ? nullptr : LoadObject<UTexture>(Parameter.DefaultTexturePath);
	}
}

void SetMaterialShaderMapProvider(FMaterialShaderMapProvider Provider)
{
	ShaderMapProvider() = Provider ? std::move(Provider) : FMaterialShaderMapProvider(FindResourceShaderMap);
}

FMaterialRenderProxy MakeMaterialRenderProxy(UMaterialInterface* Material)
{
	FMaterialRenderProxy Proxy;
	if (Material == nullptr)
	{
		return Proxy;
	}
	UMaterial* BaseMaterial = Material->GetMaterial();
	if (BaseMaterial == nullptr)
	{
		return Proxy;
	}
	Proxy.MaterialPath = Material->GetPathName();
	Proxy.Domain = BaseMaterial->MaterialDomain;
	// An instance that overrides static switches renders with its own permutation of the base graph.
	UMaterialInstance* const Instance = Cast<UMaterialInstance>(Material);
	const FMaterialShaderMap* ShaderMap = nullptr;
	if (Instance != nullptr && !Instance->GetStaticSwitchOverrides().empty())
	{
		const FMaterialResource* const Permutation = Instance->GetRenderingMaterialResource();
		ShaderMap = Permutation != nullptr ? Permutation->GetShaderMap() : nullptr;
	}
	else
	{
		ShaderMap = ShaderMapProvider()(*BaseMaterial);
	}
	if (ShaderMap == nullptr)
	{
		return Proxy;
	}
	const bool bInstance = Material != static_cast<UMaterialInterface*>(BaseMaterial);
	Proxy.ShaderMap = ShaderMap;
	Proxy.BlendMode = ShaderMap->BlendMode;
	Proxy.Domain = ShaderMap->Domain;
	FillUniforms(*Material, bInstance, *ShaderMap, Proxy.UniformValues);
	for (const FMaterialTextureParameter& Parameter : ShaderMap->Textures)
	{
		Proxy.Textures.push_back({Parameter.Unit, FindTexture(*Material, bInstance, Parameter), Parameter.bCube});
	}
	return Proxy;
}
