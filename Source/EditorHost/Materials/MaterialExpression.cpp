#include "Materials/MaterialExpression.h"

#include "Graph/CopyPasteTextValue.h"
#include "Graph/NodeTitleNames.h"
#include "Materials/MaterialGraph.h"
#include "Materials/MaterialPropertyLines.h"
#include "Objects/Class.h"
#include "Objects/ClassDatabase.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/ObjectInternals.h"
#include "Objects/Package.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace
{
	/** The C++ types of the engine's expression inputs: FExpressionInput and the material property inputs built on it. */
	constexpr std::array<std::string_view, 9> InputTypes = {"FExpressionInput", "FColorMaterialInput", "FScalarMaterialInput", "FVectorMaterialInput",
		"FVector2MaterialInput", "FMaterialAttributesInput", "FShadingModelMaterialInput", "FSubstrateMaterialInput", "FStrataMaterialInput"};

	/** The common editor fields every expression types. */
	constexpr std::array<std::string_view, 6> CommonModelledProperties = {
		"MaterialExpressionEditorX", "MaterialExpressionEditorY", "MaterialExpressionGuid", "Material", "Function", "Desc"};

	bool IsInputType(std::string_view CPPType)
	{
		return std::find(InputTypes.begin(), InputTypes.end(), CPPType) != InputTypes.end();
	}

	std::optional<int32_t> ParseInt(std::string_view Text)
	{
		int32_t Value = 0;
		const auto [End, Error] = std::from_chars(Text.data(), Text.data() + Text.size(), Value);
		return Error == std::errc() && End == Text.data() + Text.size() ? std::optional(Value) : std::nullopt;
	}

	/** A string property's text without its quotes; unquoted text as it is. */
	std::string PlainText(std::string_view Text)
	{
		return UnquoteCopyPasteString(Text).value_or(std::string(Text));
	}

	bool SameInt(std::string_view Read, std::string_view Written) { return ParseInt(Read) == ParseInt(Written); }
	bool SameGuid(std::string_view Read, std::string_view Written) { return FGuid::Parse(Read) == FGuid::Parse(Written); }
	bool SameString(std::string_view Read, std::string_view Written) { return PlainText(Read) == PlainText(Written); }
	bool SameText(std::string_view Read, std::string_view Written) { return Read == Written; }

	/** An input's fields as text says them, the expression still named by its reference path. */
	struct FInputFields
	{
		std::string ReferencePath;
		int32_t OutputIndex = 0;
		std::string InputName;
		std::array<int32_t, 5> Masks{};

		friend bool operator==(const FInputFields&, const FInputFields&) = default;
	};

	constexpr std::array<std::string_view, 5> MaskKeys = {"Mask", "MaskR", "MaskG", "MaskB", "MaskA"};

	std::optional<FInputFields> ReadInputFields(std::string_view Text)
	{
		if (!IsCopyPasteList(Text))
		{
			return std::nullopt;
		}
		FInputFields Fields;
		FCopyPasteListReader Reader(Text);
		while (const std::optional<FCopyPasteListItem> Item = Reader.Next())
		{
			if (!Item->Key)
			{
				continue;
			}
			const std::string_view Key = *Item->Key;
			if (Key == "Expression")
			{
				Fields.ReferencePath = ReferencedObjectPath(Item->Value);
			}
			else if (Key == "OutputIndex")
			{
				Fields.OutputIndex = ParseInt(Item->Value).value_or(0);
			}
			else if (Key == "InputName")
			{
				Fields.InputName = PlainText(Item->Value);
			}
			else if (const auto Mask = std::find(MaskKeys.begin(), MaskKeys.end(), Key); Mask != MaskKeys.end())
			{
				Fields.Masks[static_cast<std::size_t>(Mask - MaskKeys.begin())] = ParseInt(Item->Value).value_or(0);
			}
		}
		return Reader.IsList() ? std::optional(std::move(Fields)) : std::nullopt;
	}

	/** The editor's next free expression name for a class it does not know: the class name, `_` and a number. */
	std::string MakeUniqueName(const UObject& Outer, std::string_view Base)
	{
		for (std::size_t Number = 0;; ++Number)
		{
			std::string Candidate = std::string(Base) + "_" + std::to_string(Number);
			if (Outer.FindInnerObject(Candidate) == nullptr)
			{
				return Candidate;
			}
		}
	}
}

