#include "Data/CurveVector.h"

#include "Core/JsonObject.h"

bool UCurveVector::LoadAssetFields(const FJsonObject& File, std::string& OutError)
{
	if (!Super::LoadAssetFields(File, OutError))
	{
		return false;
	}
	const std::shared_ptr<FJsonValueArray> Curves = File.TryGetArrayField("floatCurves");
	if (!Curves)
	{
		return true;
	}
	if (Curves->size() != FloatCurves.size())
	{
		OutError = "a vector curve has exactly three \"floatCurves\"";
		return false;
	}
	for (std::size_t Channel = 0; Channel < FloatCurves.size(); ++Channel)
	{
		const std::shared_ptr<FJsonObject> Curve = (*Curves)[Channel].TryGetObject();
		std::optional<FRichCurve> Read = Curve ? FRichCurve::FromJson(*Curve, OutError) : std::nullopt;
		if (!Read)
		{
			OutError = Curve ? OutError : "a vector curve channel is not a curve";
			return false;
		}
		FloatCurves[Channel] = std::move(*Read);
	}
	return true;
}

void UCurveVector::SaveAssetFields(FJsonObject& OutFile) const
{
	Super::SaveAssetFields(OutFile);
	FJsonValueArray Curves;
	for (const FRichCurve& Curve : FloatCurves)
	{
		Curves.emplace_back(Curve.ToJson());
	}
	OutFile.SetArrayField("floatCurves", std::move(Curves));
}
