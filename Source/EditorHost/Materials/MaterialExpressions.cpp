#include "Materials/MaterialExpressions.h"

#include "Graph/CopyPasteTextValue.h"
#include "Graph/NodeTitleNames.h"
#include "Materials/MaterialFunction.h"
#include "Objects/Class.h"
#include "Objects/ClassDatabase.h"
#include "Objects/Enum.h"
#include "Objects/ObjectGlobals.h"
#include "Textures/Texture.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>

template <>
const UEnum* StaticEnum<ECustomMaterialOutputType>()
{
	static const UEnum* const Enum = FClassDatabase::Get().FindEnum("/Script/Engine.ECustomMaterialOutputType");
	return Enum;
}

namespace
{
	/** The kept text of a property, else its class default's text. */
	std::string TextOrDefault(const UMaterialExpression& Expression, std::string_view PropertyName)
	{
		if (std::optional<std::string> Kept = Expression.GetKeptPropertyText(PropertyName))
		{
			return std::move(*Kept);
		}
		const FProperty* const Property = Expression.GetClass()->FindPropertyByName(PropertyName);
		return Property != nullptr ? Property->GetDefaultValueText() : std::string();
	}

	std::string PlainText(std::string_view Text)
	{
		return UnquoteCopyPasteString(Text).value_or(std::string(Text));
	}

	/** An FName property's value: "None" when empty. */
	std::string NameText(std::string_view Text)
	{
		std::string Name = PlainText(Text);
		return Name.empty() ? std::string("None") : Name;
	}

	template <typename T>
	std::optional<T> ParseNumber(std::string_view Text)
	{
		T Value{};
		const auto [End, Error] = std::from_chars(Text.data(), Text.data() + Text.size(), Value);
		return Error == std::errc() && End == Text.data() + Text.size() ? std::optional(Value) : std::nullopt;
	}

	std::string FormatFloat(float Value)
	{
		std::array<char, 64> Buffer{};
		std::snprintf(Buffer.data(), Buffer.size(), "%f", static_cast<double>(Value));
		return Buffer.data();
	}

	/** An object reference as the editor writes one: `/Script/Engine.Texture2D'"/Game/T.T"'`. */
	std::string ObjectReferenceText(const UObject& Object)
	{
		return Object.GetClass()->GetPathName() + "'\"" + Object.GetPathName() + "\"'";
	}

	template <typename T>
	T* LoadReferenced(std::string_view ReferenceText)
	{
		const std::string Path = ReferencedObjectPath(ReferenceText);
		return Path.empty() ? nullptr : LoadObject<T>(Path);
	}

	/** The items of the list value of a key inside a list text (`Layers=(A,B)` of `DefaultLayers=(...)`). */
	std::vector<std::string> ListItemsOfKey(std::string_view ListText, std::string_view Key)
	{
		std::vector<std::string> Items;
		FCopyPasteListReader Reader(ListText);
		while (const std::optional<FCopyPasteListItem> Item = Reader.Next())
		{
			if (Item->Key == Key)
			{
				FCopyPasteListReader Inner(Item->Value);
				while (const std::optional<FCopyPasteListItem> Element = Inner.Next())
				{
					Items.emplace_back(Element->Value);
				}
				break;
			}
		}
		return Items;
	}

	/** The value text of a key of a list text, or nothing. */
	std::optional<std::string_view> ValueOfKey(std::string_view ListText, std::string_view Key)
	{
		FCopyPasteListReader Reader(ListText);
		while (const std::optional<FCopyPasteListItem> Item = Reader.Next())
		{
			if (Item->Key == Key)
			{
				return Item->Value;
			}
		}
		return std::nullopt;
	}

