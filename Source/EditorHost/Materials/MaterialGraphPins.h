#pragma once

#include "Graph/EdGraphPin.h"
#include "Materials/MaterialTypes.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class UEdGraphNode;
class UMaterial;
class UMaterialExpression;
struct FExpressionOutput;

/** The pin categories and channel sub-categories of the material graph schema. */
namespace MaterialPinCategory
{
	inline constexpr std::string_view Required = "required";
	inline constexpr std::string_view Optional = "optional";
	inline constexpr std::string_view Mask = "mask";
	inline constexpr std::string_view Wildcard = "wildcard";
	inline constexpr std::string_view MaterialInput = "materialinput";
}

/** What the material graph makes a pin from; the rest of the pin is as the editor makes every material pin. */
struct FMaterialPinSpec
{
	std::string PinName;
	/** A quoted string or a text call, as written: the editor's one-space name for pins it draws without a label. */
	std::optional<std::string> PinFriendlyName;
	EEdGraphPinDirection Direction = EEdGraphPinDirection::Input;
	std::string PinCategory;
	std::string PinSubCategory;
	std::optional<std::string> DefaultValue;
	bool bNotConnectable = false;
	bool bDefaultValueIsIgnored = false;
	bool bAdvancedView = false;
};

/** `NSLOCTEXT("MaterialGraphNode", "Space", " ")`: the label of pins the editor draws without a name. */
inline constexpr std::string_view MaterialPinSpaceText = "NSLOCTEXT(\"MaterialGraphNode\", \"Space\", \" \")";

/**
 * Adds a pin to Node as the editor's material graph writes it: a new id, and the pin's
 * copy-paste line in the UE5 editor's full form (so a copy of the node reads like the editor's).
 */
UEdGraphPin& CreateMaterialPin(UEdGraphNode& Node, const FMaterialPinSpec& Spec);

/**
 * The name the editor puts on an input's pin: long input names shortened ("Coordinates" to
 * "UVs", "TextureObject" to "Tex", "Exponent" to "Exp", "MipLevel" to "Level", "MipBias" to
 * "Bias", "AGreaterThanB" to "A > B"...), and "Input" to nothing (a pin drawn without a label).
 */
std::string GetShortenPinName(std::string_view InputName);

/**
 * The pins the editor makes for an expression, in order: its inputs, the properties it shows on
 * the node (class properties with ShowAsInputPin metadata, not connectable, holding the value),
 * then its outputs (named by their output names; "mask" with a channel sub-category when masked).
 */
std::vector<FMaterialPinSpec> MakeExpressionPinSpecs(const UMaterialExpression& Expression);

/** The pin name an input of the expression has on its node: its input name, shortened; empty for an input drawn without a label. */
std::string GetExpressionInputPinName(const UMaterialExpression& Expression, int32_t InputIndex);

/** One property input of a material as the root node shows it. */
struct FMaterialRootPin
{
	EMaterialProperty Property;
	std::string DisplayName;
};

/** The root node's pins for the material, in the editor's order ("Base Color", "Metallic"... "Material Attributes"). */
std::vector<FMaterialRootPin> GetMaterialRootPins(const UMaterial* Material);

/** A float as the editor writes it into a pin's default value: "10000.0", "0.5". */
std::string SanitizeFloat(double Value);
