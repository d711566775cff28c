#include "Materials/MaterialEnumNames.h"

#include <gtest/gtest.h>

namespace
{
	/** Every value below Count has a name that reads back as it; a name of another spelling reads as nothing. */
	template <typename TEnum>
	void ExpectEveryValueRoundTrips(int Count)
	{
		for (int Value = 0; Value < Count; ++Value)
		{
			const std::string_view Name = MaterialEnumNames::ToName(static_cast<TEnum>(Value));
			ASSERT_FALSE(Name.empty()) << Value;
			EXPECT_EQ(MaterialEnumNames::FromName<TEnum>(Name), static_cast<TEnum>(Value)) << Name;
		}
		EXPECT_TRUE(MaterialEnumNames::ToName(static_cast<TEnum>(Count)).empty());
	}
}

TEST(MaterialEnumNames, EveryValueHasTheEditorsNameAndReadsBack)
{
	ExpectEveryValueRoundTrips<EMaterialDomain>(MD_MAX);
	ExpectEveryValueRoundTrips<EBlendMode>(BLEND_MAX);
	ExpectEveryValueRoundTrips<EMaterialShadingModel>(MSM_NUM);
	ExpectEveryValueRoundTrips<ETranslucencyLightingMode>(TLM_MAX);
	ExpectEveryValueRoundTrips<ERefractionMode>(RM_None + 1);
	ExpectEveryValueRoundTrips<EMaterialParameterAssociation>(GlobalParameter + 1);
	ExpectEveryValueRoundTrips<EMaterialProperty>(MP_MAX);

	EXPECT_EQ(MaterialEnumNames::ToName(MD_RuntimeVirtualTexture), "MD_RuntimeVirtualTexture");
	EXPECT_EQ(MaterialEnumNames::ToName(MSM_Strata), "MSM_Strata");
	EXPECT_EQ(MaterialEnumNames::ToName(MP_CustomizedUVs3), "CustomizedUVs3");
	EXPECT_EQ(MaterialEnumNames::ToName(MP_CustomOutput), "CustomOutput");
	EXPECT_EQ(MaterialEnumNames::FromName<EBlendMode>("blend_masked"), std::nullopt);
	EXPECT_EQ(MaterialEnumNames::FromName<EMaterialDomain>("Surface"), std::nullopt);
}
