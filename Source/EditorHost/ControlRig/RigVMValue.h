#pragma once

#include "ControlRig/RigElementKey.h"
#include "Meshes/MeshTransform.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

/**
 * The kinds of value a rig pin holds, decided by its C++ type: the host's rig VM reads and
 * writes these; a pin of any other type keeps its default value text and carries no value.
 */
enum class ERigVMValueKind : uint8_t
{
	/** The execution pin: no value, only the order of the chain. */
	Execute,
	Bool,
	Int,
	/** "float" and "double" alike. */
	Float,
	/** "FName" and "FString". */
	Name,
	/** An enumeration the host knows (ERigVMTransformSpace, ERigElementType, EControlRigVectorKind), by enumerator name. */
	Enum,
	Vector,
	Quat,
	Transform,
	ElementKey,
	Unknown,
};

/** A pin's value while the rig VM runs; enumerators and names are text. Empty for a pin of unknown type. */
using FRigVMValue = std::variant<std::monostate, bool, int32_t, double, std::string, FVector, FQuat, FTransform, FRigElementKey>;

ERigVMValueKind GetRigVMValueKind(std::string_view CPPType);
/** Whether an output of type SourceType may feed an input of type TargetType: equal types, or float and double. */
bool AreRigVMTypesCompatible(std::string_view SourceType, std::string_view TargetType);
/** The reflected path of a type the host knows ("/Script/CoreUObject.Transform"); empty for plain types and unknown ones. */
std::string_view GetRigVMTypeObjectPath(std::string_view CPPType);

/** A member of a structure type, which a pin shows as a sub-pin ("Translation" of an FTransform). */
struct FRigVMStructMember
{
	std::string_view Name;
	std::string_view CPPType;
};

/** The members of FVector, FQuat, FTransform and FRigElementKey, in the engine's order; none for other types. */
std::span<const FRigVMStructMember> GetRigVMStructMembers(std::string_view CPPType);

/** The value a default-constructed value of the type has (the identity transform, a zero vector, False...). */
FRigVMValue MakeDefaultRigVMValue(std::string_view CPPType);
/**
 * Reads a default value text as the engine writes it: `0.500000`, `True`, `GlobalSpace`,
 * `(X=0.000000,Y=0.000000,Z=1.000000)`, `(Type=Bone,Name="hand_l")`. Members a structure text
 * leaves out keep their value in Base (the type's default when Base is empty). Nothing for
 * text that is no value of the type, numbers that are not finite, and unknown types.
 */
std::optional<FRigVMValue> ParseRigVMValue(std::string_view CPPType, std::string_view Text, const FRigVMValue& Base = {});
/** The value as default value text: floats with six decimals, structures with every member. */
std::string ExportRigVMValue(const FRigVMValue& Value);

/** A member of a structure value; nothing when the value has no member of that name. */
std::optional<FRigVMValue> GetRigVMStructMember(const FRigVMValue& Value, std::string_view MemberName);
/** Sets a member of a structure value; false (and unchanged) when it has no such member or the member value does not fit. */
bool SetRigVMStructMember(FRigVMValue& Value, std::string_view MemberName, const FRigVMValue& MemberValue);

/** The enumerator names of ERigElementType ("Bone"...), and the type of a name; nothing for a name that is none. */
std::string_view GetRigElementTypeName(ERigElementType Type);
std::optional<ERigElementType> ParseRigElementTypeName(std::string_view Name);
