#include "Graph/PinTypeFromProperty.h"

#include "Objects/ClassDatabase.h"
#include "Objects/Enum.h"
#include "Objects/Function.h"
#include "Objects/ScriptStruct.h"

#include <array>
#include <cctype>
#include <vector>

namespace
{
	/** Script packages whose structures and enumerations engine functions use, searched in this order. */
	constexpr std::array<std::string_view, 7> TypePackages = {
		"/Script/CoreUObject", "/Script/Engine", "/Script/InputCore", "/Script/SlateCore", "/Script/Slate", "/Script/UMG", "/Script/GameplayTags"};

	bool IsSpace(char Char)
	{
		return std::isspace(static_cast<unsigned char>(Char)) != 0;
	}

	bool IsUpper(char Char)
	{
		return std::isupper(static_cast<unsigned char>(Char)) != 0;
	}

	std::string_view Trim(std::string_view Text)
	{
		while (!Text.empty() && IsSpace(Text.front()))
		{
			Text.remove_prefix(1);
		}
		while (!Text.empty() && IsSpace(Text.back()))
		{
			Text.remove_suffix(1);
		}
		return Text;
	}

	bool RemoveWordPrefix(std::string_view& Text, std::string_view Word)
	{
		if (Text.size() > Word.size() && Text.starts_with(Word) && IsSpace(Text[Word.size()]))
		{
			Text = Trim(Text.substr(Word.size()));
			return true;
		}
		return false;
	}

	/** The type without `const`, elaborated specifiers (`class`, `struct`, `enum`) and a trailing `&`. */
	std::string_view StripQualifiers(std::string_view Type)
	{
		Type = Trim(Type);
		while (RemoveWordPrefix(Type, "const") || RemoveWordPrefix(Type, "class") || RemoveWordPrefix(Type, "struct") || RemoveWordPrefix(Type, "enum"))
		{
		}
		if (Type.ends_with('&'))
		{
			Type = Trim(Type.substr(0, Type.size() - 1));
		}
		if (Type.ends_with(" const"))
		{
			Type = Trim(Type.substr(0, Type.size() - 6));
		}
		return Type;
	}

	struct FTemplateType
	{
		std::string_view Name;
		std::vector<std::string_view> Args;
	};

	/** `TMap<FName, int32>` as its name and top-level arguments; nothing when Type is not a template. */
	std::optional<FTemplateType> SplitTemplate(std::string_view Type)
	{
		const std::size_t Open = Type.find('<');
		if (Open == std::string_view::npos || !Type.ends_with('>'))
		{
			return std::nullopt;
		}
		FTemplateType Template{Trim(Type.substr(0, Open)), {}};
		int Depth = 0;
		std::size_t ArgStart = Open + 1;
		for (std::size_t Index = Open + 1; Index + 1 < Type.size(); ++Index)
		{
			const char Char = Type[Index];
			Depth += Char == '<' ? 1 : (Char == '>' ? -1 : 0);
			if (Depth < 0)
			{
				return std::nullopt;
			}
			if (Char == ',' && Depth == 0)
			{
				Template.Args.push_back(Trim(Type.substr(ArgStart, Index - ArgStart)));
				ArgStart = Index + 1;
			}
		}
		if (Depth != 0)
		{
			return std::nullopt;
		}
		Template.Args.push_back(Trim(Type.substr(ArgStart, Type.size() - 1 - ArgStart)));
		return Template;
	}

	/** A C++ type name without its engine prefix letter (`AActor` to `Actor`); nothing when it has none. */
	std::optional<std::string_view> WithoutPrefix(std::string_view CPPName, std::string_view Prefixes)
	{
		if (CPPName.size() < 2 || Prefixes.find(CPPName.front()) == std::string_view::npos || !IsUpper(CPPName[1]))
		{
			return std::nullopt;
		}
		return CPPName.substr(1);
	}

	const UClass* FindClassForCPPName(std::string_view CPPName)
	{
		const std::optional<std::string_view> Name = WithoutPrefix(StripQualifiers(CPPName), "UAI");
		return Name ? FClassDatabase::Get().FindClassByName(*Name) : nullptr;
	}

	FEdGraphPinType MakePinType(std::string_view Category, std::string_view SubCategory = {}, std::string SubCategoryObject = "None")
	{
		FEdGraphPinType PinType;
		PinType.PinCategory = Category;
		PinType.PinSubCategory = SubCategory;
		PinType.PinSubCategoryObject = std::move(SubCategoryObject);
		return PinType;
	}

	std::optional<FEdGraphPinType> ClassPinType(std::string_view Category, std::string_view ClassCPPName, bool bWrapper)
	{
		const UClass* const Class = FindClassForCPPName(ClassCPPName);
		if (Class == nullptr)
		{
			return std::nullopt;
		}
		FEdGraphPinType PinType = MakePinType(Category, {}, MakePinSubCategoryObjectText("Class", Class->GetPathName()));
		PinType.bIsUObjectWrapper = bWrapper;
		return PinType;
	}

