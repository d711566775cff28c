#include "Endpoints/WidgetVariableTypes.h"

#include "Blueprints/Blueprint.h"
#include "Core/TextHelpers.h"
#include "Graph/PinTypeFromProperty.h"
#include "Objects/Class.h"
#include "Objects/ObjectGlobals.h"

#include <array>
#include <utility>

namespace
{
	using namespace UEdGraphSchema_K2;

	/** The structure words and the engine structures they name, in the spelling TypeNameFromPinType answers. */
	constexpr std::array<std::pair<std::string_view, std::string_view>, 5> StructureWords = {{
		{"vector", "/Script/CoreUObject.Vector"},
		{"vector2d", "/Script/CoreUObject.Vector2D"},
		{"rotator", "/Script/CoreUObject.Rotator"},
		{"transform", "/Script/CoreUObject.Transform"},
		{"linearcolor", "/Script/CoreUObject.LinearColor"},
	}};

	std::string ToLowerAscii(std::string_view Text)
	{
		std::string Lower(Text);
		for (char& Char : Lower)
		{
			if (Char >= 'A' && Char <= 'Z')
			{
				Char = static_cast<char>(Char - 'A' + 'a');
			}
		}
		return Lower;
	}

	FEdGraphPinType MakePinType(std::string_view Category, std::string_view SubCategory = {}, std::string SubCategoryObject = "None")
	{
		FEdGraphPinType PinType;
		PinType.PinCategory = Category;
		PinType.PinSubCategory = SubCategory;
		PinType.PinSubCategoryObject = std::move(SubCategoryObject);
		return PinType;
	}

	UClass* FindLoadedClass(const std::string& Path)
	{
		return Cast<UClass>(StaticFindObject(UClass::StaticClass(), nullptr, Path));
	}

	UClass* LoadClass(std::string_view Path)
	{
		return Cast<UClass>(StaticLoadObject(UClass::StaticClass(), Path));
	}

	/** The class an "object" or "class" variable refers to, first hit winning; the base object class when nothing resolves. */
	UClass* ResolveVariableClass(std::string_view SubType, std::string_view SubTypePath)
	{
		if (!SubTypePath.empty())
		{
			if (UClass* const Class = LoadClass(SubTypePath))
			{
				return Class;
			}
			const UBlueprint* const Blueprint = Cast<UBlueprint>(StaticLoadObject(UBlueprint::StaticClass(), SubTypePath));
			if (Blueprint != nullptr && Blueprint->GeneratedClass != nullptr)
			{
				return Blueprint->GeneratedClass;
			}
		}
		if (!SubType.empty())
		{
			const std::string Name(SubType);
			if (UClass* const Engine = FindLoadedClass("/Script/Engine." + Name))
			{
				return Engine;
			}
			if (UClass* const Umg = FindLoadedClass("/Script/UMG." + Name))
			{
				return Umg;
			}
			if (UClass* const ProjectBlueprint = LoadClass("/Game/" + Name + "." + Name + "_C"))
			{
				return ProjectBlueprint;
			}
		}
		return UObject::StaticClass();
	}

	/** Name without one trailing "_C" (any letter case): a Blueprint's generated class named as its Blueprint. */
	std::string WithoutClassSuffix(std::string Name)
	{
		if (Name.size() >= 2 && Text::EqualsIgnoreCase(std::string_view(Name).substr(Name.size() - 2), "_C"))
		{
			Name.resize(Name.size() - 2);
		}
		return Name;
	}
}

std::optional<FEdGraphPinType> PinTypeFromTypeName(std::string_view TypeWord, std::string_view SubType, std::string_view SubTypePath)
{
	const std::string Word = ToLowerAscii(TypeWord);
	for (const std::string_view Simple : {PC_Boolean, PC_Int, PC_Int64, PC_Byte, PC_String, PC_Name, PC_Text})
	{
		if (Word == Simple)
		{
			return MakePinType(Simple);
		}
	}
	if (Word == "float" || Word == "double" || Word == "real")
	{
		return MakePinType(PC_Real, PC_Double);
	}
	const std::string_view StructureWord = Word == "color" ? std::string_view("linearcolor") : std::string_view(Word);
	for (const auto& [Candidate, StructPath] : StructureWords)
	{
		if (StructureWord == Candidate)
		{
			return MakePinType(PC_Struct, {}, MakePinSubCategoryObjectText("ScriptStruct", StructPath));
		}
	}
	if (Word == PC_Object || Word == PC_Class)
	{
		const UClass* const Class = ResolveVariableClass(SubType, SubTypePath);
		return MakePinType(Word == PC_Object ? PC_Object : PC_Class, {}, MakePinSubCategoryObjectText("Class", Class->GetPathName()));
	}
	return std::nullopt;
}

FVariableTypeName TypeNameFromPinType(const FEdGraphPinType& PinType)
{
	const std::string_view Category = PinType.PinCategory;
	for (const std::string_view Simple : {PC_Boolean, PC_Int, PC_Int64, PC_Byte, PC_String, PC_Name, PC_Text})
	{
		if (Category == Simple)
		{
			return {std::string(Simple), {}};
		}
	}
	if (Category == PC_Real || Category == PC_Float || Category == PC_Double)
	{
		return {"float", {}};
	}
	const UObject* const SubCategoryObject = GetPinSubCategoryObject(PinType);
	if (Category == PC_Struct)
	{
		const std::string StructName = SubCategoryObject != nullptr ? SubCategoryObject->GetName() : std::string();
		for (const auto& [Word, StructPath] : StructureWords)
		{
			if (Text::EqualsIgnoreCase(StructName, StructPath.substr(StructPath.find('.') + 1)))
			{
				return {std::string(Word), {}};
			}
		}
		return {"struct", StructName};
	}
	if (Category == PC_Object || Category == PC_Class)
	{
		return {std::string(Category), SubCategoryObject != nullptr ? WithoutClassSuffix(SubCategoryObject->GetName()) : std::string()};
	}
	return {"string", {}};
}
