#include "Animation/AnimNotifies.h"

#include "Animation/AnimFieldReader.h"
#include "Objects/Class.h"
#include "Objects/ClassDatabase.h"

namespace
{
	/** Creates the notify object an entry describes inside Owner; nullptr after a fault. */
	template <typename T>
	T* ReadNotifyObject(UObject& Owner, const FJsonObject& Entry, FAnimFieldReader& Fields)
	{
		FAnimFieldReader ObjectFields = Fields.Inner(Entry);
		const std::string ClassPath = ObjectFields.String("class");
		const std::string Name = ObjectFields.String("name");
		if (!ObjectFields.IsOk())
		{
			return nullptr;
		}
		UClass* Class = FClassDatabase::Get().FindClass(ClassPath);
		if (Class == nullptr || !Class->IsChildOf(T::StaticClass()) || Class->HasAnyClassFlags(CLASS_Abstract))
		{
			Fields.Fail("notify class '" + ClassPath + "' is not a concrete " + T::StaticClass()->GetName());
			return nullptr;
		}
		if (!Name.empty() && Owner.FindInnerObject(Name) != nullptr)
		{
			Fields.Fail("two notify objects are named '" + Name + "'");
			return nullptr;
		}
		T* Object = NewObject<T>(&Owner, Class, Name);
		std::string Error;
		if (Object == nullptr || !Object->LoadAssetFields(Entry, Error))
		{
			Fields.Fail("notify object '" + Name + "' cannot be made" + (Error.empty() ? "" : ": " + Error));
			return nullptr;
		}
		return Object;
	}
}

std::vector<FAnimNotifyEvent> ReadAnimNotifyEvents(UObject& Owner, FAnimFieldReader& Fields)
{
	std::vector<FAnimNotifyEvent> Events;
	for (const std::shared_ptr<FJsonObject>& Entry : Fields.Objects("notifies"))
	{
		FAnimFieldReader EventFields = Fields.Inner(*Entry);
		FAnimNotifyEvent& Event = Events.emplace_back();
		Event.NotifyName = EventFields.String("name", "None");
		Event.LinkTime = EventFields.Number("time", 0.0);
		Event.Duration = EventFields.Number("duration", 0.0);
		Event.TrackIndex = EventFields.Int("trackIndex", 0);
		if (const std::shared_ptr<FJsonObject> Notify = EventFields.Nested("notify"))
		{
			Event.Notify = ReadNotifyObject<UAnimNotify>(Owner, *Notify, Fields);
		}
		else if (const std::shared_ptr<FJsonObject> NotifyState = EventFields.Nested("notifyState"))
		{
			Event.NotifyStateClass = ReadNotifyObject<UAnimNotifyState>(Owner, *NotifyState, Fields);
		}
		if (!Fields.IsOk())
		{
			return {};
		}
	}
	return Events;
}