	std::optional<FEdGraphPinType> StructPinType(std::string_view CPPName)
	{
		const std::optional<std::string_view> Name = WithoutPrefix(CPPName, "F");
		if (!Name)
		{
			return std::nullopt;
		}
		for (const std::string_view Package : TypePackages)
		{
			const std::string Path = std::string(Package) + "." + std::string(*Name);
			if (FClassDatabase::Get().FindStruct(Path) != nullptr)
			{
				return MakePinType(UEdGraphSchema_K2::PC_Struct, {}, MakePinSubCategoryObjectText("ScriptStruct", Path));
			}
		}
		return std::nullopt;
	}

	/** A byte pin naming the enumeration (`EEndPlayReason::Type` names `EEndPlayReason`) when the database has it. */
	FEdGraphPinType EnumPinType(std::string_view CPPName)
	{
		const std::string_view Name = CPPName.substr(0, CPPName.find("::"));
		for (const std::string_view Package : TypePackages)
		{
			const std::string Path = std::string(Package) + "." + std::string(Name);
			if (FClassDatabase::Get().FindEnum(Path) != nullptr)
			{
				return MakePinType(UEdGraphSchema_K2::PC_Byte, {}, MakePinSubCategoryObjectText("Enum", Path));
			}
		}
		return MakePinType(UEdGraphSchema_K2::PC_Byte);
	}

	std::optional<FEdGraphPinType> PinTypeFromTemplate(const FTemplateType& Template)
	{
		if (Template.Args.size() != 1)
		{
			return std::nullopt;
		}
		const std::string_view Arg = StripQualifiers(Template.Args.front());
		const std::string_view ClassName = Arg.ends_with('*') ? StripQualifiers(Arg.substr(0, Arg.size() - 1)) : Arg;
		if (Template.Name == "TObjectPtr")
		{
			return ClassPinType(UEdGraphSchema_K2::PC_Object, ClassName, false);
		}
		if (Template.Name == "TWeakObjectPtr")
		{
			std::optional<FEdGraphPinType> PinType = ClassPinType(UEdGraphSchema_K2::PC_Object, ClassName, false);
			if (PinType)
			{
				PinType->bIsWeakPointer = true;
			}
			return PinType;
		}
		if (Template.Name == "TSubclassOf")
		{
			return ClassPinType(UEdGraphSchema_K2::PC_Class, ClassName, true);
		}
		if (Template.Name == "TSoftObjectPtr")
		{
			return ClassPinType(UEdGraphSchema_K2::PC_SoftObject, ClassName, true);
		}
		if (Template.Name == "TSoftClassPtr")
		{
			return ClassPinType(UEdGraphSchema_K2::PC_SoftClass, ClassName, true);
		}
		if (Template.Name == "TScriptInterface")
		{
			return ClassPinType(UEdGraphSchema_K2::PC_Interface, ClassName, false);
		}
		if (Template.Name == "TEnumAsByte")
		{
			return EnumPinType(Arg);
		}
		return std::nullopt;
	}

	/** The pin type of a single value (not a container). */
	std::optional<FEdGraphPinType> PinTypeFromValueType(std::string_view Type)
	{
		using namespace UEdGraphSchema_K2;
		Type = StripQualifiers(Type);
		if (Type.ends_with('*'))
		{
			const std::string_view Pointee = StripQualifiers(Type.substr(0, Type.size() - 1));
			if (Pointee == "UClass")
			{
				return ClassPinType(PC_Class, "UObject", false);
			}
			return ClassPinType(PC_Object, Pointee, false);
		}
		if (const std::optional<FTemplateType> Template = SplitTemplate(Type))
		{
			return PinTypeFromTemplate(*Template);
		}
		if (Type == "bool")
		{
			return MakePinType(PC_Boolean);
		}
		if (Type == "int32" || Type == "int")
		{
			return MakePinType(PC_Int);
		}
		if (Type == "int64")
		{
			return MakePinType(PC_Int64);
		}
		if (Type == "uint8")
		{
			return MakePinType(PC_Byte);
		}
		if (Type == "float" || Type == "double")
		{
			return MakePinType(PC_Real, Type == "float" ? PC_Float : PC_Double);
		}
		if (Type == "FName")
		{
			return MakePinType(PC_Name);
		}
		if (Type == "FString")
		{
			return MakePinType(PC_String);
		}
		if (Type == "FText")
		{
			return MakePinType(PC_Text);
		}
		if (Type.size() > 1 && Type.front() == 'E' && IsUpper(Type[1]))
		{
			return EnumPinType(Type);
		}
		if (std::optional<FEdGraphPinType> Struct = StructPinType(Type))
		{
			return Struct;
		}
		if (Type.size() > 1 && Type.front() == 'F' && Type.ends_with("Delegate"))
		{
			return MakePinType(PC_Delegate);
		}
		return std::nullopt;
	}