void FExpressionInput::Connect(int32_t InOutputIndex, UMaterialExpression& From)
{
	Expression = &From;
	OutputIndex = InOutputIndex;
	const std::vector<FExpressionOutput> Outputs = From.GetOutputs();
	const FExpressionOutput Output = InOutputIndex >= 0 && static_cast<std::size_t>(InOutputIndex) < Outputs.size() ? Outputs[static_cast<std::size_t>(InOutputIndex)] : FExpressionOutput{};
	Mask = Output.Mask;
	MaskR = Output.MaskR;
	MaskG = Output.MaskG;
	MaskB = Output.MaskB;
	MaskA = Output.MaskA;
}

UMaterialExpression* NewMaterialExpression(UObject* Outer, std::string_view ClassText, std::string_view Name)
{
	const std::string Path = ReferencedObjectPath(ClassText);
	FClassDatabase& Database = FClassDatabase::Get();
	UClass* Class = Path.starts_with("/Script/") ? Database.FindClass(Path) : Database.FindClassByName(Path);
	const bool bKnown = Class != nullptr && Class->IsChildOf(UMaterialExpression::StaticClass()) && !Class->HasAnyClassFlags(CLASS_Abstract);
	if (!bKnown)
	{
		Class = UMaterialExpression::StaticClass();
	}
	UObject* const ActualOuter = Outer != nullptr ? Outer : static_cast<UObject*>(GetTransientPackage());
	// A name a live object already holds is never taken over: the expression gets the next free one.
	// A name held only by garbage is free, as for any new object (an expression cleared from its
	// material keeps its name until the next collection, and a paste gives it back).
	std::string ObjectName(Name);
	const UObject* const Holder = ActualOuter->FindInnerObject(ObjectName);
	if (!FObjectInternals::IsValidObjectName(ObjectName) || (Holder != nullptr && !Holder->IsGarbage()))
	{
		ObjectName = MakeUniqueName(*ActualOuter, bKnown ? Class->GetName() : ReferencedObjectName(Path).empty() ? Class->GetName() : ReferencedObjectName(Path));
	}
	UMaterialExpression* const Expression = NewObject<UMaterialExpression>(ActualOuter, Class, ObjectName);
	if (Expression != nullptr && !bKnown)
	{
		Expression->UnknownClassText = std::string(ClassText);
	}
	return Expression;
}

UMaterialExpression::UMaterialExpression() = default;

std::string UMaterialExpression::GetExpressionClassPath() const
{
	return !UnknownClassText.empty() ? UnknownClassText : GetClass()->GetPathName();
}

std::vector<UMaterialExpression::FPropertyInput>& UMaterialExpression::GetPropertyInputs() const
{
	if (!bPropertyInputsMade && GetClass() != nullptr)
	{
		bPropertyInputsMade = true;
		for (TFieldIterator<FProperty> It(GetClass()); It; ++It)
		{
			if (!IsInputType(It->GetCPPType()))
			{
				continue;
			}
			const std::optional<int32_t> ArraySize = It->HasMetaData("ArraySizeEnum") ? ParseInt(It->GetMetaData("ArraySizeEnum")) : std::nullopt;
			if (!ArraySize)
			{
				PropertyInputs.push_back({It->GetName(), std::nullopt, {}, *It});
				continue;
			}
			for (int Index = 0; Index < *ArraySize; ++Index)
			{
				PropertyInputs.push_back({It->GetName(), Index, {}, *It});
			}
		}
	}
	return PropertyInputs;
}

int32_t UMaterialExpression::CountInputs() const
{
	return static_cast<int32_t>(GetPropertyInputs().size());
}

FExpressionInput* UMaterialExpression::GetInput(int32_t InputIndex)
{
	std::vector<FPropertyInput>& Inputs = GetPropertyInputs();
	return InputIndex >= 0 && static_cast<std::size_t>(InputIndex) < Inputs.size() ? &Inputs[static_cast<std::size_t>(InputIndex)].Input : nullptr;
}

const FExpressionInput* UMaterialExpression::GetInput(int32_t InputIndex) const
{
	return const_cast<UMaterialExpression*>(this)->GetInput(InputIndex);
}

std::string UMaterialExpression::GetInputName(int32_t InputIndex) const
{
	const std::vector<FPropertyInput>& Inputs = GetPropertyInputs();
	if (InputIndex < 0 || static_cast<std::size_t>(InputIndex) >= Inputs.size())
	{
		return std::string();
	}
	const FPropertyInput& Input = Inputs[static_cast<std::size_t>(InputIndex)];
	if (!Input.Input.InputName.empty())
	{
		return Input.Input.InputName;
	}
	const std::string& DisplayName = Input.Property->GetMetaData("DisplayName");
	const std::string Name = DisplayName.empty() ? Input.PropertyName : DisplayName;
	return Input.ArrayIndex ? Name + "_" + std::to_string(*Input.ArrayIndex) : Name;
}

