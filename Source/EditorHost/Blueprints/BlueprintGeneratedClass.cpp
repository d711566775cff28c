#include "Blueprints/BlueprintGeneratedClass.h"

#include "Blueprints/Blueprint.h"
#include "Core/Text.h"
#include "Graph/EdGraph.h"
#include "Graph/NodeTitleNames.h"
#include "Objects/ClassDatabase.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/ObjectInternals.h"
#include "Objects/ObjectStore.h"
#include "Objects/Package.h"
#include "Objects/PropertyValues.h"

#include <algorithm>

namespace
{
	/** The C++ type text of a pin type's single value, as a reflected property declares it. */
	std::string TerminalCPPType(std::string_view Category, std::string_view SubCategory, std::string_view SubCategoryObject)
	{
		const std::string ObjectName = ReferencedObjectName(SubCategoryObject);
		const UClass* const Class = FClassDatabase::Get().FindClass(ReferencedObjectPath(SubCategoryObject));
		const bool bActor = Class != nullptr && Class->IsChildOf(FindEngineClassChecked("/Script/Engine.Actor"));
		const std::string ClassType = ObjectName.empty() ? std::string("UObject") : (bActor ? "A" : "U") + ObjectName;
		if (Category == "bool") return "bool";
		if (Category == "int") return "int32";
		if (Category == "int64") return "int64";
		if (Category == "real" || Category == "float" || Category == "double") return SubCategory == "float" || Category == "float" ? "float" : "double";
		if (Category == "name") return "FName";
		if (Category == "string") return "FString";
		if (Category == "text") return "FText";
		if (Category == "byte") return ObjectName.empty() ? std::string("uint8") : "TEnumAsByte<" + ObjectName + ">";
		if (Category == "enum") return ObjectName.empty() ? std::string("uint8") : ObjectName;
		if (Category == "struct") return "F" + (ObjectName.empty() ? std::string("Struct") : ObjectName);
		if (Category == "object") return "TObjectPtr<" + ClassType + ">";
		if (Category == "class") return "TSubclassOf<" + ClassType + ">";
		if (Category == "softobject") return "TSoftObjectPtr<" + ClassType + ">";
		if (Category == "softclass") return "TSoftClassPtr<" + ClassType + ">";
		if (Category == "interface") return "TScriptInterface<I" + ObjectName + ">";
		return std::string(Category);
	}

	FProperty MakeVariableProperty(const FBPVariableDescription& Variable)
	{
		FProperty Property(Variable.VarName, GetVariableCPPType(Variable.VarType), Variable.PropertyFlags);
		Property.SetDefaultValueText(Variable.DefaultValue);
		if (!Variable.Category.empty())
		{
			Property.SetMetaData("Category", Variable.Category);
		}
		for (const FBPVariableMetaDataEntry& Entry : Variable.MetaDataArray)
		{
			Property.SetMetaData(Entry.DataKey, Entry.DataValue);
		}
		return Property;
	}

	/** The class of the generated class: the one that goes with the Blueprint's own kind. */
	UClass* GeneratedClassClass(const UBlueprint& Blueprint)
	{
		const FClassDatabase& Database = FClassDatabase::Get();
		if (Blueprint.IsA(Database.FindClass("/Script/Engine.AnimBlueprint")))
		{
			return Database.FindClass("/Script/Engine.AnimBlueprintGeneratedClass");
		}
		if (Blueprint.IsA(Database.FindClass("/Script/UMGEditor.WidgetBlueprint")))
		{
			return Database.FindClass("/Script/UMG.WidgetBlueprintGeneratedClass");
		}
		return UBlueprintGeneratedClass::StaticClass();
	}

	/** The values set on a default object for properties its class inherits rather than declares. */
	std::vector<std::pair<std::string, std::string>> InheritedPropertyValues(const UClass& Class, const UObject& Defaults)
	{
		std::vector<std::pair<std::string, std::string>> Values = GetChangedPropertyValues(Defaults);
		std::erase_if(Values, [&Class](const auto& Entry) {
			const FProperty* const Property = Class.FindPropertyByName(Entry.first);
			return Property == nullptr || Property->GetOwnerClass() == &Class;
		});
		return Values;
	}

	/** Renames a replaced object out of the way (TRASHCLASS_BP_C_0, ...) and marks it as garbage, as the editor's reinstancing does. */
	void Retire(UObject& Object, std::string_view Prefix)
	{
		UObject* const Outer = Object.GetOuter();
		std::string Name;
		for (int Number = 0; Name.empty() || Outer->FindInnerObject(Name) != nullptr; ++Number)
		{
			Name = std::string(Prefix) + Object.GetName() + "_" + std::to_string(Number);
		}
		FObjectInternals::Initialize(Object, Object.GetClass(), Outer, std::move(Name), Object.GetFlags());
		Object.MarkAsGarbage();
	}
}

std::string GetVariableCPPType(const FEdGraphPinType& Type)
{
	const std::string Key = TerminalCPPType(Type.PinCategory, Type.PinSubCategory, Type.PinSubCategoryObject);
	if (Type.IsArray())
	{
		return "TArray<" + Key + ">";
	}
	if (Type.IsSet())
	{
		return "TSet<" + Key + ">";
	}
	if (Type.IsMap())
	{
		const FEdGraphTerminalType& Value = Type.PinValueType;
		return "TMap<" + Key + "," + TerminalCPPType(Value.TerminalCategory, Value.TerminalSubCategory, Value.TerminalSubCategoryObject) + ">";
	}
	return Key;
}