	/** `uint8 bHidden:1` is a bool the class database writes with its storage type. */
	bool IsBitfieldBool(const FProperty& Property)
	{
		const std::string& Name = Property.GetName();
		return StripQualifiers(Property.GetCPPType()) == "uint8" && Name.size() > 1 && Name[0] == 'b' && IsUpper(Name[1]);
	}

}

bool IsParamListedInMetaData(const UFunction& Function, std::string_view Key, std::string_view ParamName)
{
	std::string_view List = Function.GetMetaData(Key);
	while (!List.empty())
	{
		const std::size_t Comma = List.find(',');
		if (Trim(List.substr(0, Comma)) == ParamName)
		{
			return true;
		}
		List = Comma == std::string_view::npos ? std::string_view() : List.substr(Comma + 1);
	}
	return false;
}

std::string MakePinSubCategoryObjectText(std::string_view TypeClass, std::string_view ObjectPath)
{
	return "\"/Script/CoreUObject." + std::string(TypeClass) + "'" + std::string(ObjectPath) + "'\"";
}

FEdGraphPinType ObjectPinTypeOf(const UClass& Class)
{
	return MakePinType(UEdGraphSchema_K2::PC_Object, {}, MakePinSubCategoryObjectText("Class", Class.GetPathName()));
}

std::optional<FEdGraphPinType> PinTypeFromCPPType(std::string_view CPPType)
{
	const std::string_view Type = StripQualifiers(CPPType);
	const std::optional<FTemplateType> Template = SplitTemplate(Type);
	const bool bContainer = Template && (Template->Name == "TArray" || Template->Name == "TSet" || Template->Name == "TMap");
	if (!bContainer)
	{
		return PinTypeFromValueType(Type);
	}
	if (Template->Args.size() != (Template->Name == "TMap" ? 2u : 1u))
	{
		return std::nullopt;
	}
	for (const std::string_view Arg : Template->Args)
	{
		const std::optional<FTemplateType> Inner = SplitTemplate(StripQualifiers(Arg));
		if (Inner && (Inner->Name == "TArray" || Inner->Name == "TSet" || Inner->Name == "TMap"))
		{
			return std::nullopt;
		}
	}
	std::optional<FEdGraphPinType> PinType = PinTypeFromValueType(Template->Args.front());
	if (!PinType)
	{
		return std::nullopt;
	}
	PinType->ContainerType = Template->Name == "TArray" ? "Array" : (Template->Name == "TSet" ? "Set" : "Map");
	if (PinType->IsMap())
	{
		const std::optional<FEdGraphPinType> ValueType = PinTypeFromValueType(Template->Args.back());
		if (!ValueType)
		{
			return std::nullopt;
		}
		PinType->PinValueType = {ValueType->PinCategory, ValueType->PinSubCategory, ValueType->PinSubCategoryObject, false, ValueType->bIsWeakPointer, ValueType->bIsUObjectWrapper};
	}
	return PinType;
}

bool IsFunctionInputParam(const FProperty& Param)
{
	return !Param.HasAnyPropertyFlags(CPF_ReturnParm) && (!Param.HasAnyPropertyFlags(CPF_OutParm) || Param.HasAnyPropertyFlags(CPF_ReferenceParm));
}

std::optional<FEdGraphPinType> PinTypeFromProperty(const FProperty& Property)
{
	std::optional<FEdGraphPinType> PinType = IsBitfieldBool(Property) ? MakePinType(UEdGraphSchema_K2::PC_Boolean) : PinTypeFromCPPType(Property.GetCPPType());
	if (PinType && Property.HasAnyPropertyFlags(CPF_ReferenceParm) && IsFunctionInputParam(Property))
	{
		PinType->bIsReference = true;
		PinType->bIsConst = Property.HasAnyPropertyFlags(CPF_ConstParm);
	}
	return PinType;
}

std::optional<FEdGraphPinType> PinTypeFromFunctionParam(const UFunction& Function, const FProperty& Param)
{
	const bool bWildcard = IsParamListedInMetaData(Function, "ArrayParm", Param.GetName()) || IsParamListedInMetaData(Function, "ArrayTypeDependentParams", Param.GetName());
	if (!bWildcard)
	{
		return PinTypeFromProperty(Param);
	}
	const std::optional<FTemplateType> Template = SplitTemplate(StripQualifiers(Param.GetCPPType()));
	FEdGraphPinType PinType = MakePinType(UEdGraphSchema_K2::PC_Wildcard);
	PinType.ContainerType = Template && Template->Name == "TArray" ? "Array" : (Template && Template->Name == "TSet" ? "Set" : "None");
	if (Param.HasAnyPropertyFlags(CPF_ReferenceParm) && IsFunctionInputParam(Param))
	{
		PinType.bIsReference = true;
		PinType.bIsConst = Param.HasAnyPropertyFlags(CPF_ConstParm);
	}
	return PinType;
}
