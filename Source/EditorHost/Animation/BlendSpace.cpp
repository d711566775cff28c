#include "Animation/BlendSpace.h"

#include "Animation/AnimFieldReader.h"

bool UBlendSpace::LoadAssetFields(const FJsonObject& File, std::string& OutError)
{
	if (!Super::LoadAssetFields(File, OutError))
	{
		return false;
	}
	FAnimFieldReader Fields(File, OutError);
	const std::vector<std::shared_ptr<FJsonObject>> Axes = Fields.Objects("blendParameters");
	if (Axes.size() > BlendParameters.size())
	{
		return Fields.Fail("a blend space has at most three blend parameters");
	}
	for (std::size_t Index = 0; Index < Axes.size(); ++Index)
	{
		FAnimFieldReader AxisFields = Fields.Inner(*Axes[Index]);
		FBlendParameter& Axis = BlendParameters[Index];
		Axis.DisplayName = AxisFields.String("displayName", "None");
		Axis.Min = static_cast<float>(AxisFields.Number("min", Axis.Min));
		Axis.Max = static_cast<float>(AxisFields.Number("max", Axis.Max));
		Axis.GridNum = AxisFields.Int("gridNum", Axis.GridNum);
	}
	for (const std::shared_ptr<FJsonObject>& Entry : Fields.Objects("samples"))
	{
		FAnimFieldReader SampleFields = Fields.Inner(*Entry);
		FBlendSample& Sample = SampleData.emplace_back();
		Sample.Animation = SampleFields.Asset<UAnimSequence>("animation");
		Sample.SampleValue = {SampleFields.Number("x", 0.0), SampleFields.Number("y", 0.0), 0.0};
		Sample.RateScale = static_cast<float>(SampleFields.Number("rateScale", 1.0));
	}
	return Fields.IsOk();
}
