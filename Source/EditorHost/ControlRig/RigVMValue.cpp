#include "ControlRig/RigVMValue.h"

#include "Graph/CopyPasteTextValue.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace
{
	struct FRigVMEnumType
	{
		std::string_view CPPType;
		std::string_view ObjectPath;
		std::span<const std::string_view> Enumerators;
	};

	constexpr std::array<std::string_view, 2> TransformSpaceNames{"LocalSpace", "GlobalSpace"};
	constexpr std::array<std::string_view, 10> ElementTypeNames{"None", "Bone", "Null", "Control", "Curve", "Physics", "Reference", "Connector", "Socket", "All"};
	constexpr std::array<ERigElementType, 10> ElementTypeValues{ERigElementType::None, ERigElementType::Bone, ERigElementType::Null, ERigElementType::Control,
		ERigElementType::Curve, ERigElementType::Physics, ERigElementType::Reference, ERigElementType::Connector, ERigElementType::Socket, ERigElementType::All};
	constexpr std::array<std::string_view, 2> VectorKindNames{"Direction", "Location"};

	constexpr std::array<FRigVMEnumType, 3> EnumTypes{{
		{"ERigVMTransformSpace", "/Script/RigVM.ERigVMTransformSpace", TransformSpaceNames},
		{"ERigElementType", "/Script/ControlRig.ERigElementType", ElementTypeNames},
		{"EControlRigVectorKind", "/Script/ControlRig.EControlRigVectorKind", VectorKindNames},
	}};

	constexpr std::array<FRigVMStructMember, 3> VectorMembers{{{"X", "double"}, {"Y", "double"}, {"Z", "double"}}};
	constexpr std::array<FRigVMStructMember, 4> QuatMembers{{{"X", "double"}, {"Y", "double"}, {"Z", "double"}, {"W", "double"}}};
	constexpr std::array<FRigVMStructMember, 3> TransformMembers{{{"Rotation", "FQuat"}, {"Translation", "FVector"}, {"Scale3D", "FVector"}}};
	constexpr std::array<FRigVMStructMember, 2> ElementKeyMembers{{{"Type", "ERigElementType"}, {"Name", "FName"}}};

	const FRigVMEnumType* FindEnumType(std::string_view CPPType)
	{
		const auto Found = std::ranges::find(EnumTypes, CPPType, &FRigVMEnumType::CPPType);
		return Found == EnumTypes.end() ? nullptr : &*Found;
	}

	bool EqualsIgnoringCase(std::string_view A, std::string_view B)
	{
		return std::ranges::equal(A, B, [](char Left, char Right) { return std::tolower(static_cast<unsigned char>(Left)) == std::tolower(static_cast<unsigned char>(Right)); });
	}

	std::optional<double> ParseFloat(std::string_view Text)
	{
		if (Text.ends_with('f') || Text.ends_with('F'))
		{
			Text.remove_suffix(1);
		}
		if (Text.starts_with('+'))
		{
			Text.remove_prefix(1);
		}
		double Value = 0.0;
		const auto [End, Error] = std::from_chars(Text.data(), Text.data() + Text.size(), Value);
		if (Text.empty() || Error != std::errc() || End != Text.data() + Text.size() || !std::isfinite(Value))
		{
			return std::nullopt;
		}
		return Value;
	}

	/** Whole numbers saturate at the ends of int32; a float text is cut to its whole part, as the engine's int import does. */
	std::optional<int32_t> ParseInt(std::string_view Text)
	{
		if (Text.starts_with('+'))
		{
			Text.remove_prefix(1);
		}
		int64_t Value = 0;
		const auto [End, Error] = std::from_chars(Text.data(), Text.data() + Text.size(), Value);
		if (Text.empty() || End == Text.data())
		{
			return std::nullopt;
		}
		if (Error == std::errc::result_out_of_range)
		{
			return Text.front() == '-' ? std::numeric_limits<int32_t>::min() : std::numeric_limits<int32_t>::max();
		}
		if (End != Text.data() + Text.size())
		{
			const std::optional<double> Float = ParseFloat(Text);
			if (!Float)
			{
				return std::nullopt;
			}
			return static_cast<int32_t>(std::clamp(std::trunc(*Float), static_cast<double>(std::numeric_limits<int32_t>::min()), static_cast<double>(std::numeric_limits<int32_t>::max())));
		}
		return static_cast<int32_t>(std::clamp<int64_t>(Value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
	}

	std::optional<bool> ParseBool(std::string_view Text)
	{
		if (EqualsIgnoringCase(Text, "True") || Text == "1")
		{
			return true;
		}
		if (EqualsIgnoringCase(Text, "False") || Text == "0")
		{
			return false;
		}
		return std::nullopt;
	}

	/** An enumerator by name, with or without its type ("ERigVMTransformSpace::GlobalSpace"). */
	std::optional<std::string> ParseEnumerator(const FRigVMEnumType& Enum, std::string_view Text)
	{
		if (const std::size_t Scope = Text.rfind("::"); Scope != std::string_view::npos)
		{
			Text = Text.substr(Scope + 2);
		}
		const auto Found = std::ranges::find_if(Enum.Enumerators, [Text](std::string_view Name) { return EqualsIgnoringCase(Name, Text); });
		return Found == Enum.Enumerators.end() ? std::nullopt : std::optional<std::string>(*Found);
	}

	/** A name as written inside a structure (quoted) or alone (bare); "None" is the empty name. */
	std::string ReadName(std::string_view Text)
	{
		std::string Name = UnquoteCopyPasteString(Text).value_or(std::string(Text));
		return Name == "None" ? std::string() : Name;
	}

	std::string FormatFloat(double Value)
	{
		char Buffer[400];
		const int Length = std::snprintf(Buffer, sizeof(Buffer), "%f", Value);
		return Length > 0 ? std::string(Buffer, std::min<std::size_t>(static_cast<std::size_t>(Length), sizeof(Buffer) - 1)) : std::string("0.000000");
	}

	std::string ExportVector(const FVector& V)
	{
		return "(X=" + FormatFloat(V.X) + ",Y=" + FormatFloat(V.Y) + ",Z=" + FormatFloat(V.Z) + ")";
	}

	std::string ExportQuat(const FQuat& Q)
	{
		return "(X=" + FormatFloat(Q.X) + ",Y=" + FormatFloat(Q.Y) + ",Z=" + FormatFloat(Q.Z) + ",W=" + FormatFloat(Q.W) + ")";
	}

	std::string ExportElementKey(const FRigElementKey& Key)
	{
		return "(Type=" + std::string(GetRigElementTypeName(Key.Type)) + ",Name=" + QuoteCopyPasteString(Key.Name.empty() ? "None" : Key.Name) + ")";
	}

	/** Reads a `(Member=Value,...)` text member by member over Base; members the type lacks are passed over. */
	std::optional<FRigVMValue> ParseStruct(std::string_view CPPType, std::string_view Text, FRigVMValue Value)
	{
		FCopyPasteListReader Reader(Text);
		while (const std::optional<FCopyPasteListItem> Item = Reader.Next())
		{
			if (!Item->Key)
			{
				return std::nullopt;
			}
			const std::span<const FRigVMStructMember> Members = GetRigVMStructMembers(CPPType);
			const auto Member = std::ranges::find_if(Members, [&Item](const FRigVMStructMember& Candidate) { return EqualsIgnoringCase(Candidate.Name, *Item->Key); });
			if (Member == Members.end())
			{
				continue;
			}
			const std::optional<FRigVMValue> MemberValue = ParseRigVMValue(Member->CPPType, Item->Value, GetRigVMStructMember(Value, Member->Name).value_or(FRigVMValue{}));
			if (!MemberValue || !SetRigVMStructMember(Value, Member->Name, *MemberValue))
			{
				return std::nullopt;
			}
		}
		return Reader.IsList() ? std::optional(std::move(Value)) : std::nullopt;
	}

	double* FindComponent(FVector& V, std::string_view Name)
	{
		return Name == "X" ? &V.X : Name == "Y" ? &V.Y : Name == "Z" ? &V.Z : nullptr;
	}

	double* FindComponent(FQuat& Q, std::string_view Name)
	{
		return Name == "X" ? &Q.X : Name == "Y" ? &Q.Y : Name == "Z" ? &Q.Z : Name == "W" ? &Q.W : nullptr;
	}
}

ERigVMValueKind GetRigVMValueKind(std::string_view CPPType)
{
	if (CPPType == "FRigVMExecuteContext" || CPPType == "FControlRigExecuteContext")
	{
		return ERigVMValueKind::Execute;
	}
	if (CPPType == "bool")
	{
		return ERigVMValueKind::Bool;
	}
	if (CPPType == "int32")
	{
		return ERigVMValueKind::Int;
	}
	if (CPPType == "float" || CPPType == "double")
	{
		return ERigVMValueKind::Float;
	}
	if (CPPType == "FName" || CPPType == "FString")
	{
		return ERigVMValueKind::Name;
	}
	if (CPPType == "FVector")
	{
		return ERigVMValueKind::Vector;
	}
	if (CPPType == "FQuat")
	{
		return ERigVMValueKind::Quat;
	}
	if (CPPType == "FTransform")
	{
		return ERigVMValueKind::Transform;
	}
	if (CPPType == "FRigElementKey")
	{
		return ERigVMValueKind::ElementKey;
	}
	return FindEnumType(CPPType) != nullptr ? ERigVMValueKind::Enum : ERigVMValueKind::Unknown;
}

bool AreRigVMTypesCompatible(std::string_view SourceType, std::string_view TargetType)
{
	if (SourceType == TargetType)
	{
		return true;
	}
	const ERigVMValueKind SourceKind = GetRigVMValueKind(SourceType);
	return SourceKind != ERigVMValueKind::Unknown && SourceKind == GetRigVMValueKind(TargetType)
		&& (SourceKind == ERigVMValueKind::Float || SourceKind == ERigVMValueKind::Execute);
}

std::string_view GetRigVMTypeObjectPath(std::string_view CPPType)
{
	if (const FRigVMEnumType* Enum = FindEnumType(CPPType))
	{
		return Enum->ObjectPath;
	}
	if (CPPType == "FVector")
	{
		return "/Script/CoreUObject.Vector";
	}
	if (CPPType == "FQuat")
	{
		return "/Script/CoreUObject.Quat";
	}
	if (CPPType == "FTransform")
	{
		return "/Script/CoreUObject.Transform";
	}
	if (CPPType == "FRigElementKey")
	{
		return "/Script/ControlRig.RigElementKey";
	}
	if (CPPType == "FRigVMExecuteContext")
	{
		return "/Script/RigVM.RigVMExecuteContext";
	}
	return {};
}

std::span<const FRigVMStructMember> GetRigVMStructMembers(std::string_view CPPType)
{
	switch (GetRigVMValueKind(CPPType))
	{
	case ERigVMValueKind::Vector:
		return VectorMembers;
	case ERigVMValueKind::Quat:
		return QuatMembers;
	case ERigVMValueKind::Transform:
		return TransformMembers;
	case ERigVMValueKind::ElementKey:
		return ElementKeyMembers;
	default:
		return {};
	}
}

FRigVMValue MakeDefaultRigVMValue(std::string_view CPPType)
{
	switch (GetRigVMValueKind(CPPType))
	{
	case ERigVMValueKind::Bool:
		return false;
	case ERigVMValueKind::Int:
		return int32_t{0};
	case ERigVMValueKind::Float:
		return 0.0;
	case ERigVMValueKind::Name:
		return std::string();
	case ERigVMValueKind::Enum:
		return std::string(FindEnumType(CPPType)->Enumerators.front());
	case ERigVMValueKind::Vector:
		return FVector::ZeroVector();
	case ERigVMValueKind::Quat:
		return FQuat::Identity();
	case ERigVMValueKind::Transform:
		return FTransform::Identity();
	case ERigVMValueKind::ElementKey:
		return FRigElementKey{ERigElementType::Bone, {}};
	default:
		return {};
	}
}

std::optional<FRigVMValue> ParseRigVMValue(std::string_view CPPType, std::string_view Text, const FRigVMValue& Base)
{
	const ERigVMValueKind Kind = GetRigVMValueKind(CPPType);
	switch (Kind)
	{
	case ERigVMValueKind::Bool:
		return ParseBool(Text);
	case ERigVMValueKind::Int:
		return ParseInt(Text);
	case ERigVMValueKind::Float:
		return ParseFloat(Text);
	case ERigVMValueKind::Name:
		return ReadName(Text);
	case ERigVMValueKind::Enum:
		return ParseEnumerator(*FindEnumType(CPPType), Text);
	case ERigVMValueKind::Vector:
	case ERigVMValueKind::Quat:
	case ERigVMValueKind::Transform:
	case ERigVMValueKind::ElementKey:
		return ParseStruct(CPPType, Text, std::holds_alternative<std::monostate>(Base) ? MakeDefaultRigVMValue(CPPType) : Base);
	default:
		return std::nullopt;
	}
}

std::string ExportRigVMValue(const FRigVMValue& Value)
{
	struct FExporter
	{
		std::string operator()(std::monostate) const { return {}; }
		std::string operator()(bool Bool) const { return Bool ? "True" : "False"; }
		std::string operator()(int32_t Int) const { return std::to_string(Int); }
		std::string operator()(double Float) const { return FormatFloat(Float); }
		std::string operator()(const std::string& Name) const { return Name; }
		std::string operator()(const FVector& Vector) const { return ExportVector(Vector); }
		std::string operator()(const FQuat& Quat) const { return ExportQuat(Quat); }
		std::string operator()(const FTransform& Transform) const
		{
			return "(Rotation=" + ExportQuat(Transform.Rotation) + ",Translation=" + ExportVector(Transform.Translation) + ",Scale3D=" + ExportVector(Transform.Scale3D) + ")";
		}
		std::string operator()(const FRigElementKey& Key) const { return ExportElementKey(Key); }
	};
	return std::visit(FExporter{}, Value);
}

std::optional<FRigVMValue> GetRigVMStructMember(const FRigVMValue& Value, std::string_view MemberName)
{
	FRigVMValue Copy = Value;
	if (FVector* Vector = std::get_if<FVector>(&Copy))
	{
		const double* Component = FindComponent(*Vector, MemberName);
		return Component != nullptr ? std::optional<FRigVMValue>(*Component) : std::nullopt;
	}
	if (FQuat* Quat = std::get_if<FQuat>(&Copy))
	{
		const double* Component = FindComponent(*Quat, MemberName);
		return Component != nullptr ? std::optional<FRigVMValue>(*Component) : std::nullopt;
	}
	if (const FTransform* Transform = std::get_if<FTransform>(&Copy))
	{
		if (MemberName == "Rotation")
		{
			return Transform->Rotation;
		}
		if (MemberName == "Translation")
		{
			return Transform->Translation;
		}
		if (MemberName == "Scale3D")
		{
			return Transform->Scale3D;
		}
		return std::nullopt;
	}
	if (const FRigElementKey* Key = std::get_if<FRigElementKey>(&Copy))
	{
		if (MemberName == "Type")
		{
			return std::string(GetRigElementTypeName(Key->Type));
		}
		if (MemberName == "Name")
		{
			return Key->Name;
		}
	}
	return std::nullopt;
}

bool SetRigVMStructMember(FRigVMValue& Value, std::string_view MemberName, const FRigVMValue& MemberValue)
{
	const double* Float = std::get_if<double>(&MemberValue);
	const std::string* Text = std::get_if<std::string>(&MemberValue);
	if (FVector* Vector = std::get_if<FVector>(&Value))
	{
		double* Component = FindComponent(*Vector, MemberName);
		return Component != nullptr && Float != nullptr && (*Component = *Float, true);
	}
	if (FQuat* Quat = std::get_if<FQuat>(&Value))
	{
		double* Component = FindComponent(*Quat, MemberName);
		return Component != nullptr && Float != nullptr && (*Component = *Float, true);
	}
	if (FTransform* Transform = std::get_if<FTransform>(&Value))
	{
		if (const FQuat* Rotation = std::get_if<FQuat>(&MemberValue); Rotation != nullptr && MemberName == "Rotation")
		{
			Transform->Rotation = *Rotation;
			return true;
		}
		const FVector* Vector = std::get_if<FVector>(&MemberValue);
		FVector* Target = MemberName == "Translation" ? &Transform->Translation : MemberName == "Scale3D" ? &Transform->Scale3D : nullptr;
		return Target != nullptr && Vector != nullptr && (*Target = *Vector, true);
	}
	if (FRigElementKey* Key = std::get_if<FRigElementKey>(&Value); Key != nullptr && Text != nullptr)
	{
		if (MemberName == "Type")
		{
			const std::optional<ERigElementType> Type = ParseRigElementTypeName(*Text);
			return Type && (Key->Type = *Type, true);
		}
		if (MemberName == "Name")
		{
			Key->Name = *Text;
			return true;
		}
	}
	return false;
}

std::string_view GetRigElementTypeName(ERigElementType Type)
{
	const auto Found = std::ranges::find(ElementTypeValues, Type);
	return Found == ElementTypeValues.end() ? std::string_view("None") : ElementTypeNames[static_cast<std::size_t>(Found - ElementTypeValues.begin())];
}

std::optional<ERigElementType> ParseRigElementTypeName(std::string_view Name)
{
	const auto Found = std::ranges::find_if(ElementTypeNames, [Name](std::string_view Candidate) { return EqualsIgnoringCase(Candidate, Name); });
	if (Found == ElementTypeNames.end())
	{
		return std::nullopt;
	}
	return ElementTypeValues[static_cast<std::size_t>(Found - ElementTypeNames.begin())];
}
