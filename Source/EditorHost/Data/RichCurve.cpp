#include "Data/RichCurve.h"

#include "Core/JsonObject.h"
#include "Data/AssetFieldReaders.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace
{
	constexpr std::array<std::string_view, 3> InterpModeNames = {"RCIM_Linear", "RCIM_Constant", "RCIM_Cubic"};

	float Lerp(float A, float B, float Alpha)
	{
		return A + Alpha * (B - A);
	}

	float Sign(float Value)
	{
		return Value > 0.0f ? 1.0f : (Value < 0.0f ? -1.0f : 0.0f);
	}

	float BezierInterp(float P0, float P1, float P2, float P3, float Alpha)
	{
		const float P01 = Lerp(P0, P1, Alpha);
		const float P12 = Lerp(P1, P2, Alpha);
		const float P23 = Lerp(P2, P3, Alpha);
		return Lerp(Lerp(P01, P12, Alpha), Lerp(P12, P23, Alpha), Alpha);
	}

	float EvalForTwoKeys(const FRichCurveKey& Key1, const FRichCurveKey& Key2, float InTime)
	{
		const float Diff = Key2.Time - Key1.Time;
		if (Diff <= 0.0f || Key1.InterpMode == RCIM_Constant)
		{
			return Key1.Value;
		}
		const float Alpha = (InTime - Key1.Time) / Diff;
		if (Key1.InterpMode == RCIM_Linear)
		{
			return Lerp(Key1.Value, Key2.Value, Alpha);
		}
		constexpr float OneThird = 1.0f / 3.0f;
		const float P1 = Key1.Value + Key1.LeaveTangent * Diff * OneThird;
		const float P2 = Key2.Value - Key2.ArriveTangent * Diff * OneThird;
		return BezierInterp(Key1.Value, P1, P2, Key2.Value, Alpha);
	}

	/**
	 * Steps through [StartTime, EndTime] by Mu, widening MinValue and MaxValue,
	 * and looks closer (a smaller step, up to MaxDepth levels) wherever the
	 * slope changes sign. Stops stepping where Mu no longer moves the time (very
	 * large times), which would otherwise loop forever.
	 */
	void FeaturePointMethod(const FRichCurve& Curve, float StartTime, float EndTime, float StartValue, float Mu, int Depth, int MaxDepth,
		float& MaxValue, float& MinValue)
	{
		if (Depth >= MaxDepth)
		{
			return;
		}
		float PrevValue = StartValue;
		float PrevTangent = StartValue - Curve.Eval(StartTime - Mu);
		EndTime += Mu;
		for (float Time = StartTime + Mu; Time < EndTime && Time + Mu > Time; Time += Mu)
		{
			const float Value = Curve.Eval(Time);
			MaxValue = std::max(Value, MaxValue);
			MinValue = std::min(Value, MinValue);
			const float CurTangent = Value - PrevValue;
			if (Sign(CurTangent) != Sign(PrevTangent))
			{
				const float FeaturePointTime = Time - Mu * 2.0f;
				FeaturePointMethod(Curve, FeaturePointTime, Time, Curve.Eval(FeaturePointTime), Mu * 0.4f, Depth + 1, MaxDepth, MaxValue, MinValue);
			}
			PrevTangent = CurTangent;
			PrevValue = Value;
		}
	}

	std::optional<FRichCurveKey> ReadKey(const FJsonValue& Value, std::string& OutError)
	{
		const std::shared_ptr<FJsonObject> Entry = Value.TryGetObject();
		const std::optional<float> Time = Entry ? TryGetFloatField(*Entry, "time") : std::nullopt;
		const std::optional<float> KeyValue = Entry ? TryGetFloatField(*Entry, "value") : std::nullopt;
		if (!Time || !KeyValue)
		{
			OutError = "a curve key needs a finite \"time\" and \"value\"";
			return std::nullopt;
		}
		FRichCurveKey Key;
		Key.Time = *Time;
		Key.Value = *KeyValue;
		Key.ArriveTangent = TryGetFloatField(*Entry, "arriveTangent").value_or(0.0f);
		Key.LeaveTangent = TryGetFloatField(*Entry, "leaveTangent").value_or(0.0f);
		const std::string Mode = Entry->TryGetStringField("interpMode").value_or(std::string(InterpModeNames[RCIM_Linear]));
		const auto Found = std::find(InterpModeNames.begin(), InterpModeNames.end(), Mode);
		if (Found == InterpModeNames.end())
		{
			OutError = "unknown curve interpolation " + Mode;
			return std::nullopt;
		}
		Key.InterpMode = static_cast<ERichCurveInterpMode>(Found - InterpModeNames.begin());
		return Key;
	}
}

