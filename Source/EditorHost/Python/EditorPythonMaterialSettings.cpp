#include "Python/EditorPythonMaterials.h"

#include "Materials/Material.h"

#include <array>
#include <optional>
#include <string_view>

namespace py = pybind11;

namespace
{
	constexpr std::array<std::string_view, MD_MAX> DomainWords = {
		"Surface", "DeferredDecal", "LightFunction", "Volume", "PostProcess", "UserInterface", "RuntimeVirtualTexture"};
	constexpr std::array<std::string_view, BLEND_MAX> BlendWords = {
		"Opaque", "Masked", "Translucent", "Additive", "Modulate", "AlphaComposite", "AlphaHoldout", "TranslucentColoredTransmittance"};
	constexpr std::array<std::string_view, MSM_NUM> ShadingWords = {"Unlit", "DefaultLit", "Subsurface", "PreintegratedSkin", "ClearCoat",
		"SubsurfaceProfile", "TwoSidedFoliage", "Hair", "Cloth", "Eye", "SingleLayerWater", "ThinTranslucent", "Substrate", "FromMaterialExpression"};
	constexpr std::array<std::string_view, TLM_MAX> TranslucencyWords = {"VolumetricNonDirectional", "VolumetricDirectional",
		"VolumetricPerVertexNonDirectional", "VolumetricPerVertexDirectional", "SurfaceTranslucencyVolume", "SurfaceForwardShading"};
	constexpr std::array<std::string_view, 4> RefractionWords = {"IndexOfRefraction", "PixelNormalOffset", "2DOffset", "None"};

	template <std::size_t Count>
	std::optional<std::size_t> IndexOfWord(const std::array<std::string_view, Count>& Words, const py::handle& Value)
	{
		if (!py::isinstance<py::str>(Value))
		{
			return std::nullopt;
		}
		const std::string Word = Value.cast<std::string>();
		for (std::size_t Index = 0; Index < Count; ++Index)
		{
			if (Words[Index] == Word)
			{
				return Index;
			}
		}
		return std::nullopt;
	}

	/** Sets Field to the enumerator whose word Value is; false (Field unchanged) when Value is no word of the table. */
	template <typename TEnum, std::size_t Count>
	bool SetFromWord(TEnum& Field, const std::array<std::string_view, Count>& Words, const py::handle& Value)
	{
		const std::optional<std::size_t> Index = IndexOfWord(Words, Value);
		if (Index)
		{
			Field = static_cast<TEnum>(*Index);
		}
		return Index.has_value();
	}

	bool IsNumber(const py::handle& Value)
	{
		return (py::isinstance<py::int_>(Value) || py::isinstance<py::float_>(Value)) && !py::isinstance<py::bool_>(Value);
	}

	/** Applies one setting; false when the key is not a setting or its value is not one it takes. */
	bool ApplySetting(UMaterial& Material, std::string_view Key, const py::handle& Value)
	{
		if (Key == "domain")
		{
			return SetFromWord(Material.MaterialDomain, DomainWords, Value);
		}
		if (Key == "blendMode")
		{
			return SetFromWord(Material.BlendMode, BlendWords, Value);
		}
		if (Key == "shadingModel")
		{
			EMaterialShadingModel Model = MSM_DefaultLit;
			if (!SetFromWord(Model, ShadingWords, Value))
			{
				return false;
			}
			Material.SetShadingModel(Model);
			return true;
		}
		if (Key == "shadingModels")
		{
			if (!py::isinstance<py::list>(Value) || py::len(Value) == 0)
			{
				return false;
			}
			FMaterialShadingModelField Models;
			for (const py::handle Item : Value)
			{
				const auto Index = IndexOfWord(ShadingWords, Item);
				if (!Index)
				{
					return false;
				}
				Models.AddShadingModel(static_cast<EMaterialShadingModel>(*Index));
			}
			Material.SetShadingModels(Models);
			return true;
		}
		if (Key == "translucencyLightingMode")
		{
			return SetFromWord(Material.TranslucencyLightingMode, TranslucencyWords, Value);
		}
		if (Key == "refractionMethod")
		{
			return SetFromWord(Material.RefractionMethod, RefractionWords, Value);
		}
		const bool bIsBool = py::isinstance<py::bool_>(Value);
		if (Key == "twoSided" && bIsBool)
		{
			Material.TwoSided = Value.cast<bool>();
			return true;
		}
		if (Key == "allowNegativeEmissiveColor" && bIsBool)
		{
			Material.bAllowNegativeEmissiveColor = Value.cast<bool>();
			return true;
		}
		if (Key == "useMaterialAttributes" && bIsBool)
		{
			Material.bUseMaterialAttributes = Value.cast<bool>();
			return true;
		}
		if (Key == "ditheredLODTransition" && bIsBool)
		{
			Material.DitheredLODTransition = Value.cast<bool>();
			return true;
		}
		if (!IsNumber(Value))
		{
			return false;
		}
		const double Number = Value.cast<double>();
		if (Key == "opacityMaskClipValue")
		{
			Material.OpacityMaskClipValue = static_cast<float>(Number);
			return true;
		}
		if (Key == "maxWorldPositionOffsetDisplacement")
		{
			Material.MaxWorldPositionOffsetDisplacement = static_cast<float>(Number);
			return true;
		}
		if (Key == "numCustomizedUVs" && Number >= 0.0 && Number <= 8.0)
		{
			Material.NumCustomizedUVs = static_cast<int32_t>(Number);
			return true;
		}
		return false;
	}
}

py::dict EditorPythonMaterialSettings::GetSettings(const UMaterial& Material)
{
	py::dict Settings;
	Settings["domain"] = std::string(DomainWords.at(Material.MaterialDomain));
	Settings["blendMode"] = std::string(BlendWords.at(Material.BlendMode));
	py::list Models;
	for (std::size_t Index = 0; Index < ShadingWords.size(); ++Index)
	{
		if (Material.GetShadingModels().HasShadingModel(static_cast<EMaterialShadingModel>(Index)))
		{
			Models.append(std::string(ShadingWords[Index]));
		}
	}
	Settings["shadingModels"] = Models;
	Settings["twoSided"] = Material.TwoSided;
	Settings["opacityMaskClipValue"] = Material.OpacityMaskClipValue;
	Settings["translucencyLightingMode"] = std::string(TranslucencyWords.at(Material.TranslucencyLightingMode));
	Settings["refractionMethod"] = std::string(RefractionWords.at(Material.RefractionMethod));
	Settings["numCustomizedUVs"] = Material.NumCustomizedUVs;
	Settings["maxWorldPositionOffsetDisplacement"] = Material.MaxWorldPositionOffsetDisplacement;
	Settings["allowNegativeEmissiveColor"] = Material.bAllowNegativeEmissiveColor;
	Settings["useMaterialAttributes"] = Material.bUseMaterialAttributes;
	Settings["ditheredLODTransition"] = Material.DitheredLODTransition;
	return Settings;
}

py::tuple EditorPythonMaterialSettings::SetSettings(UMaterial& Material, const py::dict& Settings)
{
	int Applied = 0;
	py::list Refused;
	for (const auto& [Key, Value] : Settings)
	{
		if (py::isinstance<py::str>(Key) && ApplySetting(Material, Key.cast<std::string>(), Value))
		{
			++Applied;
		}
		else
		{
			Refused.append(Key);
		}
	}
	return py::make_tuple(Applied, Refused);
}
