#include "Level/CineCameraComponent.h"

#include "Level/TransformJson.h"

#include <algorithm>

namespace
{
	/** The nested settings object at Key: absent reads as empty, anything but an object fails. */
	bool ReadSettingsObject(const FJsonObject& Fields, std::string_view Key, std::shared_ptr<FJsonObject>& OutObject, std::string& OutError)
	{
		const FJsonValue* Value = Fields.TryGetField(Key);
		OutObject = Value != nullptr ? Value->TryGetObject() : std::make_shared<FJsonObject>();
		if (!OutObject)
		{
			OutError.clear();
			OutError.append(1, '"').append(Key).append("\" is not an object");
			return false;
		}
		return true;
	}
}

bool UCineCameraComponent::LoadAssetFields(const FJsonObject& Fields, std::string& OutError)
{
	std::shared_ptr<FJsonObject> FilmbackFields;
	std::shared_ptr<FJsonObject> LensFields;
	std::shared_ptr<FJsonObject> FocusFields;
	if (!Super::LoadAssetFields(Fields, OutError) || !ReadSettingsObject(Fields, "filmback", FilmbackFields, OutError)
		|| !ReadSettingsObject(Fields, "lensSettings", LensFields, OutError) || !ReadSettingsObject(Fields, "focusSettings", FocusFields, OutError)
		|| !ReadFloatField(*FilmbackFields, "sensorWidth", Filmback.SensorWidth, OutError)
		|| !ReadFloatField(*FilmbackFields, "sensorHeight", Filmback.SensorHeight, OutError)
		|| !ReadFloatField(*LensFields, "minFocalLength", LensSettings.MinFocalLength, OutError)
		|| !ReadFloatField(*LensFields, "maxFocalLength", LensSettings.MaxFocalLength, OutError)
		|| !ReadFloatField(*LensFields, "minFStop", LensSettings.MinFStop, OutError)
		|| !ReadFloatField(*LensFields, "maxFStop", LensSettings.MaxFStop, OutError)
		|| !ReadFloatField(*FocusFields, "manualFocusDistance", FocusSettings.ManualFocusDistance, OutError)
		|| !ReadFloatField(Fields, "currentFocalLength", CurrentFocalLength, OutError)
		|| !ReadFloatField(Fields, "currentAperture", CurrentAperture, OutError))
	{
		return false;
	}
	if (LensSettings.MinFocalLength > LensSettings.MaxFocalLength || LensSettings.MinFStop > LensSettings.MaxFStop)
	{
		OutError = "the lens limits are inverted (a minimum above its maximum)";
		return false;
	}
	FocusSettings.FocusMethod = FocusFields->TryGetStringField("focusMethod").value_or(FocusSettings.FocusMethod);
	CurrentFocalLength = std::clamp(CurrentFocalLength, LensSettings.MinFocalLength, LensSettings.MaxFocalLength);
	CurrentAperture = std::clamp(CurrentAperture, LensSettings.MinFStop, LensSettings.MaxFStop);
	for (std::string_view Key : {"filmback", "lensSettings", "focusSettings", "currentFocalLength", "currentAperture"})
	{
		ForgetKeptField(Key);
	}
	return true;
}

void UCineCameraComponent::SaveAssetFields(FJsonObject& OutFields) const
{
	Super::SaveAssetFields(OutFields);
	auto FilmbackFields = std::make_shared<FJsonObject>();
	FilmbackFields->SetNumberField("sensorWidth", Filmback.SensorWidth);
	FilmbackFields->SetNumberField("sensorHeight", Filmback.SensorHeight);
	OutFields.SetObjectField("filmback", FilmbackFields);
	auto LensFields = std::make_shared<FJsonObject>();
	LensFields->SetNumberField("minFocalLength", LensSettings.MinFocalLength);
	LensFields->SetNumberField("maxFocalLength", LensSettings.MaxFocalLength);
	LensFields->SetNumberField("minFStop", LensSettings.MinFStop);
	LensFields->SetNumberField("maxFStop", LensSettings.MaxFStop);
	OutFields.SetObjectField("lensSettings", LensFields);
	auto FocusFields = std::make_shared<FJsonObject>();
	FocusFields->SetStringField("focusMethod", FocusSettings.FocusMethod);
	FocusFields->SetNumberField("manualFocusDistance", FocusSettings.ManualFocusDistance);
	OutFields.SetObjectField("focusSettings", FocusFields);
	OutFields.SetNumberField("currentFocalLength", CurrentFocalLength);
	OutFields.SetNumberField("currentAperture", CurrentAperture);
}
