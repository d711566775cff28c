#include "ControlRig/RigUnitRegistry.h"

#include <algorithm>
#include <unordered_map>

namespace
{
	struct FRigUnitRegistry
	{
		std::vector<FRigUnitDeclaration> Units;
		std::unordered_map<std::string_view, const FRigUnitDeclaration*> UnitsByPath;

		FRigUnitRegistry()
		{
			AppendExecutionRigUnits(Units);
			AppendHierarchyRigUnits(Units);
			AppendMathRigUnits(Units);
			AppendTwoBoneIKRigUnits(Units);
			for (const FRigUnitDeclaration& Unit : Units)
			{
				UnitsByPath.emplace(Unit.ScriptStructPath, &Unit);
			}
		}
	};

	const FRigUnitRegistry& GetRegistry()
	{
		static const FRigUnitRegistry Registry;
		return Registry;
	}

	template <typename T>
	T GetAs(const FRigVMValue* Value, T Fallback)
	{
		const T* Typed = Value != nullptr ? std::get_if<T>(Value) : nullptr;
		return Typed != nullptr ? *Typed : Fallback;
	}
}

FRigUnitPins::FRigUnitPins(const FRigUnitDeclaration& InDeclaration, std::vector<FRigVMValue> InValues)
	: Declaration(InDeclaration)
	, Values(std::move(InValues))
{
	Values.resize(Declaration.Pins.size());
}

const FRigVMValue* FRigUnitPins::Find(std::string_view PinName) const
{
	const int32_t Index = Declaration.FindPinIndex(PinName);
	return Index >= 0 ? &Values[static_cast<std::size_t>(Index)] : nullptr;
}

bool FRigUnitPins::GetBool(std::string_view PinName) const
{
	return GetAs<bool>(Find(PinName), false);
}

int32_t FRigUnitPins::GetInt(std::string_view PinName) const
{
	return GetAs<int32_t>(Find(PinName), 0);
}

double FRigUnitPins::GetFloat(std::string_view PinName) const
{
	return GetAs<double>(Find(PinName), 0.0);
}

std::string FRigUnitPins::GetName(std::string_view PinName) const
{
	return GetAs<std::string>(Find(PinName), {});
}

FVector FRigUnitPins::GetVector(std::string_view PinName) const
{
	return GetAs<FVector>(Find(PinName), FVector::ZeroVector());
}

FQuat FRigUnitPins::GetQuat(std::string_view PinName) const
{
	return GetAs<FQuat>(Find(PinName), FQuat::Identity());
}

FTransform FRigUnitPins::GetTransform(std::string_view PinName) const
{
	return GetAs<FTransform>(Find(PinName), FTransform::Identity());
}

FRigElementKey FRigUnitPins::GetElementKey(std::string_view PinName) const
{
	return GetAs<FRigElementKey>(Find(PinName), FRigElementKey{});
}

void FRigUnitPins::Set(std::string_view PinName, FRigVMValue Value)
{
	const int32_t Index = Declaration.FindPinIndex(PinName);
	if (Index >= 0)
	{
		Values[static_cast<std::size_t>(Index)] = std::move(Value);
	}
}

std::string_view FRigUnitDeclaration::GetStructName() const
{
	const std::size_t Dot = ScriptStructPath.rfind('.');
	return Dot == std::string_view::npos ? ScriptStructPath : ScriptStructPath.substr(Dot + 1);
}

int32_t FRigUnitDeclaration::FindPinIndex(std::string_view PinName) const
{
	const auto Found = std::ranges::find(Pins, PinName, &FRigUnitPinDeclaration::Name);
	return Found == Pins.end() ? -1 : static_cast<int32_t>(Found - Pins.begin());
}

std::span<const FRigUnitDeclaration> GetRigUnitDeclarations()
{
	return GetRegistry().Units;
}

const FRigUnitDeclaration* FindRigUnitDeclaration(std::string_view ScriptStructPath)
{
	const auto& UnitsByPath = GetRegistry().UnitsByPath;
	const auto Found = UnitsByPath.find(ScriptStructPath);
	return Found == UnitsByPath.end() ? nullptr : Found->second;
}