bool UMaterialExpression::IsInputRequired(int32_t InputIndex) const
{
	const std::vector<FPropertyInput>& Inputs = GetPropertyInputs();
	if (InputIndex < 0 || static_cast<std::size_t>(InputIndex) >= Inputs.size())
	{
		return false;
	}
	// As the editor: an input is required unless its property says otherwise.
	const FProperty& Property = *Inputs[static_cast<std::size_t>(InputIndex)].Property;
	return !Property.HasMetaData("RequiredInput") || Property.GetMetaData("RequiredInput") != "false";
}

void UMaterialExpression::UpdateMaterialExpressionGuid(bool bForceGeneration, bool bAllowMarkingPackageDirty)
{
	if (bForceGeneration || !MaterialExpressionGuid.IsValid())
	{
		MaterialExpressionGuid = FGuid::NewGuid();
		if (bAllowMarkingPackageDirty)
		{
			MarkPackageDirty();
		}
	}
}

bool UMaterialExpression::IsModelledProperty(std::string_view PropertyName) const
{
	if (std::find(CommonModelledProperties.begin(), CommonModelledProperties.end(), PropertyName) != CommonModelledProperties.end())
	{
		return true;
	}
	const std::vector<FPropertyInput>& Inputs = GetPropertyInputs();
	return std::any_of(Inputs.begin(), Inputs.end(), [PropertyName](const FPropertyInput& Input) { return Input.PropertyName == PropertyName; });
}

void UMaterialExpression::GetModelledLines([[maybe_unused]] EExpressionReferenceScope Scope, [[maybe_unused]] std::vector<FModelledLine>& OutLines) const
{
}

std::optional<std::string> UMaterialExpression::GetKeptPropertyText(std::string_view PropertyName, std::optional<int> ArrayIndex) const
{
	const std::optional<std::string_view> Text = FindKeptPropertyText(PropertyName, ArrayIndex);
	return Text ? std::optional<std::string>(*Text) : std::nullopt;
}

std::optional<std::string_view> UMaterialExpression::FindKeptPropertyText(std::string_view PropertyName, std::optional<int> ArrayIndex) const
{
	if (IsModelledProperty(PropertyName))
	{
		return std::nullopt;
	}
	const FCopyPasteProperty* const Line = MaterialPropertyLines::Find(Body, PropertyName, ArrayIndex);
	return Line != nullptr ? std::optional<std::string_view>(Line->Value) : std::nullopt;
}

std::string UMaterialExpression::GetPropertyTextOrDefault(std::string_view PropertyName) const
{
	if (std::optional<std::string> Kept = GetKeptPropertyText(PropertyName))
	{
		return std::move(*Kept);
	}
	const FProperty* const Property = GetClass()->FindPropertyByName(PropertyName);
	return Property != nullptr ? Property->GetDefaultValueText() : std::string();
}

void UMaterialExpression::SetKeptPropertyText(std::string_view PropertyName, std::string ValueText, std::optional<int> ArrayIndex)
{
	if (IsModelledProperty(PropertyName))
	{
		// The common fields take the text as their value; inputs are connected, not set as text.
		if (PropertyName == "MaterialExpressionEditorX" || PropertyName == "MaterialExpressionEditorY")
		{
			if (const std::optional<int32_t> Value = ParseInt(ValueText))
			{
				(PropertyName == "MaterialExpressionEditorX" ? MaterialExpressionEditorX : MaterialExpressionEditorY) = *Value;
			}
		}
		else if (PropertyName == "MaterialExpressionGuid")
		{
			MaterialExpressionGuid = FGuid::Parse(ValueText).value_or(MaterialExpressionGuid);
		}
		else if (PropertyName == "Desc")
		{
			Desc = PlainText(ValueText);
		}
		return;
	}
	const FProperty* const Property = GetClass()->FindPropertyByName(PropertyName);
	const bool bStringType = Property != nullptr && (Property->GetCPPType() == "FString" || Property->GetCPPType() == "FName");
	const bool bIsDefault = Property != nullptr && !ArrayIndex
		&& (ValueText == Property->GetDefaultValueText() || (bStringType && PlainText(ValueText) == PlainText(Property->GetDefaultValueText())));
	if (bIsDefault)
	{
		MaterialPropertyLines::Remove(Body, PropertyName, ArrayIndex);
	}
	else if (FCopyPasteProperty* const Line = MaterialPropertyLines::Find(Body, PropertyName, ArrayIndex))
	{
		Line->Value = std::move(ValueText);
	}
	else
	{
		MaterialPropertyLines::Insert(Body, GetClass(), {std::string(PropertyName), ArrayIndex, std::move(ValueText)});
	}
	RebuildKeptProperties();
}