void FRichCurve::GetTimeRange(float& MinTime, float& MaxTime) const
{
	if (Keys.empty())
	{
		MinTime = 0.0f;
		MaxTime = 0.0f;
		return;
	}
	MinTime = Keys.front().Time;
	MaxTime = Keys.back().Time;
}

void FRichCurve::GetValueRange(float& MinValue, float& MaxValue) const
{
	if (Keys.empty())
	{
		MinValue = 0.0f;
		MaxValue = 0.0f;
		return;
	}
	MinValue = MaxValue = Keys.front().Value;
	for (std::size_t Index = 0; Index < Keys.size(); ++Index)
	{
		const FRichCurveKey& Key = Keys[Index];
		MinValue = std::min(MinValue, Key.Value);
		MaxValue = std::max(MaxValue, Key.Value);
		if (Key.InterpMode == RCIM_Cubic && Index + 1 < Keys.size())
		{
			const float TimeStep = (Keys[Index + 1].Time - Key.Time) * 0.2f;
			FeaturePointMethod(*this, Key.Time, Keys[Index + 1].Time, Key.Value, TimeStep, 0, 3, MaxValue, MinValue);
		}
	}
}

float FRichCurve::Eval(float InTime) const
{
	if (Keys.empty())
	{
		return 0.0f;
	}
	if (Keys.size() < 2 || InTime <= Keys.front().Time)
	{
		return Keys.front().Value;
	}
	if (InTime >= Keys.back().Time)
	{
		return Keys.back().Value;
	}
	// The first key after InTime; the one before it starts the segment.
	const auto Next = std::upper_bound(Keys.begin() + 1, Keys.end(), InTime, [](float Time, const FRichCurveKey& Key) { return Time < Key.Time; });
	return EvalForTwoKeys(*(Next - 1), *Next, InTime);
}

std::optional<FRichCurve> FRichCurve::FromJson(const FJsonObject& Object, std::string& OutError)
{
	FRichCurve Curve;
	const std::shared_ptr<FJsonValueArray> Keys = Object.TryGetArrayField("keys");
	if (!Keys)
	{
		return Curve;
	}
	Curve.Keys.reserve(Keys->size());
	for (const FJsonValue& Value : *Keys)
	{
		std::optional<FRichCurveKey> Key = ReadKey(Value, OutError);
		if (!Key)
		{
			return std::nullopt;
		}
		Curve.Keys.push_back(*Key);
	}
	std::stable_sort(Curve.Keys.begin(), Curve.Keys.end(), [](const FRichCurveKey& A, const FRichCurveKey& B) { return A.Time < B.Time; });
	return Curve;
}

std::shared_ptr<FJsonObject> FRichCurve::ToJson() const
{
	FJsonValueArray KeyArray;
	KeyArray.reserve(Keys.size());
	for (const FRichCurveKey& Key : Keys)
	{
		auto Entry = std::make_shared<FJsonObject>();
		Entry->SetNumberField("time", Key.Time);
		Entry->SetNumberField("value", Key.Value);
		Entry->SetStringField("interpMode", InterpModeNames[Key.InterpMode]);
		Entry->SetNumberField("arriveTangent", Key.ArriveTangent);
		Entry->SetNumberField("leaveTangent", Key.LeaveTangent);
		KeyArray.emplace_back(std::move(Entry));
	}
	auto Object = std::make_shared<FJsonObject>();
	Object->SetArrayField("keys", std::move(KeyArray));
	return Object;
}
