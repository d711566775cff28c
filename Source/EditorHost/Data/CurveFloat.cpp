#include "Data/CurveFloat.h"

#include "Core/JsonObject.h"

bool UCurveFloat::LoadAssetFields(const FJsonObject& File, std::string& OutError)
{
	if (!Super::LoadAssetFields(File, OutError))
	{
		return false;
	}
	const std::shared_ptr<FJsonObject> Curve = File.TryGetObjectField("floatCurve");
	std::optional<FRichCurve> Read = Curve ? FRichCurve::FromJson(*Curve, OutError) : FRichCurve();
	if (!Read)
	{
		return false;
	}
	FloatCurve = std::move(*Read);
	return true;
}

void UCurveFloat::SaveAssetFields(FJsonObject& OutFile) const
{
	Super::SaveAssetFields(OutFile);
	OutFile.SetObjectField("floatCurve", FloatCurve.ToJson());
}
