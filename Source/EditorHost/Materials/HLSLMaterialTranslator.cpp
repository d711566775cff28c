#include "Materials/HLSLMaterialTranslator.h"

#include "Core/TextHelpers.h"
#include "Graph/CopyPasteTextValue.h"
#include "Materials/Material.h"
#include "Materials/MaterialCompileChecks.h"
#include "Materials/MaterialExpressions.h"
#include "Materials/MaterialFunction.h"
#include "Materials/MaterialHLSLTemplate.h"
#include "Objects/Class.h"
#include "Textures/Texture.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <map>
#include <optional>
#include <string_view>
#include <tuple>

namespace
{
	/** The number of components of a value; Attributes for a material attributes struct, Texture for a texture object. */
	constexpr int32_t AttributesType = -1;
	constexpr int32_t TextureType = 0;

	/** A translated value: its HLSL text and type. */
	struct FCode
	{
		std::string Text;
		int32_t Components = 1;
		/** For a texture object: the index in the translation's textures. */
		int32_t TextureIndex = -1;
	};

	std::string TypeName(int32_t Components)
	{
		if (Components == AttributesType)
		{
			return "FMaterialAttributes";
		}
		if (Components == TextureType)
		{
			return "texture";
		}
		return Components == 1 ? "float" : "float" + std::to_string(Components);
	}

	/** The shortest text that reads back as the same float, always with a point or exponent (HLSL reads "2" as an int). */
	std::string FormatNumber(float Value)
	{
		if (!std::isfinite(Value))
		{
			return "0.0";
		}
		char Buffer[32];
		const auto [End, Error] = std::to_chars(Buffer, Buffer + sizeof(Buffer), Value);
		std::string Text(Buffer, Error == std::errc() ? End : Buffer);
		if (Text.find_first_of(".e") == std::string::npos)
		{
			Text += ".0";
		}
		return Text;
	}

	std::optional<float> ParseFloat(std::string_view Text)
	{
		float Value = 0.0f;
		const auto [End, Error] = std::from_chars(Text.data(), Text.data() + Text.size(), Value);
		return Error == std::errc() && End == Text.data() + Text.size() ? std::optional<float>(Value) : std::nullopt;
	}

	/** The kept text of a property, else its class default's text. */
	std::string PropertyText(const UMaterialExpression& Expression, std::string_view Name)
	{
		if (std::optional<std::string> Kept = Expression.GetKeptPropertyText(Name))
		{
			return std::move(*Kept);
		}
		const FProperty* const Property = Expression.GetClass()->FindPropertyByName(Name);
		return Property != nullptr ? Property->GetDefaultValueText() : std::string();
	}

	float FloatProperty(const UMaterialExpression& Expression, std::string_view Name, float Fallback = 0.0f)
	{
		return ParseFloat(PropertyText(Expression, Name)).value_or(Fallback);
	}

	bool BoolProperty(const UMaterialExpression& Expression, std::string_view Name)
	{
		const std::string Text = PropertyText(Expression, Name);
		return Text == "True" || Text == "true" || Text == "1";
	}

	/** The channels of a colour text `(R=1.0,G=0.5,B=0,A=1)`; missing ones are 0. */
	std::array<float, 4> ColorProperty(const UMaterialExpression& Expression, std::string_view Name)
	{
		const std::string Text = PropertyText(Expression, Name);
		std::array<float, 4> Channels{};
		constexpr std::array<std::string_view, 4> Keys = {"R=", "G=", "B=", "A="};
		for (std::size_t Index = 0; Index < Keys.size(); ++Index)
		{
			const std::size_t At = Text.find(Keys[Index]);
			if (At == std::string::npos)
			{
				continue;
			}
			const std::size_t Start = At + Keys[Index].size();
			const std::size_t End = Text.find_first_of(",)", Start);
			Channels[Index] = ParseFloat(std::string_view(Text).substr(Start, End == std::string::npos ? std::string::npos : End - Start)).value_or(0.0f);
		}
		return Channels;
	}

	std::string VectorText(const std::array<float, 4>& Values, int32_t Components)
	{
		if (Components == 1)
		{
			return FormatNumber(Values[0]);
		}
		std::string Text = TypeName(Components) + "(";
		for (int32_t Index = 0; Index < Components; ++Index)
		{
			Text += (Index > 0 ? ", " : "") + FormatNumber(Values[Index]);
		}
		return Text + ")";
	}

	/** How deep custom code may nest brackets: glslang's parser recurses per level and deeper code could exhaust the stack. */
	constexpr int32_t MaxCustomCodeNesting = 128;

	bool IsIdentifier(std::string_view Name)
	{
		const auto IsLetter = [](char Character) { return (Character >= 'A' && Character <= 'Z') || (Character >= 'a' && Character <= 'z') || Character == '_'; };
		const auto IsDigit = [](char Character) { return Character >= '0' && Character <= '9'; };
		return !Name.empty() && IsLetter(Name.front()) && std::all_of(Name.begin(), Name.end(), [&](char Character) { return IsLetter(Character) || IsDigit(Character); });
	}

	/**
	 * Why custom code cannot be compiled safely, or nothing: a preprocessor directive (a macro
	 * can expand without bound, an include would read files) or brackets nested too deep.
	 */
	std::optional<std::string> FindUnsafeCustomCode(std::string_view Code)
	{
		bool bLineStart = true;
		int32_t Depth = 0;
		for (const char Character : Code)
		{
			if (Character == '\n')
			{
				bLineStart = true;
				continue;
			}
			if (bLineStart && Character == '#')
			{
				return std::string("uses a preprocessor directive, which custom code may not");
			}
			if (Character != ' ' && Character != '\t' && Character != '\r')
			{
				bLineStart = false;
			}
			if (Character == '(' || Character == '[' || Character == '{')
			{
				if (++Depth > MaxCustomCodeNesting)
				{
					return "nests brackets deeper than " + std::to_string(MaxCustomCodeNesting) + " levels";
				}
			}
			else if ((Character == ')' || Character == ']' || Character == '}') && Depth > 0)
			{
				--Depth;
			}
		}
		return std::nullopt;
	}

	bool IsTextureCubeAsset(const UTexture& Texture) { return Texture.GetClass()->GetName().find("TextureCube") != std::string::npos; }

	/** Where a graph is being translated: the material itself, or a function call's function with the call's inputs bound. */
	struct FFunctionFrame
	{
		const UMaterialExpressionMaterialFunctionCall* Call = nullptr;
		const UMaterialFunctionInterface* Function = nullptr;
		/** The frame the call sits in. */
		int32_t ParentFrame = -1;
		/** Bound attribute inputs (layer blends), by the function input's name. */
		std::map<std::string, FCode, std::less<>> BoundInputs;
		/** Which attribute layer or blend the parameters belong to ("" for the material's own): each has its own values. */
		std::string ParameterScope;
	};

	std::optional<FExpressionInput> TraceInput(const FExpressionInput& Input);

	class FTranslator
	{
	public:
		FTranslator(const UMaterial& InMaterial, const std::vector<FStaticSwitchOverride>& InStaticSwitches)
			: Material(InMaterial)
			, StaticSwitches(InStaticSwitches)
		{
			Frames.push_back(FFunctionFrame{});
		}

		FMaterialTranslation Run();

