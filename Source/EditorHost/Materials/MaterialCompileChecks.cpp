#include "Materials/MaterialCompileChecks.h"

#include "Materials/Material.h"
#include "Materials/MaterialExpressions.h"
#include "Textures/Texture.h"
#include "Objects/Class.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace
{
	/** What kind of value an expression output carries, as far as the checks tell kinds apart. */
	enum class EValueKind
	{
		Float,
		Texture2D,
		TextureCube,
		StaticBool,
		MaterialAttributes,
		/** Not known here (a function's output, an expression of a class the host does not know): never an error. */
		Unknown,
	};

	/** The editor's names of the kinds in its messages. */
	std::string_view DescribeKind(EValueKind Kind)
	{
		switch (Kind)
		{
		case EValueKind::Float:
			return "float";
		case EValueKind::Texture2D:
			return "texture2D";
		case EValueKind::TextureCube:
			return "textureCube";
		case EValueKind::StaticBool:
			return "static bool";
		case EValueKind::MaterialAttributes:
			return "MaterialAttributes";
		case EValueKind::Unknown:
			break;
		}
		return "unknown";
	}

	bool IsTextureKind(EValueKind Kind) { return Kind == EValueKind::Texture2D || Kind == EValueKind::TextureCube; }

	/** The class name the editor's messages use: without the "MaterialExpression" prefix. */
	std::string ShortClassName(const UMaterialExpression& Expression)
	{
		constexpr std::string_view Prefix = "MaterialExpression";
		const std::string& Name = Expression.GetClass()->GetName();
		return Name.starts_with(Prefix) ? Name.substr(Prefix.size()) : Name;
	}

	bool IsClass(const UMaterialExpression& Expression, std::string_view ShortName) { return ShortClassName(Expression) == ShortName; }

	bool IsTextureCube(const UTexture& Texture) { return Texture.GetClass()->GetName().find("TextureCube") != std::string::npos; }

	/** What the editor's texture expressions call themselves and require, by class. */
	struct FTextureExpressionText
	{
		std::string_view ShortName;
		std::string_view Caption;
		/** The message when the texture is missing or of the wrong kind. */
		std::string_view Requirement;
	};

	constexpr std::array<FTextureExpressionText, 5> TextureExpressionTexts = {{
		{"TextureSampleParameter2D", "Param2D", "Requires Texture2D"},
		{"TextureSampleParameterCube", "ParamCube", "Requires TextureCube"},
		{"TextureObjectParameter", "Param Tex Object", "Requires valid texture"},
		{"TextureObject", "Texture Object", "Requires valid texture"},
		{"TextureSampleParameter", "Texture Param", "Invalid texture type"},
	}};

	/** The first two inputs of these are combined arithmetically, so a value that is no number fails as arithmetic. */
	constexpr std::array<std::string_view, 8> ArithmeticClasses = {"Add", "Subtract", "Multiply", "Divide", "Min", "Max", "LinearInterpolate", "DotProduct"};

	/** The kind a material property reads, named as the editor names its type. */
	std::string_view PropertyTypeName(EMaterialProperty Property)
	{
		switch (Property)
		{
		case MP_BaseColor:
		case MP_EmissiveColor:
		case MP_Normal:
		case MP_Tangent:
		case MP_WorldPositionOffset:
		case MP_SubsurfaceColor:
		case MP_DiffuseColor:
		case MP_SpecularColor:
			return "float3";
		default:
			break;
		}
		if (Property >= MP_CustomizedUVs0 && Property <= MP_CustomizedUVs7)
		{
			return "float2";
		}
		return "float";
	}

	/** Whether the material reads the property at all, by its blend mode and settings (the editor compiles only those). */
	bool IsPropertyActive(const UMaterial& Material, EMaterialProperty Property)
	{
		if (Material.bUseMaterialAttributes)
		{
			return Property == MP_MaterialAttributes;
		}
		const bool bTranslucent = Material.BlendMode != BLEND_Opaque && Material.BlendMode != BLEND_Masked;
		switch (Property)
		{
		case MP_MaterialAttributes:
			return false;
		case MP_Opacity:
		case MP_Refraction:
			return bTranslucent;
		case MP_OpacityMask:
			return Material.BlendMode == BLEND_Masked || Material.DitheredLODTransition;
		default:
			break;
		}
		if (Property >= MP_CustomizedUVs0 && Property <= MP_CustomizedUVs7)
		{
			return Property - MP_CustomizedUVs0 < Material.NumCustomizedUVs;
		}
		return true;
	}

	class FMaterialGraphCheck
	{
	public:
		explicit FMaterialGraphCheck(const UMaterial& InMaterial)
			: Material(InMaterial)
			, MaterialExpressions(InMaterial.GetExpressions().begin(), InMaterial.GetExpressions().end())
		{
		}

		std::vector<std::string> Run()
		{
			for (int Number = 0; Number < MP_MAX; ++Number)
			{
				const auto Property = static_cast<EMaterialProperty>(Number);
				const FExpressionInput* const Input = Material.GetExpressionInputForProperty(Property);
				if (Input == nullptr || !IsPropertyActive(Material, Property))
				{
					continue;
				}
				const UMaterialExpression* const Source = Trace(*Input);
				if (Source == nullptr)
				{
					continue;
				}
				const EValueKind Kind = Visit(*Source);
				if (!IsPropertyKind(Property, Kind))
				{
					// A property is compiled outside any expression, so the message names no node.
					AddError(nullptr, "Cannot cast from " + std::string(DescribeKind(Kind)) + " to " + std::string(PropertyTypeName(Property)) + ".");
				}
			}
			if (Errors.empty())
			{
				return std::move(ShaderErrors);
			}
			return std::move(Errors);
		}

	private:
		static bool IsPropertyKind(EMaterialProperty Property, EValueKind Kind)
		{
			if (Kind == EValueKind::Unknown || Property == MP_ShadingModel || Property == MP_FrontMaterial)
			{
				return true;
			}
			return Property == MP_MaterialAttributes ? Kind == EValueKind::MaterialAttributes : Kind == EValueKind::Float;
		}

		/**
		 * The expression an input really reads: reroutes and named reroutes pass their own input
		 * on, so they are looked through (the editor never compiles them). nullptr when nothing is
		 * at the end, also for reroutes that lead round in a loop and for expressions that are not
		 * the material's.
		 */
		const UMaterialExpression* Trace(const FExpressionInput& Input) const
		{
			const UMaterialExpression* Current = Input.Expression;
			std::unordered_set<const UMaterialExpression*> Passed;
			// Only the material's own expressions are followed (compared before they are read): a
			// reference to one removed from it reads nothing.
			while (Current != nullptr && MaterialExpressions.contains(Current) && IsValid(Current) && Passed.insert(Current).second)
			{
				if (const auto* const Usage = Cast<UMaterialExpressionNamedRerouteUsage>(Current))
				{
					Current = Usage->Declaration;
				}
				else if (Current->IsA<UMaterialExpressionReroute>() || Current->IsA<UMaterialExpressionNamedRerouteDeclaration>())
				{
					const FExpressionInput* const Next = Current->GetInput(0);
					Current = Next != nullptr ? Next->Expression : nullptr;
				}
				else
				{
					return Current;
				}
			}
			return nullptr;
		}

		/** The editor's error text: "(Node <Class>) <Text>", without the node for function calls and function inputs and outputs. */
		void AddError(const UMaterialExpression* Owner, const std::string& Text)
		{
			std::string Error;
			if (Owner != nullptr && !Owner->IsA<UMaterialExpressionMaterialFunctionCall>() && !Owner->IsA<UMaterialExpressionFunctionInput>()
				&& !Owner->IsA<UMaterialExpressionFunctionOutput>())
			{
				Error = "(Node " + ShortClassName(*Owner) + ") ";
			}
			Error += Text;
			if (std::find(Errors.begin(), Errors.end(), Error) == Errors.end())
			{
				Errors.push_back(std::move(Error));
			}
		}

		/** An expression's own error, led by its description or caption: "Texture Sample> Missing input texture". */
		void AddCompilerError(const UMaterialExpression& Expression, std::string_view Caption, std::string_view Message)
		{
			AddError(&Expression, (Expression.Desc.empty() ? std::string(Caption) : Expression.Desc) + "> " + std::string(Message));
		}

		EValueKind Visit(const UMaterialExpression& Expression)
		{
			if (std::find(Stack.begin(), Stack.end(), &Expression) != Stack.end())
			{
				AddError(Stack.back(), "Reentrant expression");
				return EValueKind::Unknown;
			}
			if (const auto Found = Kinds.find(&Expression); Found != Kinds.end())
			{
				return Found->second;
			}
			if (Stack.size() >= MaxMaterialExpressionDepth)
			{
				// Each expression on the way is a level of recursion here and in the translator.
				AddError(&Expression, "Expression chain is longer than " + std::to_string(MaxMaterialExpressionDepth) + " expressions");
				return EValueKind::Unknown;
			}
			Stack.push_back(&Expression);
			const EValueKind Kind = Check(Expression);
			Stack.pop_back();
			Kinds.emplace(&Expression, Kind);
			return Kind;
		}

		/** Checks the expression and what it reads; the kind of value it gives. */
		EValueKind Check(const UMaterialExpression& Expression)
		{
			if (Expression.GetClass() == UMaterialExpression::StaticClass())
			{
				// An expression of a class the host does not know: nothing can be said of it.
				return EValueKind::Unknown;
			}
			if (const auto* const Texture = Cast<UMaterialExpressionTextureBase>(&Expression))
			{
				if (!CheckTexture(*Texture))
				{
					return EValueKind::Unknown;
				}
			}
			if (const auto* const Call = Cast<UMaterialExpressionMaterialFunctionCall>(&Expression); Call != nullptr && Call->GetMaterialFunction() == nullptr)
			{
				AddError(&Expression, "Missing Material Function");
				return EValueKind::Unknown;
			}
			if (const auto* const Custom = Cast<UMaterialExpressionCustom>(&Expression))
			{
				return CheckCustom(*Custom);
			}
			if (const auto* const Switch = Cast<UMaterialExpressionStaticSwitchParameter>(&Expression))
			{
				// Only the branch the switch's value selects is compiled.
				CheckInput(Expression, Switch->GetDefaultValue() ? 0 : 1);
				return EValueKind::Unknown;
			}
			for (int32_t Index = 0; Index < Expression.CountInputs(); ++Index)
			{
				CheckInput(Expression, Index);
			}
			return OutputKind(Expression);
		}

		/** False (and the expression's error) when a texture expression has no texture it can use. */
		bool CheckTexture(const UMaterialExpressionTextureBase& Expression)
		{
			const UTexture* const Texture = Expression.GetTexture();
			const std::string ShortName = ShortClassName(Expression);
			const auto Text = std::find_if(TextureExpressionTexts.begin(), TextureExpressionTexts.end(), [&ShortName](const FTextureExpressionText& Entry) { return Entry.ShortName == ShortName; });
			if (Text != TextureExpressionTexts.end())
			{
				const bool bWrongKind = Texture != nullptr && ((ShortName == "TextureSampleParameter2D" && IsTextureCube(*Texture)) || (ShortName == "TextureSampleParameterCube" && !IsTextureCube(*Texture)));
				if (Texture == nullptr || bWrongKind)
				{
					AddCompilerError(Expression, Text->Caption, Text->Requirement);
					return false;
				}
				return true;
			}
			// A sample takes its texture from its Tex input when that is connected.
			const std::optional<int32_t> TextureInput = FindInputNamed(Expression, "Tex");
			const FExpressionInput* const Input = TextureInput ? Expression.GetInput(*TextureInput) : nullptr;
			if (Texture == nullptr && (Input == nullptr || Input->Expression == nullptr))
			{
				AddCompilerError(Expression, "Texture Sample", "Missing input texture");
				return false;
			}
			return true;
		}

		EValueKind CheckCustom(const UMaterialExpressionCustom& Custom)
		{
			for (std::size_t Index = 0; Index < Custom.Inputs.size(); ++Index)
			{
				const FExpressionInput& Input = Custom.Inputs[Index];
				if (Input.InputName.empty())
				{
					continue;
				}
				const UMaterialExpression* const Source = Trace(Input);
				if (Source == nullptr)
				{
					AddError(&Custom, "Custom material " + Custom.GetDescription() + " missing input " + std::to_string(Index + 1) + " (" + Input.InputName + ")");
					continue;
				}
				CheckKind(Custom, static_cast<int32_t>(Index), EValueKind::Float, Visit(*Source));
			}
			// The editor wraps code without a return in `return <code>;`, so empty code leaves a function returning nothing.
			const int CustomIndex = CustomExpressionCount++;
			const std::string Code = Custom.GetCode();
			if (Code.find_first_not_of(" \t\r\n") == std::string::npos)
			{
				const std::string Error = "/Engine/Generated/Material.ush: error X3080: 'CustomExpression" + std::to_string(CustomIndex) + "': function must return a value";
				if (std::find(ShaderErrors.begin(), ShaderErrors.end(), Error) == ShaderErrors.end())
				{
					ShaderErrors.push_back(Error);
				}
			}
			return Custom.GetOutputType() == CMOT_MaterialAttributes ? EValueKind::MaterialAttributes : EValueKind::Float;
		}

		void CheckInput(const UMaterialExpression& Expression, int32_t Index)
		{
			const FExpressionInput* const Input = Expression.GetInput(Index);
			const UMaterialExpression* const Source = Input != nullptr ? Trace(*Input) : nullptr;
			if (Source == nullptr)
			{
				if (Expression.IsInputRequired(Index))
				{
					const std::string Name = Expression.GetInputName(Index);
					const bool bUnnamed = Name.empty() || Name == "Input" || Expression.CountInputs() == 1;
					AddError(&Expression, "Missing " + (bUnnamed ? ShortClassName(Expression) : Name) + " input");
				}
				return;
			}
			CheckKind(Expression, Index, ExpectedKind(Expression, Index), Visit(*Source));
		}

		/** Reports a value of a kind the input cannot take. */
		void CheckKind(const UMaterialExpression& Expression, int32_t Index, EValueKind Expected, EValueKind Given)
		{
			const bool bCompatible = Expected == EValueKind::Unknown || Given == EValueKind::Unknown || Expected == Given
				|| (Expected == EValueKind::Texture2D && IsTextureKind(Given));
			if (bCompatible)
			{
				return;
			}
			const std::string ShortName = ShortClassName(Expression);
			if (Index < 2 && Expected == EValueKind::Float && std::find(ArithmeticClasses.begin(), ArithmeticClasses.end(), ShortName) != ArithmeticClasses.end())
			{
				// The two operands as the arithmetic meets them; an open one is the expression's constant.
				const auto OperandKind = [this, &Expression](int32_t Operand) {
					const FExpressionInput* const Input = Expression.GetInput(Operand);
					const UMaterialExpression* const Source = Input != nullptr ? Trace(*Input) : nullptr;
					const auto Found = Source != nullptr ? Kinds.find(Source) : Kinds.end();
					return Found != Kinds.end() ? Found->second : EValueKind::Float;
				};
				const EValueKind A = Index == 0 ? Given : OperandKind(0);
				const EValueKind B = Index == 1 ? Given : OperandKind(1);
				AddError(&Expression, "Attempting to perform arithmetic on non-numeric types: " + std::string(DescribeKind(A)) + " " + std::string(DescribeKind(B)));
				return;
			}
			AddError(&Expression, "Cannot cast from " + std::string(DescribeKind(Given)) + " to " + std::string(DescribeKind(Expected)) + ".");
		}

		static std::optional<int32_t> FindInputNamed(const UMaterialExpression& Expression, std::string_view Name)
		{
			for (int32_t Index = 0; Index < Expression.CountInputs(); ++Index)
			{
				if (Expression.GetInputName(Index) == Name)
				{
					return Index;
				}
			}
			return std::nullopt;
		}

		/** The kind an input takes: a texture for a sample's Tex, attributes for the layers' input, anything for pass-through inputs, else a number. */
		static EValueKind ExpectedKind(const UMaterialExpression& Expression, int32_t Index)
		{
			const std::string Name = Expression.GetInputName(Index);
			if (Name == "Tex" || Name == "TextureObject")
			{
				return EValueKind::Texture2D;
			}
			if (Expression.IsA<UMaterialExpressionMaterialAttributeLayers>())
			{
				return EValueKind::MaterialAttributes;
			}
			if (Expression.IsA<UMaterialExpressionMaterialFunctionCall>() || Expression.IsA<UMaterialExpressionFunctionOutput>() || Expression.IsA<UMaterialExpressionFunctionInput>()
				|| Expression.IsA<UMaterialExpressionStaticSwitchParameter>() || IsClass(Expression, "BreakMaterialAttributes") || IsClass(Expression, "SetMaterialAttributes"))
			{
				return EValueKind::Unknown;
			}
			return EValueKind::Float;
		}

		/** The kind of value the expression gives. */
		static EValueKind OutputKind(const UMaterialExpression& Expression)
		{
			if (IsClass(Expression, "TextureObject") || IsClass(Expression, "TextureObjectParameter"))
			{
				const UTexture* const Texture = Cast<UMaterialExpressionTextureBase>(&Expression)->GetTexture();
				return Texture != nullptr && IsTextureCube(*Texture) ? EValueKind::TextureCube : EValueKind::Texture2D;
			}
			if (IsClass(Expression, "StaticBool") || IsClass(Expression, "StaticBoolParameter"))
			{
				return EValueKind::StaticBool;
			}
			if (Expression.IsA<UMaterialExpressionMaterialAttributeLayers>() || IsClass(Expression, "MakeMaterialAttributes") || IsClass(Expression, "SetMaterialAttributes")
				|| IsClass(Expression, "BlendMaterialAttributes"))
			{
				return EValueKind::MaterialAttributes;
			}
			if (Expression.IsA<UMaterialExpressionMaterialFunctionCall>() || Expression.IsA<UMaterialExpressionFunctionInput>() || IsClass(Expression, "BreakMaterialAttributes"))
			{
				return EValueKind::Unknown;
			}
			return EValueKind::Float;
		}

		const UMaterial& Material;
		const std::unordered_set<const UMaterialExpression*> MaterialExpressions;
		std::vector<const UMaterialExpression*> Stack;
		std::unordered_map<const UMaterialExpression*, EValueKind> Kinds;
		std::vector<std::string> Errors;
		/** Errors the shader compiler would give; it runs only when the graph compiled. */
		std::vector<std::string> ShaderErrors;
		int CustomExpressionCount = 0;
	};
}

std::vector<std::string> CheckMaterialExpressionGraph(const UMaterial& Material)
{
	return FMaterialGraphCheck(Material).Run();
}
