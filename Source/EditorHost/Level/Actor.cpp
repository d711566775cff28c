#include "Level/Actor.h"

#include "Level/Level.h"
#include "Level/SceneComponent.h"
#include "Objects/Class.h"
#include "Objects/ClassDatabase.h"
#include "Objects/ObjectGlobals.h"

#include <algorithm>
#include <charconv>

namespace
{
	/** The number an object name carries after its last '_' ("Actor_12" carries 12); the editor counts no number as 0. */
	int64_t GetNameNumber(std::string_view Name)
	{
		const std::size_t Underscore = Name.rfind('_');
		if (Underscore == std::string_view::npos)
		{
			return 0;
		}
		const std::string_view Digits = Name.substr(Underscore + 1);
		const bool bDigitsOnly = !Digits.empty() && std::all_of(Digits.begin(), Digits.end(), [](char C) { return C >= '0' && C <= '9'; });
		// A number with a leading zero ("Actor_07") is part of the name, as in the editor's names.
		if (!bDigitsOnly || (Digits.size() > 1 && Digits.front() == '0'))
		{
			return 0;
		}
		int64_t Number = 0;
		const auto [End, Error] = std::from_chars(Digits.data(), Digits.data() + Digits.size(), Number);
		return Error == std::errc() ? Number : 0;
	}

	/** The text of each element of the array at Key (none when absent); false when it is not an array of texts. */
	bool ReadTextArray(const FJsonObject& Fields, std::string_view Key, std::vector<std::string>& OutTexts)
	{
		const FJsonValue* Value = Fields.TryGetField(Key);
		if (Value == nullptr)
		{
			return true;
		}
		const std::shared_ptr<FJsonValueArray> Array = Value->TryGetArray();
		if (!Array)
		{
			return false;
		}
		for (const FJsonValue& Element : *Array)
		{
			const std::string* Text = Element.TryGetString();
			if (Text == nullptr)
			{
				return false;
			}
			OutTexts.push_back(*Text);
		}
		return true;
	}
}

const std::string& AActor::GetActorLabel(bool bCreateIfNone)
{
	if (bCreateIfNone && ActorLabel.empty())
	{
		ActorLabel = GetClass()->GetName();
		if (const int64_t Number = GetNameNumber(GetName()); Number != 0)
		{
			ActorLabel += std::to_string(Number);
		}
	}
	return ActorLabel;
}

UActorComponent* AActor::FindComponentByName(std::string_view ComponentName) const
{
	const auto Found = std::find_if(Components.begin(), Components.end(), [ComponentName](const UActorComponent* C) { return C->GetName() == ComponentName; });
	return Found != Components.end() ? *Found : nullptr;
}

UActorComponent* AActor::AddComponent(UClass* Class, std::string_view ComponentName)
{
	if (Class == nullptr || !Class->IsChildOf(UActorComponent::StaticClass()) || (!ComponentName.empty() && FindInnerObject(ComponentName) != nullptr))
	{
		return nullptr;
	}
	UActorComponent* Component = NewObject<UActorComponent>(this, Class, ComponentName);
	if (Component != nullptr)
	{
		Components.push_back(Component);
	}
	return Component;
}

FVector AActor::GetActorLocation() const
{
	return RootComponent != nullptr ? RootComponent->GetComponentLocation() : FVector::ZeroVector();
}

FRotator AActor::GetActorRotation() const
{
	return RootComponent != nullptr ? RootComponent->GetComponentRotation() : FRotator::ZeroRotator();
}

ULevel* AActor::GetLevel() const
{
	return Cast<ULevel>(GetOuter());
}

UWorld* AActor::GetWorld() const
{
	const ULevel* Level = GetLevel();
	return Level != nullptr ? Level->GetWorld() : nullptr;
}