	/**
	 * The lines `Name(0)`, `Name(1)`... of a body, by index, one per index: an index written twice
	 * takes its last line, as the editor's import sets that element again.
	 */
	std::vector<const FCopyPasteProperty*> ArrayLines(const FCopyPasteObject& Body, std::string_view Name)
	{
		std::vector<const FCopyPasteProperty*> Lines;
		for (const FCopyPasteProperty& Property : Body.Properties)
		{
			if (Property.Name == Name && Property.ArrayIndex && *Property.ArrayIndex >= 0)
			{
				Lines.push_back(&Property);
			}
		}
		std::stable_sort(Lines.begin(), Lines.end(), [](const FCopyPasteProperty* A, const FCopyPasteProperty* B) { return *A->ArrayIndex < *B->ArrayIndex; });
		std::vector<const FCopyPasteProperty*> Unique;
		for (const FCopyPasteProperty* const Line : Lines)
		{
			if (!Unique.empty() && *Unique.back()->ArrayIndex == *Line->ArrayIndex)
			{
				Unique.back() = Line;
			}
			else
			{
				Unique.push_back(Line);
			}
		}
		return Unique;
	}

	/** The editor's short type of a function input, shown after its name on a call's pin. */
	std::string_view FunctionInputTypeSuffix(std::string_view InputType)
	{
		static constexpr std::array<std::pair<std::string_view, std::string_view>, 13> Suffixes = {{
			{"FunctionInput_Scalar", "S"},
			{"FunctionInput_Vector2", "V2"},
			{"FunctionInput_Vector3", "V3"},
			{"FunctionInput_Vector4", "V4"},
			{"FunctionInput_Texture2D", "T2d"},
			{"FunctionInput_TextureCube", "TCube"},
			{"FunctionInput_Texture2DArray", "T2dArr"},
			{"FunctionInput_VolumeTexture", "TVol"},
			{"FunctionInput_StaticBool", "B"},
			{"FunctionInput_MaterialAttributes", "MA"},
			{"FunctionInput_TextureExternal", "TExt"},
			{"FunctionInput_Bool", "Bool"},
			{"FunctionInput_Substrate", "Substrate"},
		}};
		const auto Found = std::find_if(Suffixes.begin(), Suffixes.end(), [InputType](const auto& Entry) { return Entry.first == InputType; });
		return Found != Suffixes.end() ? Found->second : std::string_view();
	}
}

// Textures

UTexture* UMaterialExpressionTextureBase::GetTexture() const
{
	const std::optional<std::string> Text = GetKeptPropertyText("Texture");
	return Text ? LoadReferenced<UTexture>(*Text) : nullptr;
}

void UMaterialExpressionTextureBase::SetTexture(UTexture* Texture)
{
	if (Texture == nullptr)
	{
		RemoveKeptProperty("Texture");
		return;
	}
	SetKeptPropertyText("Texture", ObjectReferenceText(*Texture));
}

namespace
{
	/** The sample's input properties in declaration order (see the class database). */
	enum ETextureSampleInput : int32_t
	{
		SampleCoordinates,
		SampleTextureObject,
		SampleMipValue,
		SampleCoordinatesDX,
		SampleCoordinatesDY,
		SampleAutomaticViewMipBias,
	};
}

std::vector<int32_t> UMaterialExpressionTextureSample::GetShownInputs() const
{
	const std::optional<std::string> Mode = GetKeptPropertyText("MipValueMode");
	std::vector<int32_t> Shown{SampleCoordinates, SampleTextureObject};
	if (Mode == "TMVM_Derivative")
	{
		Shown.insert(Shown.end(), {SampleCoordinatesDX, SampleCoordinatesDY});
	}
	else if (Mode == "TMVM_MipLevel" || Mode == "TMVM_MipBias")
	{
		Shown.push_back(SampleMipValue);
	}
	Shown.push_back(SampleAutomaticViewMipBias);
	const int32_t Count = Super::CountInputs();
	std::erase_if(Shown, [Count](int32_t Index) { return Index >= Count; });
	return Shown;
}

int32_t UMaterialExpressionTextureSample::CountInputs() const
{
	return static_cast<int32_t>(GetShownInputs().size());
}

FExpressionInput* UMaterialExpressionTextureSample::GetInput(int32_t InputIndex)
{
	const std::vector<int32_t> Shown = GetShownInputs();
	return InputIndex >= 0 && static_cast<std::size_t>(InputIndex) < Shown.size() ? Super::GetInput(Shown[static_cast<std::size_t>(InputIndex)]) : nullptr;
}

