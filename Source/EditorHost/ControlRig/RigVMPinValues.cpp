#include "ControlRig/RigVMPinValues.h"

#include "ControlRig/RigVMGraph.h"
#include "Objects/ObjectGlobals.h"

#include <algorithm>

namespace
{
	/** Object names the engine accepts are shorter than its name buffer. */
	constexpr std::size_t MaxRigVMNameLength = 1023;

	/** The pin's text for a value: an empty name is written None, as the engine writes FName's empty value. */
	std::string ExportPinText(const URigVMPin& Pin, const FRigVMValue& Value)
	{
		const std::string* Name = std::get_if<std::string>(&Value);
		if (Name != nullptr && Name->empty() && Pin.CPPType == "FName")
		{
			return "None";
		}
		return ExportRigVMValue(Value);
	}

	void WriteDown(URigVMPin& Pin, const FRigVMValue& Value)
	{
		Pin.DefaultValue = ExportPinText(Pin, Value);
		for (URigVMPin* SubPin : Pin.SubPins)
		{
			if (const std::optional<FRigVMValue> Member = GetRigVMStructMember(Value, SubPin->GetName()))
			{
				WriteDown(*SubPin, *Member);
			}
		}
	}
}

bool IsValidRigVMName(std::string_view Name)
{
	// Pin paths split at dots; object names hold no spaces, quotes, commas or path separators.
	return !Name.empty() && Name.size() <= MaxRigVMNameLength && Name != "None" && Name.find_first_of("()\",' ./:\\|") == std::string_view::npos
		&& std::ranges::none_of(Name, [](char Character) { return static_cast<unsigned char>(Character) < 0x20 || Character == 0x7F; });
}

URigVMPin* CreateRigVMPin(UObject& Outer, std::string_view Name, ERigVMPinDirection Direction, std::string_view CPPType, std::string_view DefaultValue)
{
	if (!IsValidRigVMName(Name) || Outer.FindInnerObject(Name) != nullptr)
	{
		return nullptr;
	}
	URigVMPin* Pin = NewObject<URigVMPin>(&Outer, Name);
	if (Pin == nullptr)
	{
		return nullptr;
	}
	Pin->Direction = Direction;
	Pin->CPPType = CPPType;
	Pin->CPPTypeObjectPath = GetRigVMTypeObjectPath(CPPType);
	Pin->DefaultValue = DefaultValue;
	for (const FRigVMStructMember& Member : GetRigVMStructMembers(CPPType))
	{
		if (URigVMPin* SubPin = CreateRigVMPin(*Pin, Member.Name, Direction, Member.CPPType, {}))
		{
			Pin->SubPins.push_back(SubPin);
		}
	}
	if (!Pin->SubPins.empty() || GetRigVMValueKind(CPPType) != ERigVMValueKind::Unknown)
	{
		const FRigVMValue Default = MakeDefaultRigVMValue(CPPType);
		WriteDown(*Pin, ParseRigVMValue(CPPType, DefaultValue, Default).value_or(Default));
		if (GetRigVMValueKind(CPPType) == ERigVMValueKind::Execute)
		{
			Pin->DefaultValue.clear();
		}
	}
	return Pin;
}

std::optional<FRigVMValue> ReadRigVMPinValue(const URigVMPin& Pin)
{
	const ERigVMValueKind Kind = GetRigVMValueKind(Pin.CPPType);
	if (Kind == ERigVMValueKind::Unknown || Kind == ERigVMValueKind::Execute)
	{
		return std::nullopt;
	}
	std::optional<FRigVMValue> Value = ParseRigVMValue(Pin.CPPType, Pin.DefaultValue);
	for (const URigVMPin* SubPin : Pin.SubPins)
	{
		const std::optional<FRigVMValue> Member = ReadRigVMPinValue(*SubPin);
		if (!Member)
		{
			continue;
		}
		FRigVMValue Composed = Value.value_or(MakeDefaultRigVMValue(Pin.CPPType));
		if (SetRigVMStructMember(Composed, SubPin->GetName(), *Member))
		{
			Value = std::move(Composed);
		}
	}
	return Value;
}

void WriteRigVMPinValue(URigVMPin& Pin, const FRigVMValue& Value)
{
	WriteDown(Pin, Value);
	const URigVMPin* Member = &Pin;
	for (URigVMPin* Parent = Pin.GetParentPin(); Parent != nullptr; Member = Parent, Parent = Parent->GetParentPin())
	{
		const std::optional<FRigVMValue> MemberValue = ParseRigVMValue(Member->CPPType, Member->DefaultValue);
		FRigVMValue ParentValue = ParseRigVMValue(Parent->CPPType, Parent->DefaultValue).value_or(MakeDefaultRigVMValue(Parent->CPPType));
		if (!MemberValue || !SetRigVMStructMember(ParentValue, Member->GetName(), *MemberValue))
		{
			return;
		}
		Parent->DefaultValue = ExportPinText(*Parent, ParentValue);
	}
}
