#include "Materials/MaterialGraphPins.h"

#include "Core/Guid.h"
#include "Graph/CopyPasteTextPin.h"
#include "Graph/CopyPasteTextValue.h"
#include "Graph/EdGraphNode.h"
#include "Graph/EdGraphPinFields.h"
#include "Graph/NodeTitleNames.h"
#include "Materials/Material.h"
#include "Materials/MaterialExpression.h"
#include "Objects/Class.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <unordered_set>

namespace
{
	const char* BoolText(bool bValue) { return bValue ? "True" : "False"; }

	std::string MakePinLineText(const FMaterialPinSpec& Spec, const FGuid& PinId)
	{
		std::string Text = "(PinId=" + PinId.ToString() + ",PinName=" + QuoteCopyPasteString(Spec.PinName) + ",";
		if (Spec.PinFriendlyName)
		{
			Text += "PinFriendlyName=" + *Spec.PinFriendlyName + ",";
		}
		if (Spec.Direction == EEdGraphPinDirection::Output)
		{
			Text += "Direction=\"EGPD_Output\",";
		}
		Text += "PinType.PinCategory=" + QuoteCopyPasteString(Spec.PinCategory) + ",PinType.PinSubCategory=" + QuoteCopyPasteString(Spec.PinSubCategory) + ",";
		Text += "PinType.PinSubCategoryObject=None,PinType.PinSubCategoryMemberReference=(),PinType.PinValueType=(),PinType.ContainerType=None,"
				"PinType.bIsReference=False,PinType.bIsConst=False,PinType.bIsWeakPointer=False,PinType.bIsUObjectWrapper=False,"
				"PinType.bSerializeAsSinglePrecisionFloat=False,";
		if (Spec.DefaultValue)
		{
			Text += "DefaultValue=" + QuoteCopyPasteString(*Spec.DefaultValue) + ",";
		}
		Text += "PersistentGuid=00000000000000000000000000000000,bHidden=False,bNotConnectable=";
		Text += BoolText(Spec.bNotConnectable);
		Text += ",bDefaultValueIsReadOnly=False,bDefaultValueIsIgnored=";
		Text += BoolText(Spec.bDefaultValueIsIgnored);
		Text += ",bAdvancedView=";
		Text += BoolText(Spec.bAdvancedView);
		Text += ",bOrphanedPin=False,)";
		return Text;
	}

	/** The editor's CreateUniquePinName: the name, or the name with 2, 3... after it when a pin of the node has it. */
	std::string UniquePinName(std::string_view Base, std::unordered_set<std::string>& Used)
	{
		std::string Name(Base);
		for (int Number = 2; Used.contains(Name); ++Number)
		{
			Name = std::string(Base) + std::to_string(Number);
		}
		Used.insert(Name);
		return Name;
	}

	/** A pin the editor draws without a label still needs a name to be found by: "Input", "Output", "Output2"... */
	void NameUnlabelledPin(FMaterialPinSpec& Spec, std::string_view Base, std::unordered_set<std::string>& Used)
	{
		if (Spec.PinName.empty())
		{
			Spec.PinName = UniquePinName(Base, Used);
			Spec.PinFriendlyName = std::string(MaterialPinSpaceText);
		}
		else
		{
			Used.insert(Spec.PinName);
		}
	}

	/** The channel sub-category of a masked output: "red" for R alone... "rgba" for all four; none for other combinations. */
	std::string MaskSubCategory(const FExpressionOutput& Output)
	{
		const std::array<int32_t, 4> Mask{Output.MaskR != 0, Output.MaskG != 0, Output.MaskB != 0, Output.MaskA != 0};
		static const std::array<std::pair<std::array<int32_t, 4>, std::string_view>, 6> Channels{{
			{{1, 0, 0, 0}, "red"},
			{{0, 1, 0, 0}, "green"},
			{{0, 0, 1, 0}, "blue"},
			{{0, 0, 0, 1}, "alpha"},
			{{1, 1, 1, 0}, "rgb"},
			{{1, 1, 1, 1}, "rgba"},
		}};
		const auto Found = std::ranges::find(Channels, Mask, &std::pair<std::array<int32_t, 4>, std::string_view>::first);
		return Found != Channels.end() ? std::string(Found->second) : std::string();
	}

