#include "Objects/ObjectGlobals.h"

#include "Core/LogHost.h"
#include "Objects/ClassDatabase.h"
#include "Objects/ObjectInternals.h"
#include "Objects/ObjectStore.h"
#include "Objects/Package.h"

#include <algorithm>
#include <charconv>
#include <optional>

bool FObjectInternals::IsValidObjectName(std::string_view Name)
{
	return !Name.empty() && Name.find_first_of(".:/\"' ,") == std::string_view::npos
		&& std::none_of(Name.begin(), Name.end(), [](char Character) { return static_cast<unsigned char>(Character) < 0x20; });
}

namespace
{
	/** Follows "Name", "Name:Sub" or "Name:Sub.Inner" down from Start. */
	UObject* FindInside(UObject* Start, std::string_view Names)
	{
		UObject* Current = Start;
		while (Current != nullptr && !Names.empty())
		{
			const std::size_t Separator = Names.find_first_of(".:");
			Current = Current->FindInnerObject(Names.substr(0, Separator));
			Names = Separator == std::string_view::npos ? std::string_view() : Names.substr(Separator + 1);
		}
		return Current;
	}

	UObject* FindByPath(std::string_view Path)
	{
		if (Path.starts_with("/Script/"))
		{
			return FClassDatabase::Get().FindObject(Path);
		}
		const std::size_t Separator = Path.find_first_of(".:");
		UPackage* Package = FObjectStore::Get().FindPackage(Path.substr(0, Separator));
		if (Package == nullptr || Separator == std::string_view::npos)
		{
			return Package;
		}
		const std::string_view Names = Path.substr(Separator + 1);
		return Names.empty() ? nullptr : FindInside(Package, Names);
	}
}

UPackage* GetTransientPackage()
{
	return FObjectStore::Get().GetTransientPackage();
}

UPackage* CreatePackage(std::string_view PackageName)
{
	return FObjectStore::Get().CreatePackage(PackageName);
}

void CollectGarbage()
{
	FObjectStore::Get().CollectGarbage();
}

std::string MakeUniqueObjectName(const UObject* Outer, const UClass* Class)
{
	const std::string Base = (Class != nullptr ? Class->GetName() : std::string("Object")) + "_";
	for (std::size_t Number = 0;; ++Number)
	{
		std::string Candidate = Base + std::to_string(Number);
		if (Outer == nullptr || Outer->FindInnerObject(Candidate) == nullptr)
		{
			return Candidate;
		}
	}
}

namespace
{
	/** "K2Node_X_12" as "K2Node_X" and 12; a name without a number keeps all of itself. */
	std::pair<std::string_view, std::optional<int>> SplitNameNumber(std::string_view Name)
	{
		const std::size_t Underscore = Name.rfind('_');
		if (Underscore == std::string_view::npos || Underscore + 1 == Name.size())
		{
			return {Name, std::nullopt};
		}
		int Number = 0;
		const char* const End = Name.data() + Name.size();
		const auto [Ptr, Error] = std::from_chars(Name.data() + Underscore + 1, End, Number);
		if (Error != std::errc() || Ptr != End || Number < 0)
		{
			return {Name, std::nullopt};
		}
		return {Name.substr(0, Underscore), Number};
	}

	bool IsNameHeld(const UObject* Outer, std::string_view Name)
	{
		const UObject* const Holder = Outer != nullptr ? Outer->FindInnerObject(Name) : nullptr;
		return Holder != nullptr && !Holder->IsGarbage();
	}
}

std::string MakeUniqueObjectName(const UObject* Outer, std::string_view WantedName)
{
	if (!IsNameHeld(Outer, WantedName))
	{
		return std::string(WantedName);
	}
	const auto [Base, Number] = SplitNameNumber(WantedName);
	for (int Candidate = Number.value_or(-1) + 1;; ++Candidate)
	{
		std::string Name = std::string(Base) + "_" + std::to_string(Candidate);
		if (!IsNameHeld(Outer, Name))
		{
			return Name;
		}
	}
}

UObject* StaticConstructObject(UClass* Class, UObject* Outer, std::string_view Name, EObjectFlags Flags)
{
	if (Class == nullptr)
	{
		return nullptr;
	}
	if (Class->IsChildOf(UPackage::StaticClass()))
	{
		return Outer == nullptr ? CreatePackage(Name) : nullptr;
	}
	if (Class->HasAnyClassFlags(CLASS_Abstract))
	{
		UE_LOG(LogHost, Error, "Cannot create an object of the abstract class %s", Class->GetName().c_str());
		return nullptr;
	}
	if (Outer == nullptr)
	{
		Outer = GetTransientPackage();
	}
	std::string ObjectName = Name.empty() ? MakeUniqueObjectName(Outer, Class) : std::string(Name);
	if (!FObjectInternals::IsValidObjectName(ObjectName))
	{
		UE_LOG(LogHost, Error, "Cannot create an object named '%s' in %s", ObjectName.c_str(), Outer->GetPathName().c_str());
		return nullptr;
	}
	if (UObject* Existing = Outer->FindInnerObject(ObjectName))
	{
		// A name held only by garbage is free: the object would go at the next collection anyway.
		if (!Existing->IsGarbage() && Existing->GetClass() != Class)
		{
			UE_LOG(LogHost, Error, "Cannot replace %s with an object of class %s", Existing->GetFullName().c_str(), Class->GetName().c_str());
			return nullptr;
		}
		FObjectInternals::DestroyInnerObject(*Outer, *Existing);
	}

	UObject* Object = FObjectInternals::Construct(Class, *Outer, std::move(ObjectName), Flags);
	if (Object->IsAsset())
	{
		Object->MarkPackageDirty();
		FObjectStore::Get().BroadcastAssetCreated(*Object);
	}
	return Object;
}

UObject* StaticFindObject(UClass* Class, UObject* Outer, std::string_view Name)
{
	UObject* Found = Outer != nullptr ? FindInside(Outer, Name) : FindByPath(Name);
	if (Found == nullptr || (Class != nullptr && !Found->IsA(Class)))
	{
		return nullptr;
	}
	return Found;
}

UObject* StaticLoadObject(UClass* Class, UObject* Outer, std::string_view Name)
{
	if (Outer != nullptr)
	{
		return StaticLoadObject(Class, Outer->GetPathName() + "." + std::string(Name));
	}
	return StaticLoadObject(Class, Name);
}

UObject* StaticLoadObject(UClass* Class, std::string_view Path)
{
	const std::size_t Dot = Path.find('.');
	if (Dot == std::string_view::npos || Dot + 1 == Path.size())
	{
		return nullptr;
	}
	UObject* Found = FindByPath(Path);
	if (Found == nullptr && !Path.starts_with("/Script/") && FObjectStore::Get().FindPackage(Path.substr(0, Dot)) == nullptr)
	{
		if (LoadPackage(Path.substr(0, Dot)) != nullptr)
		{
			Found = FindByPath(Path);
		}
	}
	if (!IsValid(Found) || !Found->IsA(Class != nullptr ? Class : UObject::StaticClass()))
	{
		return nullptr;
	}
	return Found;
}
