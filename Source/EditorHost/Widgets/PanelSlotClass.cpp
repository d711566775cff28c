#include "Widgets/PanelSlotClass.h"

#include "Objects/Class.h"
#include "Objects/ClassDatabase.h"
#include "Widgets/PanelSlot.h"

#include <array>
#include <string>
#include <string_view>

namespace
{
	struct FSlotClassException
	{
		std::string_view PanelClassPath;
		std::string_view SlotClassPath;
	};

	/** The panels whose slot class is not named "<Panel>Slot". */
	constexpr std::array SlotClassExceptions{
		FSlotClassException{"/Script/UMG.GridPanel", "/Script/UMG.GridSlot"},
		FSlotClassException{"/Script/UMG.UniformGridPanel", "/Script/UMG.UniformGridSlot"},
	};

	UClass* OwnSlotClass(const UClass& PanelClass)
	{
		const FClassDatabase& Database = FClassDatabase::Get();
		const std::string Path = PanelClass.GetPathName();
		for (const FSlotClassException& Exception : SlotClassExceptions)
		{
			if (Exception.PanelClassPath == Path)
			{
				return Database.FindClass(Exception.SlotClassPath);
			}
		}
		// Blueprint classes make the slots of the engine panel they derive from.
		if (PanelClass.HasAnyClassFlags(CLASS_CompiledFromBlueprint))
		{
			return nullptr;
		}
		UClass* const Named = Database.FindClass(Path + "Slot");
		return Named != nullptr && Named->IsChildOf(UPanelSlot::StaticClass()) && !Named->HasAnyClassFlags(CLASS_Abstract) ? Named : nullptr;
	}
}

UClass* FindPanelSlotClass(const UClass* PanelClass)
{
	for (const UClass* Class = PanelClass; Class != nullptr; Class = Class->GetSuperClass())
	{
		if (UClass* const SlotClass = OwnSlotClass(*Class))
		{
			return SlotClass;
		}
	}
	return UPanelSlot::StaticClass();
}
