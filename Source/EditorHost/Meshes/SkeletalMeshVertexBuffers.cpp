#include "Meshes/SkeletalMeshVertexBuffers.h"

#include <algorithm>
#include <cmath>

namespace
{
	template <typename TComponent>
	TComponent Quantize(float Value, float Scale)
	{
		const float Clamped = std::isfinite(Value) ? std::clamp(Value, -1.0f, 1.0f) : 0.0f;
		return static_cast<TComponent>(std::lround(Clamped * Scale));
	}

	/** Any unit vector perpendicular to Normal, for vertices whose source had no tangents. */
	FVector4f MakePerpendicularTangent(const FVector3f& Normal)
	{
		const FVector N = FVector::FromFloat(Normal);
		const FVector Helper = std::abs(N.Z) < 0.9 ? FVector{0.0, 0.0, 1.0} : FVector{1.0, 0.0, 0.0};
		FVector Tangent = Helper ^ N;
		const double Length = Tangent.Size();
		Tangent = Length > 0.0 ? Tangent * (1.0 / Length) : FVector{1.0, 0.0, 0.0};
		return {static_cast<float>(Tangent.X), static_cast<float>(Tangent.Y), static_cast<float>(Tangent.Z), 1.0f};
	}

	template <typename TPacked>
	std::vector<TStaticMeshVertexTangent<TPacked>> PackBases(const std::vector<FVector3f>& Normals, const std::vector<FVector4f>& Tangents)
	{
		std::vector<TStaticMeshVertexTangent<TPacked>> Packed;
		Packed.reserve(Normals.size());
		for (std::size_t Vertex = 0; Vertex < Normals.size(); ++Vertex)
		{
			const FVector4f Tangent = Vertex < Tangents.size() ? Tangents[Vertex] : MakePerpendicularTangent(Normals[Vertex]);
			const FVector3f& Normal = Normals[Vertex];
			Packed.push_back({TPacked::Pack({Tangent.X, Tangent.Y, Tangent.Z, 0.0f}), TPacked::Pack({Normal.X, Normal.Y, Normal.Z, Tangent.W < 0.0f ? -1.0f : 1.0f})});
		}
		return Packed;
	}
}

FPackedNormal FPackedNormal::Pack(const FVector4f& V)
{
	return {Quantize<int8_t>(V.X, 127.0f), Quantize<int8_t>(V.Y, 127.0f), Quantize<int8_t>(V.Z, 127.0f), Quantize<int8_t>(V.W, 127.0f)};
}

FPackedRGBA16N FPackedRGBA16N::Pack(const FVector4f& V)
{
	return {Quantize<int16_t>(V.X, 32767.0f), Quantize<int16_t>(V.Y, 32767.0f), Quantize<int16_t>(V.Z, 32767.0f), Quantize<int16_t>(V.W, 32767.0f)};
}

void FStaticMeshVertexBuffer::Init(const std::vector<FVector3f>& Normals, const std::vector<FVector4f>& InTangents, bool bUseHighPrecisionTangentBasis)
{
	if (bUseHighPrecisionTangentBasis)
	{
		Tangents = PackBases<FPackedRGBA16N>(Normals, InTangents);
	}
	else
	{
		Tangents = PackBases<FPackedNormal>(Normals, InTangents);
	}
}

uint32_t FStaticMeshVertexBuffer::GetNumVertices() const
{
	return std::visit([](const auto& Stored) { return static_cast<uint32_t>(Stored.size()); }, Tangents);
}