	private:
		void AddError(const UMaterialExpression* Owner, std::string_view Text)
		{
			std::string Error;
			if (Owner != nullptr && !Owner->IsA<UMaterialExpressionMaterialFunctionCall>() && !Owner->IsA<UMaterialExpressionFunctionInput>()
				&& !Owner->IsA<UMaterialExpressionFunctionOutput>())
			{
				Error = "(Node " + GetExpressionShortClassName(*Owner) + ") ";
			}
			Error += Text;
			if (std::find(Result.Errors.begin(), Result.Errors.end(), Error) == Result.Errors.end())
			{
				Result.Errors.push_back(std::move(Error));
			}
		}

		/** A statement of CalcPixelMaterialInputs declaring a local with the value; the local's code. */
		FCode AddLocal(const UMaterialExpression* Owner, const FCode& Value)
		{
			const std::string Name = "Local" + std::to_string(LocalCount++);
			BodyLines.emplace_back("\t" + TypeName(Value.Components) + " " + Name + " = " + Value.Text + ";", Owner);
			return FCode{Name, Value.Components, Value.TextureIndex};
		}

		std::optional<FCode> CastCode(const UMaterialExpression* Owner, const FCode& Value, int32_t Components)
		{
			if (Value.Components == Components)
			{
				return Value;
			}
			if (Value.Components <= 0 || Components <= 0)
			{
				AddError(Owner, "Cannot cast from " + TypeName(Value.Components) + " to " + TypeName(Components) + ".");
				return std::nullopt;
			}
			if (Value.Components == 1)
			{
				return FCode{"((" + TypeName(Components) + ")" + Value.Text + ")", Components};
			}
			if (Value.Components > Components)
			{
				return FCode{Value.Text + std::string(".xyzw").substr(0, 1 + Components), Components};
			}
			AddError(Owner, "Cannot cast from smaller type " + TypeName(Value.Components) + " to larger type " + TypeName(Components) + ".");
			return std::nullopt;
		}

		/** The common type of two operands, or an error: numbers of the same width, or one of them a float. */
		std::optional<int32_t> ArithmeticType(const UMaterialExpression& Owner, const FCode& A, const FCode& B)
		{
			if (A.Components <= 0 || B.Components <= 0)
			{
				AddError(&Owner, "Attempting to perform arithmetic on non-numeric types: " + TypeName(A.Components) + " " + TypeName(B.Components));
				return std::nullopt;
			}
			if (A.Components != B.Components && A.Components != 1 && B.Components != 1)
			{
				AddError(&Owner, "Arithmetic between types " + TypeName(A.Components) + " and " + TypeName(B.Components) + " are undefined");
				return std::nullopt;
			}
			return std::max(A.Components, B.Components);
		}

		std::optional<int32_t> FindInput(const UMaterialExpression& Expression, std::string_view Name) const
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

		/** The value on an input, or nothing (no error) when it is open. */
		std::optional<FCode> InputCode(const UMaterialExpression& Expression, std::string_view Name, bool& bFailed)
		{
			const std::optional<int32_t> Index = FindInput(Expression, Name);
			const FExpressionInput* const Input = Index ? Expression.GetInput(*Index) : nullptr;
			if (Input == nullptr || !TraceInput(*Input))
			{
				return std::nullopt;
			}
			std::optional<FCode> Code = TranslateInput(*Input, CurrentFrame);
			bFailed = bFailed || !Code;
			return Code;
		}

		/** An input's value, or the expression's constant property when it is open. */
		std::optional<FCode> InputOrConstant(const UMaterialExpression& Expression, std::string_view Name, std::string_view ConstantProperty, bool& bFailed)
		{
			if (std::optional<FCode> Code = InputCode(Expression, Name, bFailed))
			{
				return Code;
			}
			if (bFailed)
			{
				return std::nullopt;
			}
			return FCode{FormatNumber(FloatProperty(Expression, ConstantProperty))};
		}

		std::optional<FCode> RequiredInput(const UMaterialExpression& Expression, std::string_view Name, bool& bFailed)
		{
			std::optional<FCode> Code = InputCode(Expression, Name, bFailed);
			if (!Code && !bFailed)
			{
				// The wording of the graph checks: a one-input expression (or its input called Input) is named by its class.
				const bool bUnnamed = Name == "Input" || Expression.CountInputs() == 1;
				AddError(&Expression, "Missing " + (bUnnamed ? GetExpressionShortClassName(Expression) : std::string(Name)) + " input");
				bFailed = true;
			}
			return Code;
		}

		std::optional<FCode> TranslateInput(const FExpressionInput& Input, int32_t Frame);
		std::optional<FCode> TranslateOutput(const UMaterialExpression& Expression, int32_t OutputIndex, int32_t Frame);
		std::optional<FCode> Translate(const UMaterialExpression& Expression, int32_t OutputIndex);
		std::optional<FCode> TranslateBinary(const UMaterialExpression& Expression, std::string_view Operator);
		std::optional<FCode> TranslateFunctionCall(const UMaterialExpressionMaterialFunctionCall& Call, int32_t OutputIndex);
		std::optional<FCode> TranslateFunctionInput(const UMaterialExpressionFunctionInput& Input);
		std::optional<FCode> TranslateFunctionOutputs(const UMaterialFunctionInterface& Function, int32_t OutputIndex, int32_t Frame, const UMaterialExpression* Owner);
		std::optional<FCode> TranslateTextureSample(const UMaterialExpressionTextureBase& Sample, int32_t OutputIndex);
		std::optional<FCode> TranslateCustom(const UMaterialExpressionCustom& Custom);
		std::optional<FCode> TranslateMakeAttributes(const UMaterialExpression& Make);
		std::optional<FCode> TranslateLayers(const UMaterialExpressionMaterialAttributeLayers& Layers);
		std::optional<FCode> ScalarParameter(const std::string& Name, std::array<float, 4> Default, int32_t Components);
		std::optional<FCode> TextureCoordinate(int32_t Index);
		int32_t AddTexture(const UMaterialExpressionTextureBase& Expression, const UTexture* Texture, const std::string& ParameterName);

		void WriteSource();

		/** The switch's value: the instance's override when it sets one, else the expression's default. */
		bool StaticSwitchValue(const UMaterialExpressionStaticSwitchParameter& Switch) const
		{
			const std::string Name = Switch.GetParameterName();
			for (const FStaticSwitchOverride& Override : StaticSwitches)
			{
				if (Text::EqualsIgnoreCase(Override.Name, Name))
				{
					return Override.Value;
				}
			}
			return Switch.GetDefaultValue();
		}

		const UMaterial& Material;
		const std::vector<FStaticSwitchOverride>& StaticSwitches;
		FMaterialTranslation Result;
		std::vector<FFunctionFrame> Frames;
		int32_t CurrentFrame = 0;
		std::vector<std::pair<std::string, const UMaterialExpression*>> BodyLines;
		std::vector<std::pair<std::string, const UMaterialExpression*>> FunctionLines;
		std::map<std::tuple<int32_t, const UMaterialExpression*, int32_t>, FCode> Translated;
		std::vector<std::pair<int32_t, const UMaterialExpression*>> Stack;
		std::map<std::string, int32_t, std::less<>> UniformSlots;
		std::map<const UMaterialExpression*, int32_t> PlainTextures;
		int32_t LocalCount = 0;
		int32_t CustomCount = 0;
		std::array<std::optional<FCode>, MP_MAX> Properties;
	};