std::string UMaterialExpressionTextureSample::GetInputName(int32_t InputIndex) const
{
	const std::vector<int32_t> Shown = GetShownInputs();
	if (InputIndex < 0 || static_cast<std::size_t>(InputIndex) >= Shown.size())
	{
		return std::string();
	}
	const int32_t PropertyIndex = Shown[static_cast<std::size_t>(InputIndex)];
	if (PropertyIndex == SampleMipValue && GetKeptPropertyText("MipValueMode") == "TMVM_MipBias")
	{
		return "Bias";
	}
	return Super::GetInputName(PropertyIndex);
}

bool UMaterialExpressionTextureSample::IsInputRequired(int32_t InputIndex) const
{
	const std::vector<int32_t> Shown = GetShownInputs();
	return InputIndex >= 0 && static_cast<std::size_t>(InputIndex) < Shown.size() && Super::IsInputRequired(Shown[static_cast<std::size_t>(InputIndex)]);
}

// Parameters

std::string FMaterialParameterFields::GetParameterName(const UMaterialExpression& Expression)
{
	return NameText(TextOrDefault(Expression, "ParameterName"));
}

void FMaterialParameterFields::SetParameterName(UMaterialExpression& Expression, std::string_view Name)
{
	Expression.SetKeptPropertyText("ParameterName", QuoteCopyPasteString(Name));
}

std::string FMaterialParameterFields::GetGroup(const UMaterialExpression& Expression)
{
	return NameText(TextOrDefault(Expression, "Group"));
}

float UMaterialExpressionScalarParameter::GetDefaultValue() const
{
	return ParseNumber<float>(TextOrDefault(*this, "DefaultValue")).value_or(0.0f);
}

void UMaterialExpressionScalarParameter::SetDefaultValue(float Value)
{
	SetKeptPropertyText("DefaultValue", FormatFloat(Value));
}

FLinearColor UMaterialExpressionVectorParameter::GetDefaultValue() const
{
	const std::string Text = TextOrDefault(*this, "DefaultValue");
	FLinearColor Color;
	const std::array<std::pair<std::string_view, float*>, 4> Channels = {{{"R", &Color.R}, {"G", &Color.G}, {"B", &Color.B}, {"A", &Color.A}}};
	for (const auto& [Key, Channel] : Channels)
	{
		if (const std::optional<std::string_view> Value = ValueOfKey(Text, Key))
		{
			*Channel = ParseNumber<float>(*Value).value_or(0.0f);
		}
	}
	return Color;
}

void UMaterialExpressionVectorParameter::SetDefaultValue(const FLinearColor& Value)
{
	SetKeptPropertyText("DefaultValue", "(R=" + FormatFloat(Value.R) + ",G=" + FormatFloat(Value.G) + ",B=" + FormatFloat(Value.B) + ",A=" + FormatFloat(Value.A) + ")");
}

bool UMaterialExpressionStaticBoolParameter::GetDefaultValue() const
{
	const std::string Text = TextOrDefault(*this, "DefaultValue");
	return Text == "True" || Text == "true";
}

void UMaterialExpressionStaticBoolParameter::SetDefaultValue(bool bValue)
{
	SetKeptPropertyText("DefaultValue", bValue ? "True" : "False");
}

// Custom code

std::string UMaterialExpressionCustom::GetCode() const
{
	return PlainText(TextOrDefault(*this, "Code"));
}

void UMaterialExpressionCustom::SetCode(std::string_view Code)
{
	SetKeptPropertyText("Code", QuoteCopyPasteString(Code));
}

std::string UMaterialExpressionCustom::GetDescription() const
{
	return PlainText(TextOrDefault(*this, "Description"));
}

ECustomMaterialOutputType UMaterialExpressionCustom::GetOutputType() const
{
	const UEnum* const Enum = StaticEnum<ECustomMaterialOutputType>();
	const std::optional<int64_t> Value = Enum != nullptr ? Enum->GetValueByNameString(TextOrDefault(*this, "OutputType")) : std::nullopt;
	return Value && *Value >= 0 && *Value < CMOT_MAX ? static_cast<ECustomMaterialOutputType>(*Value) : CMOT_Float3;
}

