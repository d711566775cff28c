#include "Meshes/Gltf/GltfSampling.h"

#include <algorithm>
#include <array>

namespace
{
	/** The key at or before Time and the blend towards the next (0 at or before the first key, the last key after the end). */
	struct FSegment
	{
		std::size_t Key = 0;
		std::size_t Next = 0;
		double Alpha = 0.0;
		double Duration = 0.0;
	};

	FSegment FindSegment(const std::vector<float>& Times, double Time)
	{
		const auto Upper = std::upper_bound(Times.begin(), Times.end(), Time);
		if (Upper == Times.begin())
		{
			return {};
		}
		const auto Next = static_cast<std::size_t>(Upper - Times.begin());
		if (Next == Times.size())
		{
			return {Next - 1, Next - 1, 0.0, 0.0};
		}
		const double Duration = double(Times[Next]) - double(Times[Next - 1]);
		return {Next - 1, Next, Duration > 0.0 ? (Time - Times[Next - 1]) / Duration : 1.0, Duration};
	}

	float Value(const FGltfSampler& Sampler, std::size_t Key, int32_t Component)
	{
		const bool bCubic = Sampler.Interpolation == EGltfInterpolation::CubicSpline;
		const std::size_t Slot = bCubic ? Key * 3 + 1 : Key;
		return Sampler.Values[Slot * Sampler.Components + Component];
	}

	enum class ETangent : std::size_t
	{
		In = 0,
		Out = 2
	};

	/** A cubic spline key's in- or out-tangent; the value sits between them. */
	float Tangent(const FGltfSampler& Sampler, std::size_t Key, ETangent Which, int32_t Component)
	{
		return Sampler.Values[(Key * 3 + static_cast<std::size_t>(Which)) * Sampler.Components + Component];
	}
}

namespace GltfSampling
{
	void Sample(const FGltfSampler& Sampler, double Time, std::span<float> Out)
	{
		const FSegment Segment = FindSegment(Sampler.Times, Time);
		const double S = Segment.Alpha;
		for (int32_t Component = 0; Component < Sampler.Components && Component < static_cast<int32_t>(Out.size()); ++Component)
		{
			const double From = Value(Sampler, Segment.Key, Component);
			const double To = Value(Sampler, Segment.Next, Component);
			switch (Sampler.Interpolation)
			{
			case EGltfInterpolation::Step:
				Out[Component] = static_cast<float>(S >= 1.0 ? To : From);
				break;
			case EGltfInterpolation::Linear:
				Out[Component] = static_cast<float>(From + (To - From) * S);
				break;
			case EGltfInterpolation::CubicSpline:
			{
				const double OutTangent = Tangent(Sampler, Segment.Key, ETangent::Out, Component) * Segment.Duration;
				const double InTangent = Tangent(Sampler, Segment.Next, ETangent::In, Component) * Segment.Duration;
				const double S2 = S * S;
				const double S3 = S2 * S;
				Out[Component] = static_cast<float>((2 * S3 - 3 * S2 + 1) * From + (S3 - 2 * S2 + S) * OutTangent + (-2 * S3 + 3 * S2) * To + (S3 - S2) * InTangent);
				break;
			}
			}
		}
	}

	FVector SampleVector(const FGltfSampler& Sampler, double Time)
	{
		std::array<float, 3> Out{};
		Sample(Sampler, Time, Out);
		return {Out[0], Out[1], Out[2]};
	}

	FQuat SampleRotation(const FGltfSampler& Sampler, double Time)
	{
		FQuat Result;
		if (Sampler.Interpolation == EGltfInterpolation::Linear)
		{
			const FSegment Segment = FindSegment(Sampler.Times, Time);
			const auto Key = [&Sampler](std::size_t Index) { return FQuat{Value(Sampler, Index, 0), Value(Sampler, Index, 1), Value(Sampler, Index, 2), Value(Sampler, Index, 3)}; };
			Result = FQuat::Slerp(Key(Segment.Key), Key(Segment.Next), Segment.Alpha);
		}
		else
		{
			std::array<float, 4> Out{};
			Sample(Sampler, Time, Out);
			Result = {Out[0], Out[1], Out[2], Out[3]};
		}
		return Result.Normalize() ? Result : FQuat::Identity();
	}
}
