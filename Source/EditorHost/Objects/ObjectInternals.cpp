#include "Objects/ObjectInternals.h"

#include "Objects/Object.h"
#include "Objects/Class.h"
#include "Objects/ObjectTable.h"

#include <algorithm>
#include <cassert>

namespace
{
	/** Points the name at the first inner object that has it, or drops it when none has. */
	void ReindexName(const std::string& Name, const std::vector<std::unique_ptr<UObject>>& Inners, std::unordered_map<std::string, UObject*>& Index)
	{
		const auto Holder = std::find_if(Inners.begin(), Inners.end(), [&Name](const std::unique_ptr<UObject>& Inner) { return Inner != nullptr && Inner->GetName() == Name; });
		if (Holder != Inners.end())
		{
			Index[Name] = Holder->get();
		}
		else
		{
			Index.erase(Name);
		}
	}
}

void FObjectInternals::Initialize(UObject& Object, UClass* Class, UObject* Outer, std::string Name, EObjectFlags Flags)
{
	// An object already inside its outer is being renamed: its outer's index follows.
	UObject* const IndexedOuter = Object.Outer != nullptr && Object.Outer->FindInnerObject(Object.Name) == &Object ? Object.Outer : nullptr;
	const std::string OldName = Object.Name;
	Object.Name = std::move(Name);
	if (IndexedOuter != nullptr)
	{
		ReindexName(OldName, IndexedOuter->InnerObjects, IndexedOuter->InnerObjectsByName);
		IndexedOuter->InnerObjectsByName.try_emplace(Object.Name, &Object);
	}
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
	UObject& Outer = *Object->Outer;
	Outer.InnerObjects.push_back(std::move(Object));
	Outer.InnerObjectsByName.try_emplace(Raw->Name, Raw);
	return Raw;
}

void FObjectInternals::MoveToOuter(UObject& Object, UObject& NewOuter, std::string NewName)
{
	UObject& OldOuter = *Object.Outer;
	const auto Found = std::find_if(OldOuter.InnerObjects.begin(), OldOuter.InnerObjects.end(),
		[&Object](const std::unique_ptr<UObject>& Candidate) { return Candidate.get() == &Object; });
	assert(Found != OldOuter.InnerObjects.end() && "an object is always inside its outer");
	std::unique_ptr<UObject> Moving = std::move(*Found);
	OldOuter.InnerObjects.erase(Found);
	if (OldOuter.FindInnerObject(Moving->Name) == Moving.get())
	{
		ReindexName(Moving->Name, OldOuter.InnerObjects, OldOuter.InnerObjectsByName);
	}
	Moving->Name = std::move(NewName);
	Moving->Outer = &NewOuter;
	AttachToOuter(std::move(Moving));
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
	if (Outer.FindInnerObject(Doomed->Name) == Doomed.get())
	{
		ReindexName(Doomed->Name, Outer.InnerObjects, Outer.InnerObjectsByName);
	}
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
	if (!Doomed.empty())
	{
		Outer.InnerObjectsByName.clear();
		for (const std::unique_ptr<UObject>& Inner : Outer.InnerObjects)
		{
			Outer.InnerObjectsByName.try_emplace(Inner->Name, Inner.get());
		}
	}
}

UObject* FObjectInternals::Construct(UClass* Class, UObject& Outer, std::string Name, EObjectFlags Flags)
{
	std::unique_ptr<UObject> Object = Class->CreateNativeInstance();
	Initialize(*Object, Class, &Outer, std::move(Name), Flags);
	UObject* const Attached = AttachToOuter(std::move(Object));
	Attached->PostInitProperties();
	return Attached;
}