int32_t UMaterialExpressionCustom::CountInputs() const
{
	return static_cast<int32_t>(Inputs.size());
}

FExpressionInput* UMaterialExpressionCustom::GetInput(int32_t InputIndex)
{
	return InputIndex >= 0 && static_cast<std::size_t>(InputIndex) < Inputs.size() ? &Inputs[static_cast<std::size_t>(InputIndex)] : nullptr;
}

std::string UMaterialExpressionCustom::GetInputName(int32_t InputIndex) const
{
	return InputIndex >= 0 && static_cast<std::size_t>(InputIndex) < Inputs.size() ? Inputs[static_cast<std::size_t>(InputIndex)].InputName : std::string();
}

bool UMaterialExpressionCustom::IsInputRequired(int32_t InputIndex) const
{
	return InputIndex >= 0 && static_cast<std::size_t>(InputIndex) < Inputs.size();
}

std::vector<FExpressionOutput> UMaterialExpressionCustom::GetOutputs() const
{
	std::vector<FExpressionOutput> Outputs{FExpressionOutput{}};
	for (const FCopyPasteProperty* Line : ArrayLines(GetReadBody(), "AdditionalOutputs"))
	{
		const std::optional<std::string_view> Name = ValueOfKey(Line->Value, "OutputName");
		Outputs.push_back({Name ? PlainText(*Name) : std::string()});
	}
	return Outputs;
}

bool UMaterialExpressionCustom::IsModelledProperty(std::string_view PropertyName) const
{
	return PropertyName == "Inputs" || Super::IsModelledProperty(PropertyName);
}

void UMaterialExpressionCustom::ReadExpressionBody(const FCopyPasteObject& Body, const FExpressionResolver& ResolveReference)
{
	Super::ReadExpressionBody(Body, ResolveReference);
	Inputs.clear();
	for (const FCopyPasteProperty* Line : ArrayLines(GetReadBody(), "Inputs"))
	{
		const std::optional<std::string_view> InputText = ValueOfKey(Line->Value, "Input");
		FExpressionInput Input = InputText ? ReadInputText(*InputText, ResolveReference).value_or(FExpressionInput{}) : FExpressionInput{};
		const std::optional<std::string_view> Name = ValueOfKey(Line->Value, "InputName");
		Input.InputName = Name ? PlainText(*Name) : std::string();
		Inputs.push_back(std::move(Input));
	}
}

namespace
{
	/** `(InputName="A",Input=(...))` of a custom expression's input, the inner input without its name. */
	std::string CustomInputText(const FExpressionInput& Input, const std::string& InnerText)
	{
		std::string Text = "(InputName=" + QuoteCopyPasteString(Input.InputName);
		if (!InnerText.empty())
		{
			Text += ",Input=" + InnerText;
		}
		return Text + ")";
	}

	bool SameCustomInput(std::string_view Read, std::string_view Written)
	{
		const auto Name = [](std::string_view Text) { return PlainText(ValueOfKey(Text, "InputName").value_or(std::string_view())); };
		const auto Inner = [](std::string_view Text) { return ValueOfKey(Text, "Input").value_or(std::string_view("()")); };
		return IsCopyPasteList(Read) && Name(Read) == Name(Written) && UMaterialExpression::SameInputMeaning(Inner(Read), Inner(Written));
	}
}

void UMaterialExpressionCustom::GetModelledLines(EExpressionReferenceScope Scope, std::vector<FModelledLine>& OutLines) const
{
	for (std::size_t Index = 0; Index < Inputs.size(); ++Index)
	{
		FExpressionInput Unnamed = Inputs[Index];
		Unnamed.InputName.clear();
		OutLines.push_back({"Inputs", static_cast<int>(Index), CustomInputText(Inputs[Index], WriteInputText(Unnamed, Scope)), false, &SameCustomInput});
	}
}

// Function calls

UMaterialFunctionInterface* UMaterialExpressionMaterialFunctionCall::GetMaterialFunction() const
{
	const std::optional<std::string> Text = GetKeptPropertyText("MaterialFunction");
	return Text ? LoadReferenced<UMaterialFunctionInterface>(*Text) : nullptr;
}