	/**
	 * The input an input really reads: reroutes and named reroutes pass their own input on, so
	 * they are looked through. Nothing when nothing is at the end, also for reroutes that lead
	 * round in a loop. The mask is the input's own, else the last one on the way.
	 */
	std::optional<FExpressionInput> TraceInput(const FExpressionInput& Input)
	{
		FExpressionInput Current = Input;
		std::vector<const UMaterialExpression*> Passed;
		while (Current.Expression != nullptr)
		{
			const UMaterialExpression* const Expression = Current.Expression;
			if (std::find(Passed.begin(), Passed.end(), Expression) != Passed.end())
			{
				return std::nullopt;
			}
			Passed.push_back(Expression);
			const FExpressionInput* Next = nullptr;
			FExpressionInput Declared;
			if (const auto* const Usage = Cast<UMaterialExpressionNamedRerouteUsage>(Expression))
			{
				Declared.Expression = Usage->Declaration;
				Next = &Declared;
			}
			else if (Expression->IsA<UMaterialExpressionReroute>() || Expression->IsA<UMaterialExpressionNamedRerouteDeclaration>())
			{
				Next = Expression->GetInput(0);
			}
			if (Next == nullptr)
			{
				FExpressionInput Traced = Current;
				if (Input.Mask != 0)
				{
					Traced.Mask = Input.Mask;
					Traced.MaskR = Input.MaskR;
					Traced.MaskG = Input.MaskG;
					Traced.MaskB = Input.MaskB;
					Traced.MaskA = Input.MaskA;
				}
				return Traced;
			}
			Current = *Next;
		}
		return std::nullopt;
	}

	std::optional<FCode> FTranslator::TranslateInput(const FExpressionInput& RawInput, int32_t Frame)
	{
		const std::optional<FExpressionInput> Traced = TraceInput(RawInput);
		if (!Traced)
		{
			return std::nullopt;
		}
		const FExpressionInput& Input = *Traced;
		std::optional<FCode> Code = TranslateOutput(*Input.Expression, Input.OutputIndex, Frame);
		if (!Code || Input.Mask == 0 || Code->Components <= 0)
		{
			return Code;
		}
		std::string Swizzle;
		const std::array<std::pair<int32_t, char>, 4> Channels = {{{Input.MaskR, 'x'}, {Input.MaskG, 'y'}, {Input.MaskB, 'z'}, {Input.MaskA, 'w'}}};
		for (int32_t Index = 0; Index < std::min<int32_t>(4, Code->Components); ++Index)
		{
			if (Channels[Index].first != 0)
			{
				Swizzle += Channels[Index].second;
			}
		}
		if (Swizzle.empty() || (static_cast<int32_t>(Swizzle.size()) == Code->Components && Swizzle == std::string("xyzw").substr(0, Swizzle.size())))
		{
			return Code;
		}
		return FCode{Code->Text + "." + Swizzle, static_cast<int32_t>(Swizzle.size())};
	}

	std::optional<FCode> FTranslator::TranslateOutput(const UMaterialExpression& Expression, int32_t OutputIndex, int32_t Frame)
	{
		const auto Key = std::make_tuple(Frame, &Expression, OutputIndex);
		if (const auto Found = Translated.find(Key); Found != Translated.end())
		{
			return Found->second;
		}
		if (std::find(Stack.begin(), Stack.end(), std::pair{Frame, &Expression}) != Stack.end())
		{
			AddError(Stack.back().second, "Reentrant expression");
			return std::nullopt;
		}
		if (Stack.size() >= MaxMaterialExpressionDepth)
		{
			AddError(&Expression, "Expression chain is longer than " + std::to_string(MaxMaterialExpressionDepth) + " expressions");
			return std::nullopt;
		}
		Stack.emplace_back(Frame, &Expression);
		const int32_t SavedFrame = CurrentFrame;
		CurrentFrame = Frame;
		std::optional<FCode> Code = Translate(Expression, OutputIndex);
		CurrentFrame = SavedFrame;
		Stack.pop_back();
		if (!Code)
		{
			return std::nullopt;
		}
		// Plain texts (constants, parameters, locals) are used in place; anything computed gets a local.
		const bool bPlain = Code->Components <= 0 || Code->Text.find_first_of(" (") == std::string::npos;
		FCode Stored = bPlain ? *Code : AddLocal(&Expression, *Code);
		Translated.emplace(Key, Stored);
		return Stored;
	}

	std::optional<FCode> FTranslator::TranslateBinary(const UMaterialExpression& Expression, std::string_view Operator)
	{
		bool bFailed = false;
		const std::optional<FCode> A = InputOrConstant(Expression, "A", "ConstA", bFailed);
		const std::optional<FCode> B = InputOrConstant(Expression, "B", "ConstB", bFailed);
		if (bFailed)
		{
			return std::nullopt;
		}
		const std::optional<int32_t> Type = ArithmeticType(Expression, *A, *B);
		if (!Type)
		{
			return std::nullopt;
		}
		if (Operator.size() > 1)
		{
			return FCode{std::string(Operator) + "(" + A->Text + ", " + B->Text + ")", *Type};
		}
		return FCode{"(" + A->Text + " " + std::string(Operator) + " " + B->Text + ")", *Type};
	}

	std::optional<FCode> FTranslator::ScalarParameter(const std::string& Name, std::array<float, 4> Default, int32_t Components)
	{
		// A parameter is one value wherever the material reads it; each layer and blend has its own.
		const std::string Key = Frames[CurrentFrame].ParameterScope + "/" + Name;
		auto Slot = UniformSlots.find(Key);
		if (Slot == UniformSlots.end())
		{
			const auto Index = static_cast<int32_t>(Result.Uniforms.size());
			Result.Uniforms.push_back(FMaterialUniformParameter{Name, Index * 4, Components, Default});
			Slot = UniformSlots.emplace(Key, Index).first;
		}
		const std::string Value = "Material.Values[" + std::to_string(Slot->second) + "]";
		return FCode{Components == 4 ? Value : Value + std::string(".xyzw").substr(0, 1 + Components), Components};
	}

	std::optional<FCode> FTranslator::TextureCoordinate(int32_t Index)
	{
		if (Index < 0 || Index > 1)
		{
			return FCode{"float2(0.0, 0.0)", 2};
		}
		return FCode{Index == 0 ? "Parameters.TexCoords01.xy" : "Parameters.TexCoords01.zw", 2};
	}

	int32_t FTranslator::AddTexture(const UMaterialExpressionTextureBase& Expression, const UTexture* Texture, const std::string& ParameterName)
	{
		for (std::size_t Index = 0; Index < Result.Textures.size(); ++Index)
		{
			if (!ParameterName.empty() && Result.Textures[Index].ParameterName == ParameterName)
			{
				return static_cast<int32_t>(Index);
			}
		}
		if (ParameterName.empty())
		{
			if (const auto Found = PlainTextures.find(&Expression); Found != PlainTextures.end())
			{
				return Found->second;
			}
		}
		const auto Unit = static_cast<int32_t>(Result.Textures.size());
		const bool bCube = Texture != nullptr ? IsTextureCubeAsset(*Texture) : GetExpressionShortClassName(Expression).find("Cube") != std::string::npos;
		Result.Textures.push_back(FMaterialTextureParameter{ParameterName, std::string(bCube ? "Material_TextureCube_" : "Material_Texture2D_") + std::to_string(Unit), Unit,
			Texture != nullptr ? Texture->GetPathName() : std::string(), bCube});
		if (ParameterName.empty())
		{
			PlainTextures.emplace(&Expression, Unit);
		}
		return Unit;
	}