bool AActor::LoadAssetFields(const FJsonObject& Fields, std::string& OutError)
{
	KeptFields = FJsonObject();
	const FJsonValue* Label = Fields.TryGetField("label");
	if (Label != nullptr && Label->TryGetString() == nullptr)
	{
		OutError = "\"label\" is not a text";
		return false;
	}
	ActorLabel = Label != nullptr ? *Label->TryGetString() : std::string();
	Tags.clear();
	if (!ReadTextArray(Fields, "tags", Tags))
	{
		OutError = "\"tags\" is not an array of texts";
		return false;
	}
	if (!LoadComponents(Fields, OutError))
	{
		return false;
	}
	for (const FJsonObject::FMember& Member : Fields.Values())
	{
		static constexpr std::string_view ReadKeys[] = {"name", "class", "label", "tags", "components", "rootComponent"};
		if (std::find(std::begin(ReadKeys), std::end(ReadKeys), Member.first) == std::end(ReadKeys))
		{
			KeptFields.SetField(Member.first, Member.second);
		}
	}
	return true;
}

bool AActor::LoadComponents(const FJsonObject& Fields, std::string& OutError)
{
	const FJsonValue* ComponentsValue = Fields.TryGetField("components");
	const std::shared_ptr<FJsonValueArray> Entries = ComponentsValue != nullptr ? ComponentsValue->TryGetArray() : std::make_shared<FJsonValueArray>();
	if (!Entries)
	{
		OutError = "\"components\" is not an array";
		return false;
	}
	for (const FJsonValue& Value : *Entries)
	{
		const std::shared_ptr<FJsonObject> Entry = Value.TryGetObject();
		const std::optional<std::string> Name = Entry ? Entry->TryGetStringField("name") : std::nullopt;
		const std::optional<std::string> ClassPath = Entry ? Entry->TryGetStringField("class") : std::nullopt;
		if (!Name || !ClassPath)
		{
			OutError = "a component has no \"name\" or \"class\"";
			return false;
		}
		UClass* Class = FClassDatabase::Get().FindClass(*ClassPath);
		if (Class == nullptr || !Class->IsChildOf(UActorComponent::StaticClass()) || Class->HasAnyClassFlags(CLASS_Abstract))
		{
			OutError = "component " + *Name + ": " + *ClassPath + " is not a component class that can have objects";
			return false;
		}
		if (FindInnerObject(*Name) != nullptr)
		{
			OutError = "two components are named " + *Name;
			return false;
		}
		UActorComponent* Component = AddComponent(Class, *Name);
		if (Component == nullptr)
		{
			OutError = "component " + *Name + " cannot be created (is its name valid?)";
			return false;
		}
		if (!Component->LoadAssetFields(*Entry, OutError))
		{
			OutError = "component " + *Name + ": " + OutError;
			return false;
		}
	}

	RootComponent = nullptr;
	if (const FJsonValue* Root = Fields.TryGetField("rootComponent"))
	{
		const std::string* RootName = Root->TryGetString();
		RootComponent = RootName != nullptr ? Cast<USceneComponent>(static_cast<UObject*>(FindComponentByName(*RootName))) : nullptr;
		if (RootComponent == nullptr)
		{
			OutError = "\"rootComponent\" does not name one of the actor's scene components";
			return false;
		}
	}
	return true;
}

void AActor::SaveAssetFields(FJsonObject& OutFields) const
{
	if (!ActorLabel.empty())
	{
		OutFields.SetStringField("label", ActorLabel);
	}
	if (!Tags.empty())
	{
		FJsonValueArray TagValues(Tags.begin(), Tags.end());
		OutFields.SetArrayField("tags", std::move(TagValues));
	}
	if (RootComponent != nullptr)
	{
		OutFields.SetStringField("rootComponent", RootComponent->GetName());
	}
	FJsonValueArray ComponentValues;
	for (const UActorComponent* Component : Components)
	{
		auto Entry = std::make_shared<FJsonObject>();
		Entry->SetStringField("name", Component->GetName());
		Entry->SetStringField("class", Component->GetClass()->GetPathName());
		Component->SaveAssetFields(*Entry);
		ComponentValues.emplace_back(std::move(Entry));
	}
	OutFields.SetArrayField("components", std::move(ComponentValues));
	for (const FJsonObject::FMember& Member : KeptFields.Values())
	{
		OutFields.SetField(Member.first, Member.second);
	}
}