void UMaterialExpressionMaterialFunctionCall::SetMaterialFunction(UMaterialFunctionInterface* NewFunction)
{
	RemoveKeptProperty("FunctionOutputs");
	RemoveKeptProperty("Outputs");
	if (NewFunction == nullptr)
	{
		RemoveKeptProperty("MaterialFunction");
		FunctionInputs.clear();
		FunctionInputIds.clear();
		return;
	}
	SetKeptPropertyText("MaterialFunction", ObjectReferenceText(*NewFunction));
	std::vector<FFunctionExpressionInput> NewInputs;
	std::vector<FFunctionExpressionOutput> NewOutputs;
	NewFunction->GetInputsAndOutputs(NewInputs, NewOutputs);
	// An input of the same name keeps its connection, as the editor keeps them when a call's function changes.
	std::vector<FExpressionInput> Inputs;
	for (const FFunctionExpressionInput& FunctionInput : NewInputs)
	{
		const auto Old = std::find_if(FunctionInputs.begin(), FunctionInputs.end(), [&FunctionInput](const FExpressionInput& Input) { return Input.InputName == FunctionInput.InputName; });
		FExpressionInput Input = Old != FunctionInputs.end() ? *Old : FExpressionInput{};
		Input.InputName = FunctionInput.InputName;
		Inputs.push_back(std::move(Input));
	}
	FunctionInputs = std::move(Inputs);
	FunctionInputIds.clear();
	for (const FFunctionExpressionInput& FunctionInput : NewInputs)
	{
		FunctionInputIds.push_back(FunctionInput.ExpressionInputId);
	}
	for (std::size_t Index = 0; Index < NewOutputs.size(); ++Index)
	{
		const std::string Output = "(OutputName=" + QuoteCopyPasteString(NewOutputs[Index].OutputName) + ")";
		std::string Entry = NewOutputs[Index].ExpressionOutputId.IsValid() ? "(ExpressionOutputId=" + NewOutputs[Index].ExpressionOutputId.ToString() + ",Output=" + Output + ")" : "(Output=" + Output + ")";
		SetKeptPropertyText("FunctionOutputs", std::move(Entry), static_cast<int>(Index));
		SetKeptPropertyText("Outputs", Output, static_cast<int>(Index));
	}
}

int32_t UMaterialExpressionMaterialFunctionCall::CountInputs() const
{
	return static_cast<int32_t>(FunctionInputs.size());
}

FExpressionInput* UMaterialExpressionMaterialFunctionCall::GetInput(int32_t InputIndex)
{
	return InputIndex >= 0 && static_cast<std::size_t>(InputIndex) < FunctionInputs.size() ? &FunctionInputs[static_cast<std::size_t>(InputIndex)] : nullptr;
}

std::string UMaterialExpressionMaterialFunctionCall::GetInputName(int32_t InputIndex) const
{
	if (InputIndex < 0 || static_cast<std::size_t>(InputIndex) >= FunctionInputs.size())
	{
		return std::string();
	}
	const std::string& Name = FunctionInputs[static_cast<std::size_t>(InputIndex)].InputName;
	const UMaterialFunctionInterface* const Called = GetMaterialFunction();
	if (Called == nullptr)
	{
		return Name;
	}
	const FGuid Id = static_cast<std::size_t>(InputIndex) < FunctionInputIds.size() ? FunctionInputIds[static_cast<std::size_t>(InputIndex)] : FGuid{};
	for (const UMaterialExpression* Expression : Called->GetExpressions())
	{
		const auto* const Input = Cast<UMaterialExpressionFunctionInput>(Expression);
		if (Input != nullptr && ((Id.IsValid() && Input->GetId() == Id) || (!Id.IsValid() && Input->GetFunctionInputName() == Name)))
		{
			const std::string_view Suffix = FunctionInputTypeSuffix(Input->GetInputTypeName());
			return Suffix.empty() ? Name : Name + " (" + std::string(Suffix) + ")";
		}
	}
	return Name;
}

bool UMaterialExpressionMaterialFunctionCall::IsInputRequired([[maybe_unused]] int32_t InputIndex) const
{
	return false;
}