	bool IsFloatType(std::string_view Type) { return Type == "float" || Type == "double"; }
	bool IsIntegerType(std::string_view Type) { return Type == "int32" || Type == "uint32" || Type == "int8" || Type == "int64"; }

	/** The channels a property pin carries, by the property's type, as the editor's sub-categories say them. */
	std::string PropertyPinSubCategory(const FProperty& Property)
	{
		const std::string& Type = Property.GetCPPType();
		if (IsFloatType(Type) || IsIntegerType(Type))
		{
			return "red";
		}
		if (Type == "FVector2D" || Type == "FVector2f")
		{
			return "rg";
		}
		if (Type == "FVector" || Type == "FVector3f" || (Type == "FLinearColor" && Property.HasMetaData("HideAlphaChannel")))
		{
			return "rgb";
		}
		if (Type == "FLinearColor" || Type == "FVector4" || Type == "FVector4f")
		{
			return "rgba";
		}
		return {};
	}

	/** The value of a struct's numeric fields, in order, joined by commas: "(R=1.0,G=0.5,B=0.0,A=1.0)" as "1.0,0.5,0.0" for three channels. */
	std::string ChannelsText(std::string_view ValueText, std::size_t ChannelCount)
	{
		const FCopyPasteValue Value = ParseCopyPasteValue(ValueText);
		std::string Text;
		std::size_t Written = 0;
		for (const FCopyPasteValueItem& Item : Value.Items)
		{
			if (Written == ChannelCount)
			{
				break;
			}
			char* End = nullptr;
			const std::string Component = Item.Value.AsPlainText();
			const double Number = std::strtod(Component.c_str(), &End);
			Text += (Written++ == 0 ? "" : ",") + (End != Component.c_str() ? SanitizeFloat(Number) : Component);
		}
		return Text;
	}

	/** A property pin's default value from the property's export text, as the editor writes pin values. */
	std::string PropertyPinDefault(const FProperty& Property, std::string_view ValueText, std::string_view SubCategory)
	{
		if (IsFloatType(Property.GetCPPType()))
		{
			char* End = nullptr;
			const std::string Text(ValueText);
			const double Number = std::strtod(Text.c_str(), &End);
			return End != Text.c_str() ? SanitizeFloat(Number) : Text;
		}
		if (SubCategory == "rg" || SubCategory == "rgb" || SubCategory == "rgba")
		{
			return ChannelsText(ValueText, SubCategory.size());
		}
		return std::string(ValueText);
	}
}

UEdGraphPin& CreateMaterialPin(UEdGraphNode& Node, const FMaterialPinSpec& Spec)
{
	UEdGraphPin& Pin = Node.CreatePin();
	std::string Line = MakePinLineText(Spec, FGuid::NewGuid());
	std::optional<FCopyPastePin> Parsed = ParseCopyPastePin(Line);
	ReadEdGraphPin(Pin, std::move(*Parsed), std::move(Line));
	return Pin;
}

std::string GetShortenPinName(std::string_view InputName)
{
	static const std::array<std::pair<std::string_view, std::string_view>, 10> Shortened{{
		{"Coordinates", "UVs"},
		{"TextureObject", "Tex"},
		{"Input", ""},
		{"Exponent", "Exp"},
		{"AGreaterThanB", "A > B"},
		{"AEqualsB", "A == B"},
		{"ALessThanB", "A < B"},
		{"MipLevel", "Level"},
		{"MipBias", "Bias"},
		{"None", ""},
	}};
	const auto Found = std::ranges::find(Shortened, InputName, &std::pair<std::string_view, std::string_view>::first);
	return std::string(Found != Shortened.end() ? Found->second : InputName);
}

std::string GetExpressionInputPinName(const UMaterialExpression& Expression, int32_t InputIndex)
{
	std::string Name = GetShortenPinName(Expression.GetInputName(InputIndex));
	// A name of blanks (a function output's " ") shows no label either.
	return Name.find_first_not_of(' ') == std::string::npos ? std::string() : Name;
}

