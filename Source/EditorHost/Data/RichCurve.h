#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class FJsonObject;

/** How a curve moves from a key to the next one. */
enum ERichCurveInterpMode : uint8_t
{
	RCIM_Linear,
	RCIM_Constant,
	RCIM_Cubic,
};

/** One key: a time, a value, how the curve leaves it, and the tangents cubic segments use. */
struct FRichCurveKey
{
	ERichCurveInterpMode InterpMode = RCIM_Linear;
	float Time = 0.0f;
	float Value = 0.0f;
	float ArriveTangent = 0.0f;
	float LeaveTangent = 0.0f;
};

/**
 * The editor's float curve: keys sorted by time, constant before the first key
 * and after the last. JSON form: {"keys": [{"time", "value", "interpMode"
 * ("RCIM_Linear" by default, "RCIM_Constant", "RCIM_Cubic"), "arriveTangent",
 * "leaveTangent"}]}.
 */
struct FRichCurve
{
	std::vector<FRichCurveKey> Keys;

	int32_t GetNumKeys() const { return static_cast<int32_t>(Keys.size()); }
	/** The first and last key times; both 0 for a curve without keys. */
	void GetTimeRange(float& MinTime, float& MaxTime) const;
	/**
	 * The smallest and largest value the curve takes: its keys, and for cubic
	 * segments the turning points between them, searched as the editor does;
	 * both 0 for a curve without keys.
	 */
	void GetValueRange(float& MinValue, float& MaxValue) const;
	/** The curve's value at a time (0 without keys). */
	float Eval(float InTime) const;

	/** Reads the JSON form; keys are sorted by time. Empty, with the reason, when a key is not one. */
	static std::optional<FRichCurve> FromJson(const FJsonObject& Object, std::string& OutError);
	std::shared_ptr<FJsonObject> ToJson() const;
};
