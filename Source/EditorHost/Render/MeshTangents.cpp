#include "Render/MeshTangents.h"

#include <cmath>

namespace
{
	struct FVec
	{
		float X = 0.0f;
		float Y = 0.0f;
		float Z = 0.0f;
	};

	FVec Sub(const FVector3f& A, const FVector3f& B)
	{
		return {A.X - B.X, A.Y - B.Y, A.Z - B.Z};
	}

	float Dot(const FVec& A, const FVec& B)
	{
		return A.X * B.X + A.Y * B.Y + A.Z * B.Z;
	}

	FVec Cross(const FVec& A, const FVec& B)
	{
		return {A.Y * B.Z - A.Z * B.Y, A.Z * B.X - A.X * B.Z, A.X * B.Y - A.Y * B.X};
	}

	FVec Normalized(const FVec& V, const FVec& Fallback)
	{
		const float Length = std::sqrt(Dot(V, V));
		return Length > 1e-8f && std::isfinite(Length) ? FVec{V.X / Length, V.Y / Length, V.Z / Length} : Fallback;
	}

	/** A unit vector perpendicular to N. */
	FVec AnyPerpendicular(const FVec& N)
	{
		const FVec Axis = std::fabs(N.X) < 0.9f ? FVec{1.0f, 0.0f, 0.0f} : FVec{0.0f, 1.0f, 0.0f};
		return Normalized(Cross(Cross(N, Axis), N), FVec{1.0f, 0.0f, 0.0f});
	}
}

std::vector<FVector4f> ComputeTangents(std::span<const FVector3f> Positions, std::span<const FVector3f> Normals, std::span<const FVector2f> UVs,
	std::span<const uint32_t> Indices)
{
	const std::size_t NumVertices = Positions.size();
	std::vector<FVec> Tangents(NumVertices);
	std::vector<FVec> Bitangents(NumVertices);
	if (UVs.size() == NumVertices)
	{
		for (std::size_t Corner = 0; Corner + 2 < Indices.size(); Corner += 3)
		{
			const uint32_t I0 = Indices[Corner];
			const uint32_t I1 = Indices[Corner + 1];
			const uint32_t I2 = Indices[Corner + 2];
			if (I0 >= NumVertices || I1 >= NumVertices || I2 >= NumVertices)
			{
				continue;
			}
			const FVec E1 = Sub(Positions[I1], Positions[I0]);
			const FVec E2 = Sub(Positions[I2], Positions[I0]);
			const float DU1 = UVs[I1].X - UVs[I0].X;
			const float DV1 = UVs[I1].Y - UVs[I0].Y;
			const float DU2 = UVs[I2].X - UVs[I0].X;
			const float DV2 = UVs[I2].Y - UVs[I0].Y;
			const float Determinant = DU1 * DV2 - DU2 * DV1;
			if (std::fabs(Determinant) < 1e-12f)
			{
				continue;
			}
			const float R = 1.0f / Determinant;
			const FVec T{(E1.X * DV2 - E2.X * DV1) * R, (E1.Y * DV2 - E2.Y * DV1) * R, (E1.Z * DV2 - E2.Z * DV1) * R};
			const FVec B{(E2.X * DU1 - E1.X * DU2) * R, (E2.Y * DU1 - E1.Y * DU2) * R, (E2.Z * DU1 - E1.Z * DU2) * R};
			for (const uint32_t Index : {I0, I1, I2})
			{
				Tangents[Index] = {Tangents[Index].X + T.X, Tangents[Index].Y + T.Y, Tangents[Index].Z + T.Z};
				Bitangents[Index] = {Bitangents[Index].X + B.X, Bitangents[Index].Y + B.Y, Bitangents[Index].Z + B.Z};
			}
		}
	}
	std::vector<FVector4f> Result(NumVertices);
	for (std::size_t Index = 0; Index < NumVertices; ++Index)
	{
		const FVec N = Index < Normals.size() ? Normalized(FVec{Normals[Index].X, Normals[Index].Y, Normals[Index].Z}, FVec{0.0f, 0.0f, 1.0f}) : FVec{0.0f, 0.0f, 1.0f};
		const FVec& T = Tangents[Index];
		const float Along = Dot(N, T);
		const FVec Orthogonal = Normalized(FVec{T.X - N.X * Along, T.Y - N.Y * Along, T.Z - N.Z * Along}, AnyPerpendicular(N));
		const float Sign = Dot(Cross(N, Orthogonal), Bitangents[Index]) < 0.0f ? -1.0f : 1.0f;
		Result[Index] = {Orthogonal.X, Orthogonal.Y, Orthogonal.Z, Sign};
	}
	return Result;
}