std::vector<FMaterialPinSpec> MakeExpressionPinSpecs(const UMaterialExpression& Expression)
{
	std::vector<FMaterialPinSpec> Specs;
	std::unordered_set<std::string> Used;
	for (int32_t Index = 0; Index < Expression.CountInputs(); ++Index)
	{
		FMaterialPinSpec Spec;
		Spec.PinName = GetExpressionInputPinName(Expression, Index);
		Spec.PinCategory = std::string(Expression.IsInputRequired(Index) ? MaterialPinCategory::Required : MaterialPinCategory::Optional);
		NameUnlabelledPin(Spec, "Input", Used);
		Specs.push_back(std::move(Spec));
	}
	for (TFieldIterator<FProperty> It(Expression.GetClass()); It; ++It)
	{
		const FProperty& Property = **It;
		if (!Property.HasMetaData("ShowAsInputPin"))
		{
			continue;
		}
		FMaterialPinSpec Spec;
		Spec.PinName = Property.HasMetaData("DisplayName") ? Property.GetMetaData("DisplayName") : NameToDisplayString(Property.GetName());
		Spec.PinCategory = std::string(MaterialPinCategory::Optional);
		Spec.PinSubCategory = PropertyPinSubCategory(Property);
		const std::string Value = Expression.GetKeptPropertyText(Property.GetName()).value_or(Property.GetDefaultValueText());
		Spec.DefaultValue = PropertyPinDefault(Property, Value, Spec.PinSubCategory);
		Spec.bNotConnectable = true;
		Spec.bAdvancedView = Property.GetMetaData("ShowAsInputPin") == "Advanced";
		Used.insert(Spec.PinName);
		Specs.push_back(std::move(Spec));
	}
	for (const FExpressionOutput& Output : Expression.GetOutputs())
	{
		FMaterialPinSpec Spec;
		Spec.PinName = Output.OutputName;
		Spec.Direction = EEdGraphPinDirection::Output;
		if (Output.Mask != 0)
		{
			Spec.PinCategory = std::string(MaterialPinCategory::Mask);
			Spec.PinSubCategory = MaskSubCategory(Output);
		}
		NameUnlabelledPin(Spec, "Output", Used);
		Specs.push_back(std::move(Spec));
	}
	return Specs;
}

std::vector<FMaterialRootPin> GetMaterialRootPins(const UMaterial* Material)
{
	// A user-interface material's emissive colour is its final colour.
	const bool bUserInterface = Material != nullptr && Material->MaterialDomain == MD_UI;
	std::vector<FMaterialRootPin> Pins{
		{MP_BaseColor, "Base Color"},
		{MP_Metallic, "Metallic"},
		{MP_Specular, "Specular"},
		{MP_Roughness, "Roughness"},
		{MP_Anisotropy, "Anisotropy"},
		{MP_EmissiveColor, bUserInterface ? "Final Color" : "Emissive Color"},
		{MP_Opacity, "Opacity"},
		{MP_OpacityMask, "Opacity Mask"},
		{MP_Normal, "Normal"},
		{MP_Tangent, "Tangent"},
		{MP_WorldPositionOffset, "World Position Offset"},
		{MP_SubsurfaceColor, "Subsurface Color"},
		{MP_CustomData0, "Custom Data 0"},
		{MP_CustomData1, "Custom Data 1"},
		{MP_AmbientOcclusion, "Ambient Occlusion"},
		{MP_Refraction, "Refraction"},
	};
	for (int UV = 0; UV < 8; ++UV)
	{
		Pins.push_back({static_cast<EMaterialProperty>(MP_CustomizedUVs0 + UV), "Customized UV" + std::to_string(UV)});
	}
	Pins.insert(Pins.end(), {
		{MP_PixelDepthOffset, "Pixel Depth Offset"},
		{MP_ShadingModel, "Shading Model"},
		{MP_SurfaceThickness, "Surface Thickness"},
		{MP_Displacement, "Displacement"},
		{MP_FrontMaterial, "Front Material"},
		{MP_MaterialAttributes, "Material Attributes"},
	});
	return Pins;
}

std::string SanitizeFloat(double Value)
{
	char Buffer[512];
	std::snprintf(Buffer, sizeof(Buffer), "%f", Value);
	std::string Text(Buffer);
	const std::size_t Point = Text.find('.');
	if (Point == std::string::npos)
	{
		return Text;
	}
	const std::size_t LastKept = std::max(Text.find_last_not_of('0'), Point + 1);
	Text.resize(LastKept + 1);
	return Text;
}
