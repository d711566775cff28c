#include "Objects/ObjectInternals.h"

#include "Objects/Object.h"
#include "Objects/Class.h"
#include "Objects/ObjectTable.h"

#include <algorithm>
#include <cassert>

void FObjectInternals::Initialize(UObject& Object, UClass* Class, UObject* Outer, std::string Name, EObjectFlags Flags)
{
	Object.Name = std::move(Name);
	Object.Class = Class;
	Object.Outer = Outer;
	Object.Flags = Flags;
	if (Object.InternalIndex < 0)
	{
		Object.InternalIndex = FObjectTable::Get().Add(&Object);
	}
}

void FObjectInternals::SetClass(UObject& Object, UClass* Class)
{
	Object.Class = Class;
}

UObject* FObjectInternals::AttachToOuter(std::unique_ptr<UObject> Object)
{
	assert(Object->Outer != nullptr && "only objects with an outer are attached");
	UObject* Raw = Object.get();
	Object->Outer->InnerObjects.push_back(std::move(Object));
	return Raw;
}

bool FObjectInternals::DestroyInnerObject(UObject& Outer, UObject& Inner)
{
	const auto Found = std::find_if(Outer.InnerObjects.begin(), Outer.InnerObjects.end(),
		[&Inner](const std::unique_ptr<UObject>& Candidate) { return Candidate.get() == &Inner; });
	if (Found == Outer.InnerObjects.end())
	{
		return false;
	}
	// Take the object out first, so that nothing inside it sees a half-removed list.
	std::unique_ptr<UObject> Doomed = std::move(*Found);
	Outer.InnerObjects.erase(Found);
	return true;
}

void FObjectInternals::CollectGarbageInside(UObject& Outer)
{
	std::vector<std::unique_ptr<UObject>> Doomed;
	for (std::unique_ptr<UObject>& Inner : Outer.InnerObjects)
	{
		if (Inner->IsGarbage())
		{
			Doomed.push_back(std::move(Inner));
		}
		else
		{
			CollectGarbageInside(*Inner);
		}
	}
	std::erase(Outer.InnerObjects, nullptr);
}

UObject* FObjectInternals::Construct(UClass* Class, UObject& Outer, std::string Name, EObjectFlags Flags)
{
	std::unique_ptr<UObject> Object = Class->CreateNativeInstance();
	Initialize(*Object, Class, &Outer, std::move(Name), Flags);
	return AttachToOuter(std::move(Object));
}