void UMaterialExpression::RemoveKeptProperty(std::string_view PropertyName)
{
	if (IsModelledProperty(PropertyName))
	{
		return;
	}
	MaterialPropertyLines::RemoveAll(Body, PropertyName);
	RebuildKeptProperties();
}

void UMaterialExpression::RebuildKeptProperties()
{
	KeptProperties = Body;
	for (std::size_t Index = KeptProperties.Properties.size(); Index-- > 0;)
	{
		if (IsModelledProperty(KeptProperties.Properties[Index].Name))
		{
			MaterialPropertyLines::RemoveAt(KeptProperties, Index);
		}
	}
}

std::optional<FExpressionInput> UMaterialExpression::ReadInputText(std::string_view Text, const FExpressionResolver& ResolveReference)
{
	std::optional<FInputFields> Fields = ReadInputFields(Text);
	if (!Fields)
	{
		return std::nullopt;
	}
	FExpressionInput Input;
	Input.Expression = !Fields->ReferencePath.empty() && ResolveReference ? ResolveReference(Fields->ReferencePath) : nullptr;
	Input.OutputIndex = Fields->OutputIndex;
	Input.InputName = std::move(Fields->InputName);
	Input.Mask = Fields->Masks[0];
	Input.MaskR = Fields->Masks[1];
	Input.MaskG = Fields->Masks[2];
	Input.MaskB = Fields->Masks[3];
	Input.MaskA = Fields->Masks[4];
	return Input;
}

std::string UMaterialExpression::WriteExpressionReference(const UMaterialExpression* Expression, EExpressionReferenceScope Scope)
{
	if (Expression == nullptr)
	{
		return "None";
	}
	std::string Name = Expression->GetName();
	if (Scope == EExpressionReferenceScope::GraphNode && Expression->GraphNode != nullptr)
	{
		Name = Expression->GraphNode->GetName() + "." + Name;
	}
	return Expression->GetExpressionClassPath() + "'\"" + Name + "\"'";
}

std::string UMaterialExpression::WriteInputText(const FExpressionInput& Input, EExpressionReferenceScope Scope)
{
	std::string Text;
	const auto Add = [&Text](std::string_view Key, std::string_view Value) {
		Text.append(Text.empty() ? "(" : ",").append(Key).append("=").append(Value);
	};
	if (Input.Expression != nullptr)
	{
		Add("Expression", WriteExpressionReference(Input.Expression, Scope));
	}
	if (Input.OutputIndex != 0)
	{
		Add("OutputIndex", std::to_string(Input.OutputIndex));
	}
	if (!Input.InputName.empty())
	{
		Add("InputName", QuoteCopyPasteString(Input.InputName));
	}
	const std::array<int32_t, 5> Masks = {Input.Mask, Input.MaskR, Input.MaskG, Input.MaskB, Input.MaskA};
	for (std::size_t Index = 0; Index < Masks.size(); ++Index)
	{
		if (Masks[Index] != 0)
		{
			Add(MaskKeys[Index], std::to_string(Masks[Index]));
		}
	}
	return Text.empty() ? Text : Text + ")";
}

bool UMaterialExpression::SameInputMeaning(std::string_view Read, std::string_view Written)
{
	const std::optional<FInputFields> ReadFields = ReadInputFields(Read);
	return ReadFields.has_value() && ReadFields == ReadInputFields(Written);
}

void UMaterialExpression::ReadExpressionBody(const FCopyPasteObject& InBody, const FExpressionResolver& ResolveReference)
{
	Body = InBody;
	std::vector<FPropertyInput>& Inputs = GetPropertyInputs();
	for (FPropertyInput& Input : Inputs)
	{
		Input.Input = {};
	}
	for (const FCopyPasteProperty& Property : Body.Properties)
	{
		const auto Input = std::find_if(Inputs.begin(), Inputs.end(),
			[&Property](const FPropertyInput& Candidate) { return Candidate.PropertyName == Property.Name && Candidate.ArrayIndex == Property.ArrayIndex; });
		if (Input != Inputs.end())
		{
			Input->Input = ReadInputText(Property.Value, ResolveReference).value_or(FExpressionInput{});
		}
		else if (Property.ArrayIndex)
		{
			continue;
		}
		else if (Property.Name == "MaterialExpressionEditorX")
		{
			MaterialExpressionEditorX = ParseInt(Property.Value).value_or(MaterialExpressionEditorX);
		}
		else if (Property.Name == "MaterialExpressionEditorY")
		{
			MaterialExpressionEditorY = ParseInt(Property.Value).value_or(MaterialExpressionEditorY);
		}
		else if (Property.Name == "MaterialExpressionGuid")
		{
			MaterialExpressionGuid = FGuid::Parse(Property.Value).value_or(MaterialExpressionGuid);
		}
		else if (Property.Name == "Desc")
		{
			Desc = PlainText(Property.Value);
		}
	}
	RebuildKeptProperties();
}

