#include "Animation/AnimSequenceBase.h"

#include "Animation/AnimFieldReader.h"

bool UAnimSequenceBase::LoadAssetFields(const FJsonObject& File, std::string& OutError)
{
	if (!Super::LoadAssetFields(File, OutError))
	{
		return false;
	}
	FAnimFieldReader Fields(File, OutError);
	RateScale = static_cast<float>(Fields.Number("rateScale", 1.0));
	Notifies = ReadAnimNotifyEvents(*this, Fields);
	return Fields.IsOk();
}