	std::optional<FCode> FTranslator::TranslateTextureSample(const UMaterialExpressionTextureBase& Sample, int32_t OutputIndex)
	{
		bool bFailed = false;
		const std::string ShortName = GetExpressionShortClassName(Sample);
		int32_t Unit = -1;
		if (std::optional<FCode> Object = InputCode(Sample, "Tex", bFailed))
		{
			if (Object->Components != TextureType)
			{
				AddError(&Sample, "Cannot cast from " + TypeName(Object->Components) + " to texture2D.");
				return std::nullopt;
			}
			Unit = Object->TextureIndex;
		}
		if (bFailed)
		{
			return std::nullopt;
		}
		const UTexture* const Texture = Sample.GetTexture();
		if (Unit < 0)
		{
			if (Texture == nullptr && !Sample.IsA<UMaterialExpressionTextureSampleParameter>())
			{
				AddError(&Sample, (Sample.Desc.empty() ? std::string("Texture Sample") : Sample.Desc) + "> Missing input texture");
				return std::nullopt;
			}
			const auto* const Parameter = Cast<UMaterialExpressionTextureSampleParameter>(&Sample);
			Unit = AddTexture(Sample, Texture, Parameter != nullptr ? Parameter->GetParameterName() : std::string());
		}
		const FMaterialTextureParameter& Entry = Result.Textures[Unit];
		if (ShortName == "TextureObject" || ShortName == "TextureObjectParameter")
		{
			return FCode{Entry.GlslSamplerName, TextureType, Unit};
		}
		std::optional<FCode> Coordinates = InputCode(Sample, "UVs", bFailed);
		if (bFailed)
		{
			return std::nullopt;
		}
		if (!Coordinates)
		{
			Coordinates = Entry.bCube ? FCode{"Parameters.WorldNormal", 3} : *TextureCoordinate(static_cast<int32_t>(FloatProperty(Sample, "ConstCoordinate")));
		}
		Coordinates = CastCode(&Sample, *Coordinates, Entry.bCube ? 3 : 2);
		if (!Coordinates)
		{
			return std::nullopt;
		}
		std::string Sampled = Entry.GlslSamplerName + ".Sample(" + Entry.GlslSamplerName + "Sampler, " + Coordinates->Text + ")";
		const UTexture* const Source = Entry.DefaultTexturePath.empty() ? nullptr : Texture;
		if (Source != nullptr && Source->CompressionSettings == TC_Normalmap)
		{
			Sampled = "UnpackNormalMap(" + Sampled + ")";
		}
		const FCode Value = AddLocal(&Sample, FCode{Sampled, 4});
		constexpr std::array<std::string_view, 6> Outputs = {".rgb", ".r", ".g", ".b", ".a", ""};
		constexpr std::array<int32_t, 6> Widths = {3, 1, 1, 1, 1, 4};
		const auto Index = static_cast<std::size_t>(std::clamp(OutputIndex, 0, 5));
		return FCode{Value.Text + std::string(Outputs[Index]), Widths[Index]};
	}

	std::optional<FCode> FTranslator::TranslateCustom(const UMaterialExpressionCustom& Custom)
	{
		const std::string Code = Custom.GetCode();
		if (Code.size() > MaxCustomExpressionCodeLength)
		{
			AddError(&Custom, "Custom material " + Custom.GetDescription() + " has " + std::to_string(Code.size()) + " characters of code; at most " + std::to_string(MaxCustomExpressionCodeLength)
				+ " are compiled");
			return std::nullopt;
		}
		if (const std::optional<std::string> Unsafe = FindUnsafeCustomCode(Code))
		{
			AddError(&Custom, "Custom material " + Custom.GetDescription() + " " + *Unsafe);
			return std::nullopt;
		}
		const ECustomMaterialOutputType OutputType = Custom.GetOutputType();
		if (OutputType == CMOT_MaterialAttributes || OutputType >= CMOT_MAX)
		{
			AddError(&Custom, "Custom material " + Custom.GetDescription() + " output type not supported");
			return std::nullopt;
		}
		const int32_t Components = static_cast<int32_t>(OutputType) + 1;
		std::string Arguments = "Parameters";
		std::string Parameters = "FMaterialPixelParameters Parameters";
		bool bFailed = false;
		for (std::size_t Index = 0; Index < Custom.Inputs.size(); ++Index)
		{
			const FExpressionInput& Input = Custom.Inputs[Index];
			if (Input.InputName.empty())
			{
				continue;
			}
			// The name becomes a parameter of the custom function, so it must be an identifier.
			if (!IsIdentifier(Input.InputName))
			{
				AddError(&Custom, "Custom material " + Custom.GetDescription() + " input " + std::to_string(Index + 1) + " name '" + Input.InputName + "' is not a valid identifier");
				bFailed = true;
				continue;
			}
			std::optional<FCode> Value = TranslateInput(Input, CurrentFrame);
			if (!Value)
			{
				if (!TraceInput(Input))
				{
					AddError(&Custom, "Custom material " + Custom.GetDescription() + " missing input " + std::to_string(Index + 1) + " (" + Input.InputName + ")");
				}
				bFailed = true;
				continue;
			}
			Arguments += ", " + Value->Text;
			Parameters += ", " + TypeName(Value->Components) + " " + Input.InputName;
		}
		if (bFailed)
		{
			return std::nullopt;
		}
		// Numbered once its inputs are translated, as they may hold custom expressions of their own.
		const std::string FunctionName = "CustomExpression" + std::to_string(CustomCount++);
		FunctionLines.emplace_back(TypeName(Components) + " " + FunctionName + "(" + Parameters + ")", &Custom);
		FunctionLines.emplace_back("{", &Custom);
		// As the editor does, code without a return statement is one expression to return.
		const std::string Body = Code.find("return") == std::string::npos ? "return " + Code + ";" : Code;
		std::size_t Start = 0;
		while (Start <= Body.size())
		{
			const std::size_t End = Body.find('\n', Start);
			std::string Line = Body.substr(Start, End == std::string::npos ? std::string::npos : End - Start);
			if (!Line.empty() && Line.back() == '\r')
			{
				Line.pop_back();
			}
			FunctionLines.emplace_back("\t" + Line, &Custom);
			if (End == std::string::npos)
			{
				break;
			}
			Start = End + 1;
		}
		FunctionLines.emplace_back("}", &Custom);
		FunctionLines.emplace_back("", nullptr);
		return FCode{FunctionName + "(" + Arguments + ")", Components};
	}

	/** The attribute fields, their widths and their defaults, in FMaterialAttributes' order. */
	struct FAttributeField
	{
		std::string_view Name;
		int32_t Components;
		std::string_view Default;
	};
	constexpr std::array<FAttributeField, 9> AttributeFields = {{
		{"BaseColor", 3, "float3(0.0, 0.0, 0.0)"},
		{"Metallic", 1, "0.0"},
		{"Specular", 1, "0.5"},
		{"Roughness", 1, "0.5"},
		{"EmissiveColor", 3, "float3(0.0, 0.0, 0.0)"},
		{"Opacity", 1, "1.0"},
		{"OpacityMask", 1, "1.0"},
		{"Normal", 3, "float3(0.0, 0.0, 1.0)"},
		{"AmbientOcclusion", 1, "1.0"},
	}};

	std::optional<FCode> FTranslator::TranslateMakeAttributes(const UMaterialExpression& Make)
	{
		std::string Text = "MakeMaterialAttributes(";
		bool bFailed = false;
		for (std::size_t Index = 0; Index < AttributeFields.size(); ++Index)
		{
			const FAttributeField& Field = AttributeFields[Index];
			std::optional<FCode> Value = InputCode(Make, Field.Name, bFailed);
			if (Value)
			{
				Value = CastCode(&Make, *Value, Field.Components);
				bFailed = bFailed || !Value;
			}
			Text += (Index > 0 ? ", " : "") + (Value ? Value->Text : std::string(Field.Default));
		}
		if (bFailed)
		{
			return std::nullopt;
		}
		return FCode{Text + ")", AttributesType};
	}