FCopyPasteObject UMaterialExpression::WriteExpressionBody(EExpressionReferenceScope Scope, std::string_view MaterialReference) const
{
	std::vector<FModelledLine> Lines;
	const auto AddLine = [&Lines](std::string_view Name, std::string Value, bool bDefault, bool (*SameMeaning)(std::string_view, std::string_view)) {
		Lines.push_back({std::string(Name), std::nullopt, std::move(Value), bDefault, SameMeaning});
	};
	for (const FPropertyInput& Input : GetPropertyInputs())
	{
		std::string Text = WriteInputText(Input.Input, Scope);
		const bool bDefault = Text.empty();
		Lines.push_back({Input.PropertyName, Input.ArrayIndex, bDefault ? std::string("()") : std::move(Text), bDefault, &SameInputMeaning});
	}
	AddLine("MaterialExpressionEditorX", std::to_string(MaterialExpressionEditorX), MaterialExpressionEditorX == 0, &SameInt);
	AddLine("MaterialExpressionEditorY", std::to_string(MaterialExpressionEditorY), MaterialExpressionEditorY == 0, &SameInt);
	AddLine("MaterialExpressionGuid", MaterialExpressionGuid.ToString(), !MaterialExpressionGuid.IsValid(), &SameGuid);
	AddLine("Material", std::string(MaterialReference), MaterialReference.empty(), &SameText);
	AddLine("Function", std::string(), true, &SameText);
	AddLine("Desc", QuoteCopyPasteString(Desc), Desc.empty(), &SameString);
	GetModelledLines(Scope, Lines);

	FCopyPasteObject Out = Body;
	Out.Class = GetExpressionClassPath();
	Out.Name = GetName();
	Out.Attributes.clear();
	Out.DefinitionAttributes.reset();
	// A modelled line the expression no longer has (an element past the end of its array) goes, and
	// so does one that a later line of the same element repeats: the reader took the later one.
	std::vector<std::pair<std::string, std::optional<int>>> LaterLines;
	for (std::size_t Index = Out.Properties.size(); Index-- > 0;)
	{
		const FCopyPasteProperty& Property = Out.Properties[Index];
		if (!IsModelledProperty(Property.Name))
		{
			continue;
		}
		const bool bModelledHere = std::any_of(Lines.begin(), Lines.end(),
			[&Property](const FModelledLine& Line) { return Line.PropertyName == Property.Name && Line.ArrayIndex == Property.ArrayIndex; });
		std::pair<std::string, std::optional<int>> Element{Property.Name, Property.ArrayIndex};
		const bool bRepeatedLater = std::find(LaterLines.begin(), LaterLines.end(), Element) != LaterLines.end();
		if (!bModelledHere || bRepeatedLater)
		{
			MaterialPropertyLines::RemoveAt(Out, Index);
		}
		else
		{
			LaterLines.push_back(std::move(Element));
		}
	}
	for (FModelledLine& Line : Lines)
	{
		FCopyPasteProperty* const Existing = MaterialPropertyLines::Find(Out, Line.PropertyName, Line.ArrayIndex);
		const bool bSame = Existing != nullptr && Line.SameMeaning != nullptr && Line.SameMeaning(Existing->Value, Line.ValueText);
		if (bSame)
		{
			continue;
		}
		if (Line.bDefault)
		{
			if (Existing != nullptr)
			{
				MaterialPropertyLines::Remove(Out, Line.PropertyName, Line.ArrayIndex);
			}
		}
		else if (Existing != nullptr)
		{
			Existing->Value = std::move(Line.ValueText);
		}
		else
		{
			MaterialPropertyLines::Insert(Out, GetClass(), {std::move(Line.PropertyName), Line.ArrayIndex, std::move(Line.ValueText)});
		}
	}
	return Out;
}
