#include "Animation/AnimEnums.h"

#include <array>
#include <utility>

namespace
{
	template <typename TEnum, std::size_t Count>
	std::optional<TEnum> FindEnumerator(const std::array<std::pair<std::string_view, TEnum>, Count>& Names, std::string_view Name)
	{
		for (const auto& [EnumeratorName, Value] : Names)
		{
			if (EnumeratorName == Name)
			{
				return Value;
			}
		}
		return std::nullopt;
	}
}

std::optional<EAdditiveAnimationType> ParseAdditiveAnimationType(std::string_view Name)
{
	static constexpr std::array<std::pair<std::string_view, EAdditiveAnimationType>, 3> Names = {{
		{"AAT_None", AAT_None},
		{"AAT_LocalSpaceBase", AAT_LocalSpaceBase},
		{"AAT_RotationOffsetMeshSpace", AAT_RotationOffsetMeshSpace},
	}};
	return FindEnumerator(Names, Name);
}

std::optional<EAdditiveBasePoseType> ParseAdditiveBasePoseType(std::string_view Name)
{
	static constexpr std::array<std::pair<std::string_view, EAdditiveBasePoseType>, 5> Names = {{
		{"ABPT_None", ABPT_None},
		{"ABPT_RefPose", ABPT_RefPose},
		{"ABPT_AnimScaled", ABPT_AnimScaled},
		{"ABPT_AnimFrame", ABPT_AnimFrame},
		{"ABPT_LocalAnimFrame", ABPT_LocalAnimFrame},
	}};
	return FindEnumerator(Names, Name);
}
