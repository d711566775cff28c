#include "Objects/PropertyTextType.h"

#include "Core/TextHelpers.h"
#include "Objects/ClassDatabase.h"
#include "Objects/Enum.h"
#include "Objects/Property.h"
#include "Objects/ScriptStruct.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>

namespace
{
	std::string_view WithoutConst(std::string_view Type)
	{
		Type = Text::TrimWhitespace(Type);
		if (Type.starts_with("const "))
		{
			Type = Text::TrimWhitespace(Type.substr(6));
		}
		return Type;
	}

	/** The argument of `Template<Argument>`, or nothing when Type is no such template. */
	std::optional<std::string_view> TemplateArgument(std::string_view Type, std::string_view Template)
	{
		if (Type.size() <= Template.size() + 1 || !Type.starts_with(Template) || Type[Template.size()] != '<' || Type.back() != '>')
		{
			return std::nullopt;
		}
		return Text::TrimWhitespace(Type.substr(Template.size() + 1, Type.size() - Template.size() - 2));
	}

	bool IsPrefixed(std::string_view Name, char Prefix)
	{
		return Name.size() > 1 && Name[0] == Prefix && std::isupper(static_cast<unsigned char>(Name[1])) != 0;
	}

	constexpr std::array<std::string_view, 8> IntegerTypes = {"int8", "int16", "int32", "int64", "uint8", "uint16", "uint32", "uint64"};
	constexpr std::array<std::string_view, 6> ReferenceTemplates = {"TObjectPtr", "TSubclassOf", "TSoftObjectPtr", "TSoftClassPtr", "TWeakObjectPtr", "TLazyObjectPtr"};

	FPropertyTextType Make(EPropertyTextKind Kind)
	{
		FPropertyTextType Type;
		Type.Kind = Kind;
		return Type;
	}
}

FPropertyTextType GetPropertyTextType(const FProperty& Property)
{
	return GetPropertyTextType(Property.GetCPPType(), Property.GetName());
}

FPropertyTextType GetPropertyTextType(std::string_view CPPType, std::string_view PropertyName)
{
	const std::string_view Type = WithoutConst(CPPType);
	if (Type == "bool" || (Type == "uint8" && IsPrefixed(PropertyName, 'b')))
	{
		return Make(EPropertyTextKind::Bool);
	}
	if (std::find(IntegerTypes.begin(), IntegerTypes.end(), Type) != IntegerTypes.end())
	{
		return Make(EPropertyTextKind::Integer);
	}
	if (Type == "float")
	{
		return Make(EPropertyTextKind::Float);
	}
	if (Type == "double")
	{
		return Make(EPropertyTextKind::Double);
	}
	if (Type == "FName")
	{
		return Make(EPropertyTextKind::Name);
	}
	if (Type == "FString")
	{
		return Make(EPropertyTextKind::String);
	}
	if (Type == "FText")
	{
		return Make(EPropertyTextKind::Text);
	}
	if (const std::optional<std::string_view> Element = TemplateArgument(Type, "TArray"))
	{
		FPropertyTextType Array = Make(EPropertyTextKind::Array);
		Array.ElementType = std::string(*Element);
		return Array;
	}
	for (const std::string_view Template : ReferenceTemplates)
	{
		if (TemplateArgument(Type, Template))
		{
			return Make(EPropertyTextKind::Object);
		}
	}
	if (Type.ends_with('*') && (IsPrefixed(Type, 'U') || IsPrefixed(Type, 'A')))
	{
		return Make(EPropertyTextKind::Object);
	}
	const std::string_view EnumType = TemplateArgument(Type, "TEnumAsByte").value_or(Type);
	if (IsPrefixed(EnumType, 'E'))
	{
		FPropertyTextType Enum = Make(EPropertyTextKind::Enum);
		Enum.Enum = FClassDatabase::Get().FindEnumByName(EnumType.substr(0, EnumType.find("::")));
		return Enum;
	}
	if (IsPrefixed(Type, 'F'))
	{
		if (const UScriptStruct* Struct = FClassDatabase::Get().FindStructByName(Type.substr(1)))
		{
			FPropertyTextType StructType = Make(EPropertyTextKind::Struct);
			StructType.Struct = Struct;
			return StructType;
		}
	}
	return Make(EPropertyTextKind::Other);
}