void UBlueprintGeneratedClass::SetLayout(UClass* InSuperClass, uint32_t InClassFlags, std::vector<FProperty> InProperties)
{
	SuperClass = InSuperClass;
	ClassFlags = InClassFlags;
	Properties = std::move(InProperties);
	for (FProperty& Property : Properties)
	{
		Property.SetOwnerClass(this);
	}
}

UClass* RegenerateBlueprintClass(UBlueprint& Blueprint)
{
	UPackage* const Package = Blueprint.GetPackage();
	const std::string ClassName = Blueprint.GetName() + "_C";
	// The class in the package is the one to replace, whatever the Blueprint still points at:
	// creating the new class over it would destroy it under its default object's feet.
	UBlueprintGeneratedClass* const Old = Cast<UBlueprintGeneratedClass>(Package->FindInnerObject(ClassName));
	std::vector<std::pair<std::string, std::string>> InheritedDefaults;
	if (Old != nullptr)
	{
		if (UObject* const OldDefaults = Old->ClassDefaultObject)
		{
			InheritedDefaults = InheritedPropertyValues(*Old, *OldDefaults);
			Retire(*OldDefaults, "TRASH_");
		}
		Retire(*Old, "TRASHCLASS_");
	}

	UBlueprintGeneratedClass* const Class = NewObject<UBlueprintGeneratedClass>(Package, GeneratedClassClass(Blueprint), ClassName, RF_Public | RF_Transient);
	if (Class == nullptr)
	{
		Blueprint.GeneratedClass = nullptr;
		return nullptr;
	}
	std::vector<FProperty> Properties;
	for (const FBPVariableDescription& Variable : Blueprint.NewVariables)
	{
		Properties.push_back(MakeVariableProperty(Variable));
	}
	UClass* const Super = Blueprint.ParentClass != nullptr ? Blueprint.ParentClass : UObject::StaticClass();
	Class->SetLayout(Super, CLASS_CompiledFromBlueprint, std::move(Properties));
	Class->ClassGeneratedBy = &Blueprint;
	for (const UEdGraph* const Graph : Blueprint.FunctionGraphs)
	{
		if (Graph != nullptr)
		{
			Class->FunctionNames.push_back(Graph->GetName());
		}
	}
	UObject* const Defaults = NewObject<UObject>(Package, Class, "Default__" + ClassName, RF_Public | RF_Transient);
	Class->ClassDefaultObject = Defaults;
	// The default object keeps what was set on it for the parent's properties (a widget's design
	// size, say), as the editor's reinstancing copies it over; variables start from their defaults.
	for (const auto& [PropertyName, ValueText] : InheritedDefaults)
	{
		if (Defaults != nullptr)
		{
			SetPropertyValueText(*Defaults, PropertyName, ValueText);
		}
	}
	Blueprint.GeneratedClass = Class;

	// Whatever derived from the replaced class now derives from the new one.
	if (Old != nullptr)
	{
		for (UPackage* const Other : FObjectStore::Get().GetPackages())
		{
			for (UObject* const Inner : Other->GetInnerObjects())
			{
				if (UBlueprint* const Child = Cast<UBlueprint>(Inner); Child != nullptr && Child->ParentClass == Old)
				{
					Child->ParentClass = Class;
				}
				if (UBlueprintGeneratedClass* const ChildClass = Cast<UBlueprintGeneratedClass>(Inner); ChildClass != nullptr && ChildClass->GetSuperClass() == Old)
				{
					ChildClass->SetSuperClass(Class);
				}
			}
		}
	}
	return Class;
}

UBlueprint* GetBlueprintFromClass(const UClass* Class)
{
	const UBlueprintGeneratedClass* const Generated = Cast<UBlueprintGeneratedClass>(Class);
	return Generated != nullptr ? Generated->ClassGeneratedBy.Get() : nullptr;
}

UEdGraph* FindBlueprintFunctionGraph(const UClass* Class, std::string_view FunctionName)
{
	for (; Class != nullptr; Class = Class->GetSuperClass())
	{
		const UBlueprint* const Blueprint = GetBlueprintFromClass(Class);
		if (Blueprint == nullptr)
		{
			continue;
		}
		for (UEdGraph* const Graph : Blueprint->FunctionGraphs)
		{
			if (Graph != nullptr && Text::EqualsIgnoreCase(Graph->GetName(), FunctionName))
			{
				return Graph;
			}
		}
	}
	return nullptr;
}

UObject* UBlueprintGeneratedClass::GetDefaultObject(bool bCreateIfNeeded) const
{
	if (ClassDefaultObject == nullptr && bCreateIfNeeded && GetOuter() != nullptr)
	{
		ClassDefaultObject = NewObject<UObject>(GetOuter(), const_cast<UBlueprintGeneratedClass*>(this), "Default__" + GetName(), RF_Public | RF_Transient);
	}
	return ClassDefaultObject;
}