	std::optional<FCode> FTranslator::TranslateFunctionOutputs(const UMaterialFunctionInterface& Function, int32_t OutputIndex, int32_t Frame, const UMaterialExpression* Owner)
	{
		std::vector<FFunctionExpressionInput> Inputs;
		std::vector<FFunctionExpressionOutput> Outputs;
		Function.GetInputsAndOutputs(Inputs, Outputs);
		if (OutputIndex < 0 || OutputIndex >= static_cast<int32_t>(Outputs.size()))
		{
			AddError(Owner, "Invalid function output");
			return std::nullopt;
		}
		for (const UMaterialExpression* const Expression : Function.GetExpressions())
		{
			const auto* const Output = Cast<UMaterialExpressionFunctionOutput>(Expression);
			if (Output != nullptr && Output->GetId() == Outputs[OutputIndex].ExpressionOutputId)
			{
				const FExpressionInput* const Input = Output->GetInput(0);
				if (Input == nullptr || !TraceInput(*Input))
				{
					AddError(Output, "Missing function output '" + Output->GetFunctionOutputName() + "'");
					return std::nullopt;
				}
				return TranslateInput(*Input, Frame);
			}
		}
		AddError(Owner, "Invalid function output");
		return std::nullopt;
	}

	std::optional<FCode> FTranslator::TranslateFunctionCall(const UMaterialExpressionMaterialFunctionCall& Call, int32_t OutputIndex)
	{
		const UMaterialFunctionInterface* const Function = Call.GetMaterialFunction();
		if (Function == nullptr)
		{
			AddError(&Call, "Missing Material Function");
			return std::nullopt;
		}
		// A function that calls itself, directly or through others, would be inlined without end.
		for (int32_t Ancestor = CurrentFrame; Ancestor >= 0; Ancestor = Frames[Ancestor].ParentFrame)
		{
			if (Frames[Ancestor].Function == Function)
			{
				AddError(&Call, "Reentrant expression");
				return std::nullopt;
			}
		}
		const auto Found = std::find_if(Frames.begin(), Frames.end(), [&](const FFunctionFrame& Frame) { return Frame.Call == &Call && Frame.ParentFrame == CurrentFrame; });
		int32_t Frame = static_cast<int32_t>(Found - Frames.begin());
		if (Found == Frames.end())
		{
			Frames.push_back(FFunctionFrame{&Call, Function, CurrentFrame, {}, Frames[CurrentFrame].ParameterScope});
		}
		return TranslateFunctionOutputs(*Function, OutputIndex, Frame, &Call);
	}

	int32_t FunctionInputWidth(std::string_view TypeName)
	{
		constexpr std::array<std::pair<std::string_view, int32_t>, 6> Types = {{{"FunctionInput_Scalar", 1}, {"FunctionInput_Vector2", 2}, {"FunctionInput_Vector3", 3},
			{"FunctionInput_Vector4", 4}, {"FunctionInput_MaterialAttributes", AttributesType}, {"FunctionInput_Texture2D", TextureType}}};
		for (const auto& [Name, Width] : Types)
		{
			if (Name == TypeName)
			{
				return Width;
			}
		}
		return 3;
	}

	std::optional<FCode> FTranslator::TranslateFunctionInput(const UMaterialExpressionFunctionInput& Input)
	{
		const FFunctionFrame Frame = Frames[CurrentFrame];
		const int32_t Width = FunctionInputWidth(Input.GetInputTypeName());
		if (const auto Bound = Frame.BoundInputs.find(Input.GetFunctionInputName()); Bound != Frame.BoundInputs.end())
		{
			return Bound->second;
		}
		if (Frame.Call != nullptr)
		{
			std::vector<FFunctionExpressionInput> Inputs;
			std::vector<FFunctionExpressionOutput> Outputs;
			Frame.Function->GetInputsAndOutputs(Inputs, Outputs);
			for (std::size_t Index = 0; Index < Inputs.size() && Index < Frame.Call->FunctionInputs.size(); ++Index)
			{
				const FExpressionInput& CallInput = Frame.Call->FunctionInputs[Index];
				if (Inputs[Index].ExpressionInputId == Input.GetId() && TraceInput(CallInput))
				{
					std::optional<FCode> Value = TranslateInput(CallInput, Frame.ParentFrame);
					return Value && Width > 0 ? CastCode(Frame.Call, *Value, Width) : Value;
				}
			}
		}
		// An open input takes the function's preview value.
		if (const FExpressionInput* const Preview = Input.GetInput(0); Preview != nullptr && TraceInput(*Preview))
		{
			std::optional<FCode> Value = TranslateInput(*Preview, CurrentFrame);
			return Value && Width > 0 ? CastCode(&Input, *Value, Width) : Value;
		}
		if (Width == AttributesType)
		{
			return FCode{"DefaultMaterialAttributes()", AttributesType};
		}
		if (Width == TextureType)
		{
			AddError(&Input, "Missing function input '" + Input.GetFunctionInputName() + "'");
			return std::nullopt;
		}
		return FCode{VectorText(ColorProperty(Input, "PreviewValue"), Width), Width};
	}

	std::optional<FCode> FTranslator::TranslateLayers(const UMaterialExpressionMaterialAttributeLayers& Layers)
	{
		const std::vector<UMaterialFunctionInterface*> LayerFunctions = Layers.GetLayers();
		const std::vector<UMaterialFunctionInterface*> Blends = Layers.GetBlends();
		if (LayerFunctions.empty() || LayerFunctions.front() == nullptr)
		{
			AddError(&Layers, "Missing layer function");
			return std::nullopt;
		}
		const auto Evaluate = [this, &Layers](const UMaterialFunctionInterface& Function, std::string Scope, std::map<std::string, FCode, std::less<>> Bound) -> std::optional<FCode> {
			const auto Frame = static_cast<int32_t>(Frames.size());
			Frames.push_back(FFunctionFrame{nullptr, &Function, CurrentFrame, std::move(Bound), std::move(Scope)});
			std::optional<FCode> Value = TranslateFunctionOutputs(Function, 0, Frame, &Layers);
			return Value ? std::optional<FCode>(AddLocal(&Layers, *Value)) : std::nullopt;
		};
		std::optional<FCode> Blended = Evaluate(*LayerFunctions.front(), "Layer 0", {});
		for (std::size_t Index = 1; Blended && Index < LayerFunctions.size(); ++Index)
		{
			const UMaterialFunctionInterface* const Blend = Index - 1 < Blends.size() ? Blends[Index - 1] : nullptr;
			if (LayerFunctions[Index] == nullptr || Blend == nullptr)
			{
				AddError(&Layers, "Missing layer function");
				return std::nullopt;
			}
			const std::optional<FCode> Top = Evaluate(*LayerFunctions[Index], "Layer " + std::to_string(Index), {});
			if (!Top)
			{
				return std::nullopt;
			}
			Blended = Evaluate(*Blend, "Blend " + std::to_string(Index - 1), {{"Bottom Layer", *Blended}, {"Top Layer", *Top}});
		}
		return Blended;
	}