std::vector<FExpressionOutput> UMaterialExpressionMaterialFunctionCall::GetOutputs() const
{
	std::vector<FExpressionOutput> Outputs;
	if (const UMaterialFunctionInterface* const Called = GetMaterialFunction())
	{
		std::vector<FFunctionExpressionInput> Inputs;
		std::vector<FFunctionExpressionOutput> FunctionOutputs;
		Called->GetInputsAndOutputs(Inputs, FunctionOutputs);
		for (const FFunctionExpressionOutput& Output : FunctionOutputs)
		{
			Outputs.push_back({Output.OutputName});
		}
		return Outputs;
	}
	for (const FCopyPasteProperty* Line : ArrayLines(GetReadBody(), "FunctionOutputs"))
	{
		const std::optional<std::string_view> Output = ValueOfKey(Line->Value, "Output");
		const std::optional<std::string_view> Name = Output ? ValueOfKey(*Output, "OutputName") : std::nullopt;
		Outputs.push_back({Name ? PlainText(*Name) : std::string()});
	}
	return Outputs.empty() ? std::vector<FExpressionOutput>{FExpressionOutput{}} : Outputs;
}

bool UMaterialExpressionMaterialFunctionCall::IsModelledProperty(std::string_view PropertyName) const
{
	return PropertyName == "FunctionInputs" || Super::IsModelledProperty(PropertyName);
}

void UMaterialExpressionMaterialFunctionCall::ReadExpressionBody(const FCopyPasteObject& Body, const FExpressionResolver& ResolveReference)
{
	Super::ReadExpressionBody(Body, ResolveReference);
	FunctionInputs.clear();
	FunctionInputIds.clear();
	for (const FCopyPasteProperty* Line : ArrayLines(GetReadBody(), "FunctionInputs"))
	{
		const std::optional<std::string_view> InputText = ValueOfKey(Line->Value, "Input");
		FunctionInputs.push_back(InputText ? ReadInputText(*InputText, ResolveReference).value_or(FExpressionInput{}) : FExpressionInput{});
		const std::optional<std::string_view> Id = ValueOfKey(Line->Value, "ExpressionInputId");
		FunctionInputIds.push_back(Id ? FGuid::Parse(*Id).value_or(FGuid{}) : FGuid{});
	}
}

namespace
{
	bool SameFunctionInput(std::string_view Read, std::string_view Written)
	{
		const auto Id = [](std::string_view Text) { return FGuid::Parse(ValueOfKey(Text, "ExpressionInputId").value_or(std::string_view())).value_or(FGuid{}); };
		const auto Inner = [](std::string_view Text) { return ValueOfKey(Text, "Input").value_or(std::string_view("()")); };
		return IsCopyPasteList(Read) && Id(Read) == Id(Written) && UMaterialExpression::SameInputMeaning(Inner(Read), Inner(Written));
	}
}

void UMaterialExpressionMaterialFunctionCall::GetModelledLines(EExpressionReferenceScope Scope, std::vector<FModelledLine>& OutLines) const
{
	for (std::size_t Index = 0; Index < FunctionInputs.size(); ++Index)
	{
		std::string Text;
		const FGuid Id = Index < FunctionInputIds.size() ? FunctionInputIds[Index] : FGuid{};
		if (Id.IsValid())
		{
			Text = "ExpressionInputId=" + Id.ToString();
		}
		if (const std::string Input = WriteInputText(FunctionInputs[Index], Scope); !Input.empty())
		{
			Text += (Text.empty() ? "Input=" : ",Input=") + Input;
		}
		OutLines.push_back({"FunctionInputs", static_cast<int>(Index), "(" + Text + ")", false, &SameFunctionInput});
	}
}

// Attribute layers

std::vector<UMaterialFunctionInterface*> UMaterialExpressionMaterialAttributeLayers::GetLayers() const
{
	std::vector<UMaterialFunctionInterface*> Layers;
	for (const std::string& Item : ListItemsOfKey(TextOrDefault(*this, "DefaultLayers"), "Layers"))
	{
		Layers.push_back(LoadReferenced<UMaterialFunctionInterface>(Item));
	}
	return Layers;
}

