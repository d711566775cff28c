#include "Blueprints/BlueprintCompilerPinTypes.h"

#include "Blueprints/Blueprint.h"
#include "Graph/EdGraphPinType.h"
#include "Graph/NodeTitleNames.h"
#include "Graph/PinTypeFromProperty.h"
#include "Objects/Class.h"

#include <array>

namespace
{
	using namespace UEdGraphSchema_K2;

	/** Older copies spell reals as the categories float and double. */
	std::string_view NormalizedCategory(const FEdGraphPinType& PinType)
	{
		const std::string_view Category = PinType.PinCategory;
		return Category == PC_Float || Category == PC_Double ? PC_Real : Category;
	}

	bool IsClassCategory(std::string_view Category)
	{
		constexpr std::array<std::string_view, 5> ClassCategories = {PC_Object, PC_Class, PC_SoftObject, PC_SoftClass, PC_Interface};
		for (const std::string_view Candidate : ClassCategories)
		{
			if (Category == Candidate)
			{
				return true;
			}
		}
		return false;
	}

	bool IsContainer(const FEdGraphPinType& PinType)
	{
		return !PinType.ContainerType.empty() && PinType.ContainerType != "None";
	}

	/** The name of the type a pin's sub-category object names, a Blueprint class without its _C; Fallback when it names none. */
	std::string SubCategoryObjectName(const FEdGraphPinType& PinType, std::string_view Fallback)
	{
		if (PinType.PinSubCategory == PSC_Self)
		{
			return "Self";
		}
		std::string Name = ReferencedObjectName(PinType.PinSubCategoryObject);
		if (Name.ends_with("_C"))
		{
			Name.resize(Name.size() - 2);
		}
		return Name.empty() ? std::string(Fallback) : Name;
	}

	std::string SingleTypeText(const FEdGraphPinType& PinType)
	{
		const std::string_view Category = NormalizedCategory(PinType);
		if (Category == PC_Exec)
		{
			return "Exec";
		}
		if (Category == PC_Boolean)
		{
			return "Boolean";
		}
		if (Category == PC_Byte)
		{
			return SubCategoryObjectName(PinType, "Byte");
		}
		if (Category == PC_Int)
		{
			return "Integer";
		}
		if (Category == PC_Int64)
		{
			return "Integer64";
		}
		if (Category == PC_Real)
		{
			const std::string_view Precision = PinType.PinCategory == PC_Real ? std::string_view(PinType.PinSubCategory) : std::string_view(PinType.PinCategory);
			return Precision == PC_Float ? "Float (single-precision)" : (Precision == PC_Double ? "Float (double-precision)" : "Float");
		}
		if (Category == PC_Name || Category == PC_String || Category == PC_Text || Category == PC_Delegate || Category == PC_Wildcard)
		{
			std::string Word(Category);
			Word.front() = static_cast<char>(Word.front() - 'a' + 'A');
			return Word;
		}
		if (Category == PC_Struct)
		{
			return SubCategoryObjectName(PinType, "Struct") + " Structure";
		}
		if (Category == PC_Object)
		{
			return SubCategoryObjectName(PinType, "Object") + " Object Reference";
		}
		if (Category == PC_Class)
		{
			return SubCategoryObjectName(PinType, "Object") + " Class Reference";
		}
		if (Category == PC_SoftObject)
		{
			return SubCategoryObjectName(PinType, "Object") + " Soft Object Reference";
		}
		if (Category == PC_SoftClass)
		{
			return SubCategoryObjectName(PinType, "Object") + " Soft Class Reference";
		}
		if (Category == PC_Interface)
		{
			return SubCategoryObjectName(PinType, "Object") + " Interface";
		}
		return PinType.PinCategory.empty() ? std::string("Unknown") : PinType.PinCategory;
	}

	/** The class an object-like pin holds: nothing when it cannot be found, so the link is taken on trust. */
	std::optional<const UClass*> ResolvePinClass(const FEdGraphPinType& PinType, const UBlueprint& Blueprint)
	{
		if (PinType.PinSubCategory == PSC_Self)
		{
			const UClass* const Class = Blueprint.GeneratedClass != nullptr ? Blueprint.GeneratedClass : Blueprint.ParentClass;
			return Class != nullptr ? std::optional(Class) : std::nullopt;
		}
		if (ReferencedObjectPath(PinType.PinSubCategoryObject).empty())
		{
			return PinType.PinSubCategory.empty() ? std::optional<const UClass*>(UObject::StaticClass()) : std::nullopt;
		}
		const UClass* const Class = Cast<UClass>(GetPinSubCategoryObject(PinType));
		return Class != nullptr ? std::optional(Class) : std::nullopt;
	}

	std::string NotCompatible(const FEdGraphPinType& Output, const FEdGraphPinType& Input)
	{
		return PinTypeToText(Output) + " is not compatible with " + PinTypeToText(Input) + ".";
	}

	bool SameSubCategoryObject(const FEdGraphPinType& Output, const FEdGraphPinType& Input)
	{
		const std::string OutputPath = ReferencedObjectPath(Output.PinSubCategoryObject);
		const std::string InputPath = ReferencedObjectPath(Input.PinSubCategoryObject);
		return OutputPath.empty() || InputPath.empty() || OutputPath == InputPath;
	}
}

std::string PinTypeToText(const FEdGraphPinType& PinType)
{
	const std::string Single = SingleTypeText(PinType);
	if (!IsContainer(PinType))
	{
		return Single;
	}
	return PinType.ContainerType + " of " + Single + "s";
}

std::optional<std::string> FindPinTypeMismatch(const FEdGraphPinType& Output, const FEdGraphPinType& Input, const UBlueprint& Blueprint)
{
	const std::string_view OutputCategory = NormalizedCategory(Output);
	const std::string_view InputCategory = NormalizedCategory(Input);
	const bool bOutputWildcard = OutputCategory == PC_Wildcard;
	const bool bInputWildcard = InputCategory == PC_Wildcard;
	if (bOutputWildcard || bInputWildcard)
	{
		const bool bContainersAgree = Output.ContainerType == Input.ContainerType || (bInputWildcard && !IsContainer(Input)) || (bOutputWildcard && !IsContainer(Output));
		return bContainersAgree ? std::nullopt : std::optional(NotCompatible(Output, Input));
	}
	if (Output.ContainerType != Input.ContainerType && (IsContainer(Output) || IsContainer(Input)))
	{
		return NotCompatible(Output, Input);
	}
	if (IsClassCategory(OutputCategory) && IsClassCategory(InputCategory))
	{
		const bool bInterface = OutputCategory == PC_Interface || InputCategory == PC_Interface;
		if (OutputCategory != InputCategory && !bInterface)
		{
			return NotCompatible(Output, Input);
		}
		const std::optional<const UClass*> OutputClass = ResolvePinClass(Output, Blueprint);
		const std::optional<const UClass*> InputClass = ResolvePinClass(Input, Blueprint);
		if (bInterface || !OutputClass || !InputClass || (*OutputClass)->IsChildOf(*InputClass))
		{
			return std::nullopt;
		}
		return NotCompatible(Output, Input);
	}
	if (OutputCategory != InputCategory)
	{
		return NotCompatible(Output, Input);
	}
	if ((OutputCategory == PC_Struct || OutputCategory == PC_Byte) && !SameSubCategoryObject(Output, Input))
	{
		return NotCompatible(Output, Input);
	}
	return std::nullopt;
}