	std::optional<FCode> FTranslator::Translate(const UMaterialExpression& Expression, int32_t OutputIndex)
	{
		const std::string Name = GetExpressionShortClassName(Expression);
		bool bFailed = false;
		const auto Unary = [&](std::string_view Function, std::string_view InputName = "Input") -> std::optional<FCode> {
			std::optional<FCode> Value = RequiredInput(Expression, InputName, bFailed);
			if (!Value)
			{
				return std::nullopt;
			}
			if (Value->Components <= 0)
			{
				AddError(&Expression, "Cannot cast from " + TypeName(Value->Components) + " to float.");
				return std::nullopt;
			}
			return FCode{std::string(Function) + "(" + Value->Text + ")", Value->Components};
		};

		if (const auto* const Call = Cast<UMaterialExpressionMaterialFunctionCall>(&Expression))
		{
			return TranslateFunctionCall(*Call, OutputIndex);
		}
		if (const auto* const Input = Cast<UMaterialExpressionFunctionInput>(&Expression))
		{
			return TranslateFunctionInput(*Input);
		}
		if (const auto* const Sample = Cast<UMaterialExpressionTextureBase>(&Expression))
		{
			return TranslateTextureSample(*Sample, OutputIndex);
		}
		if (const auto* const Custom = Cast<UMaterialExpressionCustom>(&Expression))
		{
			return TranslateCustom(*Custom);
		}
		if (const auto* const Layers = Cast<UMaterialExpressionMaterialAttributeLayers>(&Expression))
		{
			return TranslateLayers(*Layers);
		}
		if (const auto* const Switch = Cast<UMaterialExpressionStaticSwitchParameter>(&Expression))
		{
			// As in the editor, a switch parameter needs both branches connected; only the one its value selects is translated.
			bool bOpen = false;
			for (const auto& [Index, InputName] : {std::pair{0, "A"}, std::pair{1, "B"}})
			{
				const FExpressionInput* const Branch = Expression.GetInput(Index);
				if (Branch == nullptr || !TraceInput(*Branch))
				{
					AddError(&Expression, std::string("Missing ") + InputName + " input");
					bOpen = true;
				}
			}
			if (bOpen)
			{
				return std::nullopt;
			}
			const FExpressionInput* const Chosen = Expression.GetInput(StaticSwitchValue(*Switch) ? 0 : 1);
			return TranslateInput(*Chosen, CurrentFrame);
		}
		if (const auto* const Scalar = Cast<UMaterialExpressionScalarParameter>(&Expression))
		{
			return ScalarParameter(Scalar->GetParameterName(), {Scalar->GetDefaultValue(), 0.0f, 0.0f, 0.0f}, 1);
		}
		if (const auto* const Vector = Cast<UMaterialExpressionVectorParameter>(&Expression))
		{
			const FLinearColor Default = Vector->GetDefaultValue();
			const std::optional<FCode> Value = ScalarParameter(Vector->GetParameterName(), {Default.R, Default.G, Default.B, Default.A}, 4);
			constexpr std::array<std::string_view, 5> Outputs = {".rgb", ".r", ".g", ".b", ".a"};
			if (OutputIndex <= 0 || OutputIndex > 5)
			{
				return FCode{Value->Text + ".rgb", 3};
			}
			return OutputIndex == 5 ? Value : std::optional<FCode>(FCode{Value->Text + std::string(Outputs[OutputIndex]), 1});
		}
		if (Name == "Constant")
		{
			return FCode{FormatNumber(FloatProperty(Expression, "R"))};
		}
		if (Name == "Constant2Vector")
		{
			return FCode{VectorText({FloatProperty(Expression, "R"), FloatProperty(Expression, "G"), 0.0f, 0.0f}, 2), 2};
		}
		if (Name == "Constant3Vector" || Name == "Constant4Vector")
		{
			const int32_t Width = Name == "Constant3Vector" ? 3 : 4;
			return FCode{VectorText(ColorProperty(Expression, "Constant"), Width), Width};
		}
		if (Name == "Add" || Name == "Subtract" || Name == "Multiply" || Name == "Divide")
		{
			constexpr std::array<std::pair<std::string_view, std::string_view>, 4> Operators = {{{"Add", "+"}, {"Subtract", "-"}, {"Multiply", "*"}, {"Divide", "/"}}};
			return TranslateBinary(Expression, std::find_if(Operators.begin(), Operators.end(), [&Name](const auto& Entry) { return Entry.first == Name; })->second);
		}
		if (Name == "Min" || Name == "Max")
		{
			return TranslateBinary(Expression, Name == "Min" ? "min" : "max");
		}
		if (Name == "LinearInterpolate")
		{
			const std::optional<FCode> A = InputOrConstant(Expression, "A", "ConstA", bFailed);
			const std::optional<FCode> B = InputOrConstant(Expression, "B", "ConstB", bFailed);
			std::optional<FCode> Alpha = InputOrConstant(Expression, "Alpha", "ConstAlpha", bFailed);
			if (bFailed)
			{
				return std::nullopt;
			}
			if (A->Components == AttributesType && B->Components == AttributesType)
			{
				Alpha = CastCode(&Expression, *Alpha, 1);
				return Alpha ? std::optional<FCode>(FCode{"LerpMaterialAttributes(" + A->Text + ", " + B->Text + ", " + Alpha->Text + ")", AttributesType}) : std::nullopt;
			}
			const std::optional<int32_t> Type = ArithmeticType(Expression, *A, *B);
			if (!Type || !ArithmeticType(Expression, FCode{"", *Type}, *Alpha))
			{
				return std::nullopt;
			}
			return FCode{"lerp(" + A->Text + ", " + B->Text + ", " + Alpha->Text + ")", std::max(*Type, Alpha->Components)};
		}
		if (Name == "Clamp")
		{
			const std::optional<FCode> Value = RequiredInput(Expression, "Input", bFailed);
			const std::optional<FCode> Low = InputOrConstant(Expression, "Min", "MinDefault", bFailed);
			const std::optional<FCode> High = InputOrConstant(Expression, "Max", "MaxDefault", bFailed);
			if (bFailed || !ArithmeticType(Expression, *Value, *Low) || !ArithmeticType(Expression, *Value, *High))
			{
				return std::nullopt;
			}
			return FCode{"clamp(" + Value->Text + ", " + Low->Text + ", " + High->Text + ")", Value->Components};
		}
		if (Name == "Power")
		{
			const std::optional<FCode> Base = RequiredInput(Expression, "Base", bFailed);
			const std::optional<FCode> Exponent = InputOrConstant(Expression, "Exponent", "ConstExponent", bFailed);
			if (bFailed || !ArithmeticType(Expression, *Base, *Exponent))
			{
				return std::nullopt;
			}
			return FCode{"pow(max(" + Base->Text + ", 0.0), " + Exponent->Text + ")", std::max(Base->Components, Exponent->Components)};
		}
		if (Name == "DotProduct" || Name == "CrossProduct")
		{
			const std::optional<FCode> A = RequiredInput(Expression, "A", bFailed);
			const std::optional<FCode> B = RequiredInput(Expression, "B", bFailed);
			if (bFailed)
			{
				return std::nullopt;
			}
			const std::optional<int32_t> Type = ArithmeticType(Expression, *A, *B);
			if (!Type)
			{
				return std::nullopt;
			}
			if (Name == "DotProduct")
			{
				return FCode{"dot(" + A->Text + ", " + B->Text + ")", 1};
			}
			const std::optional<FCode> A3 = CastCode(&Expression, *A, 3);
			const std::optional<FCode> B3 = CastCode(&Expression, *B, 3);
			return A3 && B3 ? std::optional<FCode>(FCode{"cross(" + A3->Text + ", " + B3->Text + ")", 3}) : std::nullopt;
		}
		constexpr std::array<std::pair<std::string_view, std::string_view>, 9> UnaryFunctions = {{{"Saturate", "saturate"}, {"Abs", "abs"}, {"Frac", "frac"}, {"Floor", "floor"},
			{"Ceil", "ceil"}, {"SquareRoot", "sqrt"}, {"OneMinus", "1.0 - "}, {"Normalize", "normalize"}, {"Length", "length"}}};
		for (const auto& [Class, Function] : UnaryFunctions)
		{
			if (Name == Class)
			{
				std::optional<FCode> Value = Unary(Function, Class == "Normalize" ? "VectorInput" : "Input");
				if (Value && Class == "Length")
				{
					Value->Components = 1;
				}
				return Value;
			}
		}
		if (Name == "Sine" || Name == "Cosine")
		{
			const float Period = FloatProperty(Expression, "Period", 1.0f);
			std::optional<FCode> Value = RequiredInput(Expression, "Input", bFailed);
			if (!Value)
			{
				return std::nullopt;
			}
			const std::string Scaled = Period > 0.0f ? "(" + Value->Text + " * " + FormatNumber(6.28318530718f / Period) + ")" : Value->Text;
			return FCode{(Name == "Sine" ? "sin(" : "cos(") + Scaled + ")", Value->Components};
		}
		if (Name == "ComponentMask")
		{
			const std::optional<FCode> Value = RequiredInput(Expression, "Input", bFailed);
			if (!Value)
			{
				return std::nullopt;
			}
			std::string Swizzle;
			constexpr std::array<std::pair<std::string_view, char>, 4> Channels = {{{"R", 'x'}, {"G", 'y'}, {"B", 'z'}, {"A", 'w'}}};
			for (int32_t Index = 0; Index < 4; ++Index)
			{
				if (BoolProperty(Expression, Channels[Index].first))
				{
					if (Index >= Value->Components)
					{
						AddError(&Expression, "Not enough components in (" + Value->Text + ") for component mask");
						return std::nullopt;
					}
					Swizzle += Channels[Index].second;
				}
			}
			if (Swizzle.empty())
			{
				AddError(&Expression, "Component mask has no channel");
				return std::nullopt;
			}
			return FCode{Value->Text + "." + Swizzle, static_cast<int32_t>(Swizzle.size())};
		}
		if (Name == "AppendVector")
		{
			const std::optional<FCode> A = RequiredInput(Expression, "A", bFailed);
			const std::optional<FCode> B = RequiredInput(Expression, "B", bFailed);
			if (bFailed)
			{
				return std::nullopt;
			}
			const int32_t Width = A->Components + B->Components;
			if (A->Components <= 0 || B->Components <= 0 || Width > 4)
			{
				AddError(&Expression, "Cannot append " + TypeName(A->Components) + " and " + TypeName(B->Components));
				return std::nullopt;
			}
			return FCode{TypeName(Width) + "(" + A->Text + ", " + B->Text + ")", Width};
		}
		if (Name == "If")
		{
			const std::optional<FCode> A = RequiredInput(Expression, "A", bFailed);
			std::optional<FCode> B = InputOrConstant(Expression, "B", "ConstB", bFailed);
			const std::optional<FCode> Greater = RequiredInput(Expression, "A > B", bFailed);
			const std::optional<FCode> Less = RequiredInput(Expression, "A < B", bFailed);
			std::optional<FCode> Equal = InputCode(Expression, "A == B", bFailed);
			if (bFailed)
			{
				return std::nullopt;
			}
			const std::optional<FCode> A1 = CastCode(&Expression, *A, 1);
			B = CastCode(&Expression, *B, 1);
			const std::optional<int32_t> Type = ArithmeticType(Expression, *Greater, *Less);
			if (!A1 || !B || !Type)
			{
				return std::nullopt;
			}
			const std::string Threshold = FormatNumber(FloatProperty(Expression, "EqualsThreshold", 0.00001f));
			const std::string LessText = "((" + TypeName(*Type) + ")" + Less->Text + ")";
			const std::string EqualText = Equal ? "((" + TypeName(*Type) + ")" + Equal->Text + ")" : LessText;
			return FCode{"(abs(" + A1->Text + " - " + B->Text + ") > " + Threshold + " ? (" + A1->Text + " >= " + B->Text + " ? ((" + TypeName(*Type) + ")" + Greater->Text + ") : " + LessText
				+ ") : " + EqualText + ")", *Type};
		}
		if (Name == "TextureCoordinate")
		{
			const std::optional<FCode> Coordinates = TextureCoordinate(static_cast<int32_t>(FloatProperty(Expression, "CoordinateIndex")));
			return FCode{"(" + Coordinates->Text + " * float2(" + FormatNumber(FloatProperty(Expression, "UTiling", 1.0f)) + ", " + FormatNumber(FloatProperty(Expression, "VTiling", 1.0f)) + "))", 2};
		}
		if (Name == "Panner")
		{
			std::optional<FCode> Coordinate = InputCode(Expression, "Coordinate", bFailed);
			std::optional<FCode> Time = InputCode(Expression, "Time", bFailed);
			std::optional<FCode> Speed = InputCode(Expression, "Speed", bFailed);
			if (bFailed)
			{
				return std::nullopt;
			}
			Coordinate = Coordinate ? CastCode(&Expression, *Coordinate, 2) : TextureCoordinate(static_cast<int32_t>(FloatProperty(Expression, "ConstCoordinate")));
			Time = Time ? CastCode(&Expression, *Time, 1) : FCode{"View.TimeParams.x"};
			Speed = Speed ? CastCode(&Expression, *Speed, 2) : FCode{VectorText({FloatProperty(Expression, "SpeedX"), FloatProperty(Expression, "SpeedY"), 0.0f, 0.0f}, 2), 2};
			if (!Coordinate || !Time || !Speed)
			{
				return std::nullopt;
			}
			return FCode{"(" + Coordinate->Text + " + " + Speed->Text + " * " + Time->Text + ")", 2};
		}
		if (Name == "Time")
		{
			return FCode{"View.TimeParams.x"};
		}
		if (Name == "VertexColor")
		{
			constexpr std::array<std::string_view, 5> Outputs = {".rgb", ".r", ".g", ".b", ".a"};
			const auto Index = static_cast<std::size_t>(std::clamp(OutputIndex, 0, 4));
			return FCode{"Parameters.VertexColor" + std::string(Outputs[Index]), Index == 0 ? 3 : 1};
		}
		if (Name == "WorldPosition")
		{
			return FCode{"Parameters.WorldPosition", 3};
		}
		if (Name == "CameraVectorWS")
		{
			return FCode{"Parameters.CameraVector", 3};
		}
		if (Name == "PixelNormalWS" || Name == "VertexNormalWS")
		{
			return FCode{"Parameters.WorldNormal", 3};
		}
		if (Name == "Fresnel")
		{
			const std::optional<FCode> Exponent = InputOrConstant(Expression, "ExponentIn", "Exponent", bFailed);
			const std::optional<FCode> Base = InputOrConstant(Expression, "BaseReflectFractionIn", "BaseReflectFraction", bFailed);
			std::optional<FCode> Normal = InputCode(Expression, "Normal", bFailed);
			if (bFailed)
			{
				return std::nullopt;
			}
			Normal = Normal ? CastCode(&Expression, *Normal, 3) : FCode{"Parameters.WorldNormal", 3};
			const std::optional<FCode> Exponent1 = CastCode(&Expression, *Exponent, 1);
			const std::optional<FCode> Base1 = CastCode(&Expression, *Base, 1);
			if (!Normal || !Exponent1 || !Base1)
			{
				return std::nullopt;
			}
			return FCode{"Fresnel(" + Exponent1->Text + ", " + Base1->Text + ", " + Normal->Text + ", Parameters.CameraVector)"};
		}
		if (Name == "Desaturation")
		{
			std::optional<FCode> Value = RequiredInput(Expression, "Input", bFailed);
			std::optional<FCode> Fraction = InputCode(Expression, "Fraction", bFailed);
			if (bFailed)
			{
				return std::nullopt;
			}
			Value = CastCode(&Expression, *Value, 3);
			Fraction = Fraction ? CastCode(&Expression, *Fraction, 1) : FCode{"1.0"};
			if (!Value || !Fraction)
			{
				return std::nullopt;
			}
			const std::array<float, 4> Luminance = ColorProperty(Expression, "LuminanceFactors");
			return FCode{"lerp(" + Value->Text + ", dot(" + Value->Text + ", " + VectorText(Luminance, 3) + ").xxx, " + Fraction->Text + ")", 3};
		}
		if (Name == "MakeMaterialAttributes")
		{
			return TranslateMakeAttributes(Expression);
		}
		AddError(&Expression, "Expression " + Name + " not supported by this material translator");
		return std::nullopt;
	}

