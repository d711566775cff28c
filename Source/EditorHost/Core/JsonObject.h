#pragma once

#include "Core/JsonValue.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

/**
 * The editor's JSON object: members in insertion order; setting an existing key
 * replaces its value in place (the key keeps its position). Lookups use a hash
 * index once the object grows beyond a handful of members.
 */
class FJsonObject
{
public:
	using FMember = std::pair<std::string, FJsonValue>;

	FJsonObject() = default;
	FJsonObject(const FJsonObject& Other);
	FJsonObject& operator=(const FJsonObject& Other);
	FJsonObject(FJsonObject&&) noexcept = default;
	FJsonObject& operator=(FJsonObject&&) noexcept = default;

	/** Appends the member, or replaces the value of an existing key where it stands. */
	void SetField(std::string_view Key, FJsonValue Value);
	void SetStringField(std::string_view Key, std::string_view Text);
	void SetNumberField(std::string_view Key, double Number);
	void SetBoolField(std::string_view Key, bool bValue);
	/** A null pointer sets a null value. */
	void SetObjectField(std::string_view Key, std::shared_ptr<FJsonObject> Object);
	void SetArrayField(std::string_view Key, FJsonValueArray Array);
	void SetArrayField(std::string_view Key, std::shared_ptr<FJsonValueArray> Array);
	/** Makes room for this many members in all, so filling a known number of them does not regrow. */
	void Reserve(std::size_t Count);
	/** Removes the member; returns whether it was there. */
	bool RemoveField(std::string_view Key);

	bool HasField(std::string_view Key) const { return TryGetField(Key) != nullptr; }
	/** The member's value, or nullptr when absent. Valid until the object changes. */
	const FJsonValue* TryGetField(std::string_view Key) const;

	/** Strict typed reads: absent, or present with another JSON type, reads as empty. */
	std::optional<std::string> TryGetStringField(std::string_view Key) const;
	std::optional<double> TryGetNumberField(std::string_view Key) const;
	std::optional<int32_t> TryGetInt32Field(std::string_view Key) const;
	std::optional<int64_t> TryGetInt64Field(std::string_view Key) const;
	std::optional<bool> TryGetBoolField(std::string_view Key) const;
	std::shared_ptr<FJsonObject> TryGetObjectField(std::string_view Key) const;
	std::shared_ptr<FJsonValueArray> TryGetArrayField(std::string_view Key) const;

	const std::vector<FMember>& Values() const { return Members; }
	std::size_t Num() const { return Members.size(); }
	bool IsEmpty() const { return Members.empty(); }

private:
	/** Hashes std::string and std::string_view alike, so lookups need no temporary string. */
	struct FKeyHash
	{
		using is_transparent = void;
		std::size_t operator()(std::string_view Key) const noexcept { return std::hash<std::string_view>{}(Key); }
	};

	/**
	 * Key to position in Members. It owns copies of the keys: views into Members would
	 * dangle whenever the vector reallocates or a short key moves within it.
	 */
	using FIndex = std::unordered_map<std::string, std::size_t, FKeyHash, std::equal_to<>>;

	std::optional<std::size_t> FindIndex(std::string_view Key) const;
	void RebuildIndex();

	std::vector<FMember> Members;
	/**
	 * Built once the object has more than a few members; most objects never have one, so
	 * it is held by pointer to keep the object (and every answer built of them) small.
	 */
	std::unique_ptr<FIndex> Index;
};
