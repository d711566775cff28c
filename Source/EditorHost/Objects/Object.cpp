#include "Objects/Object.h"

#include "Core/JsonObject.h"
#include "Objects/Class.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/ObjectInternals.h"
#include "Objects/ObjectTable.h"
#include "Objects/Package.h"

#include <algorithm>

/** The parts of an asset file that an object without a C++ type of its own keeps for saving. */
struct UObject::FKeptAssetFile
{
	FJsonObject Fields;
	std::vector<FAssetRegistryTag> Tags;
};

UObject::UObject() = default;

UObject::~UObject()
{
	if (InternalIndex >= 0)
	{
		FObjectTable::Get().Remove(InternalIndex);
	}
}

UPackage* UObject::GetPackage() const
{
	const UObject* Top = this;
	while (Top->Outer != nullptr)
	{
		Top = Top->Outer;
	}
	return Cast<UPackage>(const_cast<UObject*>(Top));
}

std::string UObject::GetPathName() const
{
	if (Outer == nullptr)
	{
		return Name;
	}
	std::string Path = Outer->GetPathName();
	// The first object below an asset is set off with ':', everything else with '.'.
	const bool bOuterIsPackage = Outer->Outer == nullptr;
	const bool bOuterIsAsset = !bOuterIsPackage && Outer->Outer->Outer == nullptr;
	Path.push_back(bOuterIsAsset ? ':' : '.');
	Path.append(Name);
	return Path;
}

std::string UObject::GetFullName() const
{
	return (Class != nullptr ? Class->GetName() : std::string("None")) + " " + GetPathName();
}

bool UObject::IsA(const UClass* SomeBase) const
{
	return Class != nullptr && Class->IsChildOf(SomeBase);
}

bool UObject::IsAsset() const
{
	if (Outer == nullptr || Outer->Outer != nullptr || HasAnyFlags(RF_Transient | RF_MirroredGarbage))
	{
		return false;
	}
	const UPackage* Package = GetPackage();
	return Package != nullptr && !Package->HasAnyFlags(RF_Transient) && !Package->IsScriptPackage();
}

bool UObject::MarkPackageDirty() const
{
	UPackage* Package = GetPackage();
	if (Package == nullptr || Package->HasAnyFlags(RF_Transient))
	{
		return false;
	}
	Package->SetDirtyFlag(true);
	return true;
}

bool UObject::Modify(bool bAlwaysMarkDirty)
{
	if (bAlwaysMarkDirty)
	{
		MarkPackageDirty();
	}
	return false;
}

void UObject::PostInitProperties()
{
}

void UObject::PostRename([[maybe_unused]] UObject* OldOuter, [[maybe_unused]] std::string_view OldName)
{
}

void UObject::PreEditChange([[maybe_unused]] const FProperty* PropertyAboutToChange)
{
}

void UObject::PostEditChange()
{
}

bool UObject::Rename(const char* NewName, UObject* NewOuter, ERenameFlags Flags)
{
	if (Outer == nullptr)
	{
		return false;
	}
	UObject* const Destination = NewOuter != nullptr ? NewOuter : Outer;
	for (const UObject* Ancestor = Destination; Ancestor != nullptr; Ancestor = Ancestor->Outer)
	{
		if (Ancestor == this)
		{
			return false;
		}
	}
	std::string TargetName;
	if (NewName != nullptr)
	{
		TargetName = NewName;
		const UObject* const Holder = Destination->FindInnerObject(TargetName);
		if (!FObjectInternals::IsValidObjectName(TargetName) || (Holder != nullptr && Holder != this))
		{
			return false;
		}
	}
	else
	{
		const UObject* const Holder = Destination->FindInnerObject(Name);
		TargetName = Holder == nullptr || Holder == this ? Name : MakeUniqueObjectName(Destination, Class);
	}
	if ((Flags & REN_Test) != 0)
	{
		return true;
	}
	if ((Flags & REN_DoNotDirty) == 0)
	{
		MarkPackageDirty();
	}
	UObject* const OldOuter = Outer;
	const std::string OldName = Name;
	if (Destination == Outer)
	{
		FObjectInternals::Initialize(*this, Class, Outer, std::move(TargetName), this->Flags);
	}
	else
	{
		FObjectInternals::MoveToOuter(*this, *Destination, std::move(TargetName));
	}
	if ((Flags & REN_DoNotDirty) == 0)
	{
		MarkPackageDirty();
	}
	PostRename(OldOuter, OldName);
	return true;
}

bool UObject::ImportTextMember([[maybe_unused]] const FObjectTextLine& Line, [[maybe_unused]] FObjectTextImportContext& Context)
{
	return false;
}

bool UObject::KeepTextLine([[maybe_unused]] std::string_view Line)
{
	return false;
}

UObject* UObject::FindInnerObject(std::string_view InnerName) const
{
	const auto Found = InnerObjectsByName.find(std::string(InnerName));
	return Found != InnerObjectsByName.end() ? Found->second : nullptr;
}

std::vector<UObject*> UObject::GetInnerObjects() const
{
	std::vector<UObject*> Inners;
	Inners.reserve(InnerObjects.size());
	for (const std::unique_ptr<UObject>& Inner : InnerObjects)
	{
		Inners.push_back(Inner.get());
	}
	return Inners;
}

bool UObject::LoadAssetFields(const FJsonObject& File, [[maybe_unused]] std::string& OutError)
{
	KeptAssetFile = std::make_unique<FKeptAssetFile>();
	for (const FJsonObject::FMember& Member : File.Values())
	{
		if (Member.first == "tags")
		{
			if (const std::shared_ptr<FJsonObject> Tags = Member.second.TryGetObject())
			{
				for (const FJsonObject::FMember& Tag : Tags->Values())
				{
					KeptAssetFile->Tags.push_back({Tag.first, Tag.second.AsText().value_or(std::string())});
				}
			}
		}
		else if (Member.first != "class")
		{
			KeptAssetFile->Fields.SetField(Member.first, Member.second);
		}
	}
	return true;
}

void UObject::SaveAssetFields(FJsonObject& OutFile) const
{
	if (KeptAssetFile)
	{
		for (const FJsonObject::FMember& Member : KeptAssetFile->Fields.Values())
		{
			OutFile.SetField(Member.first, Member.second);
		}
	}
}

void UObject::GetAssetRegistryTags(std::vector<FAssetRegistryTag>& OutTags) const
{
	if (KeptAssetFile)
	{
		OutTags.insert(OutTags.end(), KeptAssetFile->Tags.begin(), KeptAssetFile->Tags.end());
	}
}