	/** Whether the material reads the property, by its blend mode and settings. */
	bool IsPropertyRead(const UMaterial& Material, EMaterialProperty Property)
	{
		if (Material.bUseMaterialAttributes)
		{
			return Property == MP_MaterialAttributes;
		}
		const bool bTranslucent = Material.BlendMode != BLEND_Opaque && Material.BlendMode != BLEND_Masked;
		switch (Property)
		{
		case MP_BaseColor:
		case MP_Metallic:
		case MP_Specular:
		case MP_Roughness:
		case MP_EmissiveColor:
		case MP_Normal:
		case MP_AmbientOcclusion:
			return true;
		case MP_Opacity:
			return bTranslucent;
		case MP_OpacityMask:
			return Material.BlendMode == BLEND_Masked;
		default:
			return false;
		}
	}

	FMaterialTranslation FTranslator::Run()
	{
		constexpr std::array<std::pair<EMaterialProperty, int32_t>, 9> Read = {{{MP_BaseColor, 3}, {MP_Metallic, 1}, {MP_Specular, 1}, {MP_Roughness, 1}, {MP_EmissiveColor, 3},
			{MP_Opacity, 1}, {MP_OpacityMask, 1}, {MP_Normal, 3}, {MP_AmbientOcclusion, 1}}};
		for (const auto& [Property, Width] : Read)
		{
			const FExpressionInput* const Input = Material.GetExpressionInputForProperty(Property);
			if (Input == nullptr || !TraceInput(*Input) || !IsPropertyRead(Material, Property))
			{
				continue;
			}
			if (std::optional<FCode> Value = TranslateInput(*Input, 0))
			{
				Properties[Property] = CastCode(nullptr, *Value, Width);
			}
		}
		if (Material.bUseMaterialAttributes)
		{
			const FExpressionInput* const Input = Material.GetExpressionInputForProperty(MP_MaterialAttributes);
			if (Input != nullptr && TraceInput(*Input))
			{
				if (std::optional<FCode> Value = TranslateInput(*Input, 0))
				{
					Properties[MP_MaterialAttributes] = CastCode(nullptr, *Value, AttributesType);
				}
			}
		}
		if (!Result.Errors.empty())
		{
			Result.Uniforms.clear();
			Result.Textures.clear();
			return std::move(Result);
		}
		WriteSource();
		return std::move(Result);
	}

