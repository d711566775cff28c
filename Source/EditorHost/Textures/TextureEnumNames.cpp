#include "Textures/TextureEnumNames.h"

#include "Objects/ClassDatabase.h"
#include "Objects/Enum.h"

template <>
const UEnum* StaticEnum<TextureCompressionSettings>()
{
	static const UEnum* const Enum = FClassDatabase::Get().FindEnum("/Script/Engine.TextureCompressionSettings");
	return Enum;
}

template <>
const UEnum* StaticEnum<TextureMipGenSettings>()
{
	static const UEnum* const Enum = FClassDatabase::Get().FindEnum("/Script/Engine.TextureMipGenSettings");
	return Enum;
}

template <>
const UEnum* StaticEnum<TextureGroup>()
{
	static const UEnum* const Enum = FClassDatabase::Get().FindEnum("/Script/Engine.TextureGroup");
	return Enum;
}

template <>
const UEnum* StaticEnum<TextureAddress>()
{
	static const UEnum* const Enum = FClassDatabase::Get().FindEnum("/Script/Engine.TextureAddress");
	return Enum;
}

namespace
{
	/** The enumerations' last entry, which counts the others and is no value of its own. */
	template <typename TEnum>
	constexpr TEnum MaxValue();
	template <>
	constexpr TextureCompressionSettings MaxValue() { return TC_MAX; }
	template <>
	constexpr TextureMipGenSettings MaxValue() { return TMGS_MAX; }
	template <>
	constexpr TextureGroup MaxValue() { return TEXTUREGROUP_MAX; }
	template <>
	constexpr TextureAddress MaxValue() { return TA_MAX; }
}

namespace TextureEnumNames
{
	template <typename TEnum>
	std::string ToName(TEnum Value)
	{
		const UEnum* const Enum = StaticEnum<TEnum>();
		return Enum != nullptr && Value < MaxValue<TEnum>() ? Enum->GetNameStringByValue(Value) : std::string();
	}

	template <typename TEnum>
	std::optional<TEnum> FromName(std::string_view Name)
	{
		const UEnum* const Enum = StaticEnum<TEnum>();
		const std::optional<int64_t> Value = Enum != nullptr && Name.find(':') == std::string_view::npos ? Enum->GetValueByNameString(Name) : std::nullopt;
		if (!Value || *Value < 0 || *Value >= MaxValue<TEnum>())
		{
			return std::nullopt;
		}
		return static_cast<TEnum>(*Value);
	}

	template std::string ToName(TextureCompressionSettings);
	template std::string ToName(TextureMipGenSettings);
	template std::string ToName(TextureGroup);
	template std::string ToName(TextureAddress);
	template std::optional<TextureCompressionSettings> FromName(std::string_view);
	template std::optional<TextureMipGenSettings> FromName(std::string_view);
	template std::optional<TextureGroup> FromName(std::string_view);
	template std::optional<TextureAddress> FromName(std::string_view);
}
