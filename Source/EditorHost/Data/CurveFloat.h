#pragma once

#include "Data/RichCurve.h"
#include "Objects/Object.h"

/** A curve asset with one float channel. Asset field: "floatCurve" (a curve's JSON form, see FRichCurve). */
class UCurveFloat : public UObject
{
	DECLARE_ENGINE_CLASS(UCurveFloat, UObject, "/Script/Engine.CurveFloat")

public:
	FRichCurve FloatCurve;

	bool LoadAssetFields(const FJsonObject& File, std::string& OutError) override;
	void SaveAssetFields(FJsonObject& OutFile) const override;
};