std::vector<UMaterialFunctionInterface*> UMaterialExpressionMaterialAttributeLayers::GetBlends() const
{
	std::vector<UMaterialFunctionInterface*> Blends;
	for (const std::string& Item : ListItemsOfKey(TextOrDefault(*this, "DefaultLayers"), "Blends"))
	{
		Blends.push_back(LoadReferenced<UMaterialFunctionInterface>(Item));
	}
	return Blends;
}

// Named reroutes

std::string UMaterialExpressionNamedRerouteDeclaration::GetRerouteName() const
{
	return NameText(TextOrDefault(*this, "Name"));
}

FGuid UMaterialExpressionNamedRerouteDeclaration::GetVariableGuid() const
{
	return FGuid::Parse(TextOrDefault(*this, "VariableGuid")).value_or(FGuid{});
}

FGuid UMaterialExpressionNamedRerouteUsage::GetDeclarationGuid() const
{
	return FGuid::Parse(TextOrDefault(*this, "DeclarationGuid")).value_or(FGuid{});
}

bool UMaterialExpressionNamedRerouteUsage::IsModelledProperty(std::string_view PropertyName) const
{
	return PropertyName == "Declaration" || Super::IsModelledProperty(PropertyName);
}

void UMaterialExpressionNamedRerouteUsage::ReadExpressionBody(const FCopyPasteObject& Body, const FExpressionResolver& ResolveReference)
{
	Super::ReadExpressionBody(Body, ResolveReference);
	Declaration = nullptr;
	if (const FCopyPasteProperty* const Line = GetReadBody().FindProperty("Declaration"))
	{
		const std::string Path = ReferencedObjectPath(Line->Value);
		Declaration = !Path.empty() && ResolveReference ? Cast<UMaterialExpressionNamedRerouteDeclaration>(ResolveReference(Path)) : nullptr;
	}
}

namespace
{
	bool SameReference(std::string_view Read, std::string_view Written)
	{
		return ReferencedObjectPath(Read) == ReferencedObjectPath(Written);
	}
}

void UMaterialExpressionNamedRerouteUsage::GetModelledLines(EExpressionReferenceScope Scope, std::vector<FModelledLine>& OutLines) const
{
	OutLines.push_back({"Declaration", std::nullopt, WriteExpressionReference(Declaration, Scope), Declaration == nullptr, &SameReference});
}

// Comments

int32_t UMaterialExpressionComment::GetSizeX() const
{
	return ParseNumber<int32_t>(TextOrDefault(*this, "SizeX")).value_or(0);
}

int32_t UMaterialExpressionComment::GetSizeY() const
{
	return ParseNumber<int32_t>(TextOrDefault(*this, "SizeY")).value_or(0);
}

std::string UMaterialExpressionComment::GetText() const
{
	return PlainText(TextOrDefault(*this, "Text"));
}

// Function inputs and outputs

std::string UMaterialExpressionFunctionInput::GetFunctionInputName() const
{
	return NameText(TextOrDefault(*this, "InputName"));
}

FGuid UMaterialExpressionFunctionInput::GetId() const
{
	return FGuid::Parse(TextOrDefault(*this, "Id")).value_or(FGuid{});
}

std::string UMaterialExpressionFunctionInput::GetInputTypeName() const
{
	return TextOrDefault(*this, "InputType");
}

int32_t UMaterialExpressionFunctionInput::GetSortPriority() const
{
	return ParseNumber<int32_t>(TextOrDefault(*this, "SortPriority")).value_or(0);
}

std::string UMaterialExpressionFunctionOutput::GetFunctionOutputName() const
{
	return NameText(TextOrDefault(*this, "OutputName"));
}

FGuid UMaterialExpressionFunctionOutput::GetId() const
{
	return FGuid::Parse(TextOrDefault(*this, "Id")).value_or(FGuid{});
}

int32_t UMaterialExpressionFunctionOutput::GetSortPriority() const
{
	return ParseNumber<int32_t>(TextOrDefault(*this, "SortPriority")).value_or(0);
}