	void FTranslator::WriteSource()
	{
		const auto Slots = std::max<std::size_t>(1, Result.Uniforms.size());
		Result.UniformBlockFloats = static_cast<int32_t>(Slots * 4);
		std::vector<std::pair<std::string, const UMaterialExpression*>> Lines;
		const auto AddLines = [&Lines](std::string_view Text) {
			std::size_t Start = 0;
			while (Start < Text.size())
			{
				const std::size_t End = Text.find('\n', Start);
				Lines.emplace_back(std::string(Text.substr(Start, End - Start)), nullptr);
				Start = End == std::string_view::npos ? Text.size() : End + 1;
			}
		};
		AddLines(MaterialHLSLTemplate::Declarations(static_cast<int32_t>(Slots)));
		for (const FMaterialTextureParameter& Texture : Result.Textures)
		{
			AddLines(MaterialHLSLTemplate::TextureDeclaration(Texture.GlslSamplerName, Texture.Unit, Texture.bCube));
		}
		Lines.emplace_back("", nullptr);
		Lines.insert(Lines.end(), FunctionLines.begin(), FunctionLines.end());
		Lines.emplace_back("void CalcPixelMaterialInputs(in FMaterialPixelParameters Parameters, inout FPixelMaterialInputs PixelMaterialInputs)", nullptr);
		Lines.emplace_back("{", nullptr);
		Lines.insert(Lines.end(), BodyLines.begin(), BodyLines.end());
		if (Properties[MP_MaterialAttributes])
		{
			Lines.emplace_back("\tFMaterialAttributes Attributes = " + Properties[MP_MaterialAttributes]->Text + ";", nullptr);
			for (const FAttributeField& Field : AttributeFields)
			{
				Lines.emplace_back("\tPixelMaterialInputs." + std::string(Field.Name) + " = Attributes." + std::string(Field.Name) + ";", nullptr);
			}
		}
		constexpr std::array<std::pair<EMaterialProperty, std::string_view>, 9> Names = {{{MP_BaseColor, "BaseColor"}, {MP_Metallic, "Metallic"}, {MP_Specular, "Specular"},
			{MP_Roughness, "Roughness"}, {MP_EmissiveColor, "EmissiveColor"}, {MP_Opacity, "Opacity"}, {MP_OpacityMask, "OpacityMask"}, {MP_Normal, "Normal"},
			{MP_AmbientOcclusion, "AmbientOcclusion"}}};
		for (const auto& [Property, Field] : Names)
		{
			if (Properties[Property])
			{
				Lines.emplace_back("\tPixelMaterialInputs." + std::string(Field) + " = " + Properties[Property]->Text + ";", nullptr);
			}
		}
		Lines.emplace_back("}", nullptr);
		Lines.emplace_back("", nullptr);
		const bool bUnlit = Material.GetShadingModels().HasShadingModel(MSM_Unlit) && Material.GetShadingModels().CountShadingModels() == 1;
		AddLines(MaterialHLSLTemplate::PixelShaderMain(Material.BlendMode == BLEND_Masked, Material.OpacityMaskClipValue, Properties[MP_Normal].has_value() || Properties[MP_MaterialAttributes].has_value(),
			Material.TwoSided, bUnlit));
		for (const auto& [Text, Owner] : Lines)
		{
			Result.Hlsl += Text;
			Result.Hlsl += '\n';
			Result.LineOwners.push_back(Owner);
		}
	}
}

std::string GetExpressionShortClassName(const UMaterialExpression& Expression)
{
	constexpr std::string_view Prefix = "MaterialExpression";
	// An expression of a class the class database does not know keeps its class text.
	std::string Name = Expression.GetExpressionClassPath();
	Name = Name.substr(Name.find_last_of("./") + 1);
	return Name.starts_with(Prefix) ? Name.substr(Prefix.size()) : Name;
}

FMaterialTranslation TranslateMaterial(const UMaterial& Material, const std::vector<FStaticSwitchOverride>& StaticSwitches)
{
	return FTranslator(Material, StaticSwitches).Run();
}
