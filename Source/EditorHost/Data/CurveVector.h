#pragma once

#include "Data/RichCurve.h"
#include "Objects/Object.h"

#include <array>

/**
 * A curve asset with three float channels (X, Y, Z). Asset field: "floatCurves",
 * exactly three curves' JSON forms (see FRichCurve); without it all three are empty.
 */
class UCurveVector : public UObject
{
	DECLARE_ENGINE_CLASS(UCurveVector, UObject, "/Script/Engine.CurveVector")

public:
	std::array<FRichCurve, 3> FloatCurves;

	bool LoadAssetFields(const FJsonObject& File, std::string& OutError) override;
	void SaveAssetFields(FJsonObject& OutFile) const override;
};
