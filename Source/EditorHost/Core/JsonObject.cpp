#include "Core/JsonObject.h"

namespace
{
	/**
	 * Up to this many members a linear scan beats hashing the key; most answers are
	 * built from objects of this size, and they never pay for an index.
	 */
	constexpr std::size_t LinearScanLimit = 16;
	/** Room reserved when the first member arrives, so small objects grow without moving. */
	constexpr std::size_t InitialCapacity = 8;
}

// Members are copied one by one: the copy gets its own member list while the
// arrays and objects inside stay shared with the original, as in the editor.
FJsonObject::FJsonObject(const FJsonObject& Other)
	: Members(Other.Members), Index(Other.Index ? std::make_unique<FIndex>(*Other.Index) : nullptr)
{
}

FJsonObject& FJsonObject::operator=(const FJsonObject& Other)
{
	if (this != &Other)
	{
		Members = Other.Members;
		Index = Other.Index ? std::make_unique<FIndex>(*Other.Index) : nullptr;
	}
	return *this;
}

void FJsonObject::SetField(std::string_view Key, FJsonValue Value)
{
	if (const std::optional<std::size_t> Found = FindIndex(Key))
	{
		Members[*Found].second = std::move(Value);
		return;
	}
	if (Members.capacity() == 0)
	{
		Members.reserve(InitialCapacity);
	}
	Members.emplace_back(std::string(Key), std::move(Value));
	if (Index)
	{
		Index->emplace(Members.back().first, Members.size() - 1);
	}
	else if (Members.size() > LinearScanLimit)
	{
		RebuildIndex();
	}
}

void FJsonObject::SetStringField(std::string_view Key, std::string_view Text)
{
	SetField(Key, FJsonValue(Text));
}

void FJsonObject::SetNumberField(std::string_view Key, double Number)
{
	SetField(Key, FJsonValue(Number));
}

void FJsonObject::SetBoolField(std::string_view Key, bool bValue)
{
	SetField(Key, FJsonValue(bValue));
}

void FJsonObject::SetObjectField(std::string_view Key, std::shared_ptr<FJsonObject> Object)
{
	SetField(Key, FJsonValue(std::move(Object)));
}

void FJsonObject::SetArrayField(std::string_view Key, FJsonValueArray Array)
{
	SetField(Key, FJsonValue(std::move(Array)));
}

void FJsonObject::SetArrayField(std::string_view Key, std::shared_ptr<FJsonValueArray> Array)
{
	SetField(Key, FJsonValue(std::move(Array)));
}

void FJsonObject::Reserve(std::size_t Count)
{
	Members.reserve(Count);
}

bool FJsonObject::RemoveField(std::string_view Key)
{
	const std::optional<std::size_t> Found = FindIndex(Key);
	if (!Found)
	{
		return false;
	}
	// Key may view the very member being erased, so the index lets go of it first.
	if (Index)
	{
		Index->erase(Index->find(Members[*Found].first));
	}
	Members.erase(Members.begin() + static_cast<std::ptrdiff_t>(*Found));
	if (Members.size() <= LinearScanLimit)
	{
		Index.reset();
		return true;
	}
	for (auto& [IndexedKey, Position] : *Index)
	{
		if (Position > *Found)
		{
			--Position;
		}
	}
	return true;
}

const FJsonValue* FJsonObject::TryGetField(std::string_view Key) const
{
	const std::optional<std::size_t> Found = FindIndex(Key);
	return Found ? &Members[*Found].second : nullptr;
}

std::optional<std::string> FJsonObject::TryGetStringField(std::string_view Key) const
{
	const FJsonValue* Field = TryGetField(Key);
	const std::string* Text = Field ? Field->TryGetString() : nullptr;
	return Text ? std::optional<std::string>(*Text) : std::nullopt;
}

std::optional<double> FJsonObject::TryGetNumberField(std::string_view Key) const
{
	const FJsonValue* Field = TryGetField(Key);
	return Field ? Field->TryGetNumber() : std::nullopt;
}

std::optional<int32_t> FJsonObject::TryGetInt32Field(std::string_view Key) const
{
	const FJsonValue* Field = TryGetField(Key);
	return Field ? Field->TryGetInt32() : std::nullopt;
}

std::optional<int64_t> FJsonObject::TryGetInt64Field(std::string_view Key) const
{
	const FJsonValue* Field = TryGetField(Key);
	return Field ? Field->TryGetInt64() : std::nullopt;
}

std::optional<bool> FJsonObject::TryGetBoolField(std::string_view Key) const
{
	const FJsonValue* Field = TryGetField(Key);
	return Field ? Field->TryGetBool() : std::nullopt;
}

std::shared_ptr<FJsonObject> FJsonObject::TryGetObjectField(std::string_view Key) const
{
	const FJsonValue* Field = TryGetField(Key);
	return Field ? Field->TryGetObject() : nullptr;
}

std::shared_ptr<FJsonValueArray> FJsonObject::TryGetArrayField(std::string_view Key) const
{
	const FJsonValue* Field = TryGetField(Key);
	return Field ? Field->TryGetArray() : nullptr;
}

std::optional<std::size_t> FJsonObject::FindIndex(std::string_view Key) const
{
	if (Index)
	{
		const auto Found = Index->find(Key);
		return Found != Index->end() ? std::optional<std::size_t>(Found->second) : std::nullopt;
	}
	for (std::size_t Position = 0; Position < Members.size(); ++Position)
	{
		if (Members[Position].first == Key)
		{
			return Position;
		}
	}
	return std::nullopt;
}

void FJsonObject::RebuildIndex()
{
	Index = std::make_unique<FIndex>();
	Index->reserve(Members.size() * 2);
	for (std::size_t Position = 0; Position < Members.size(); ++Position)
	{
		Index->emplace(Members[Position].first, Position);
	}
}
