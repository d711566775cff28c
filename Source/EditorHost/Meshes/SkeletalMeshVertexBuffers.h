#pragma once

#include "Meshes/MeshVector.h"

#include <cstdint>
#include <span>
#include <variant>
#include <vector>

/** A unit vector packed as the editor's FPackedNormal: four signed 8-bit components, value × 127. */
struct FPackedNormal
{
	int8_t X = 0;
	int8_t Y = 0;
	int8_t Z = 0;
	int8_t W = 0;

	static FPackedNormal Pack(const FVector4f& V);
};

/** A unit vector packed as the editor's FPackedRGBA16N: four signed 16-bit components, value × 32767. */
struct FPackedRGBA16N
{
	int16_t X = 0;
	int16_t Y = 0;
	int16_t Z = 0;
	int16_t W = 0;

	static FPackedRGBA16N Pack(const FVector4f& V);
};

/** One vertex's tangent basis as stored: the first tangent vector and the normal (W: the basis sign). */
template <typename TPacked>
struct TStaticMeshVertexTangent
{
	TPacked TangentX;
	TPacked TangentZ;
};

/** Vertex positions as 32-bit floats, three per vertex (a stride of 12 bytes). */
class FPositionVertexBuffer
{
public:
	void Init(std::vector<FVector3f> InPositions) { Positions = std::move(InPositions); }
	uint32_t GetNumVertices() const { return static_cast<uint32_t>(Positions.size()); }
	uint32_t GetStride() const { return sizeof(FVector3f); }
	const FVector3f& VertexPosition(uint32_t VertexIndex) const { return Positions[VertexIndex]; }

private:
	std::vector<FVector3f> Positions;
};

/**
 * Per-vertex tangent bases packed the way the editor keeps them: 8 bits per
 * component, or 16 bits with the high-precision tangent basis setting.
 */
class FStaticMeshVertexBuffer
{
public:
	/** Packs one basis per normal; a vertex without a tangent gets one perpendicular to its normal and a positive sign. */
	void Init(const std::vector<FVector3f>& Normals, const std::vector<FVector4f>& Tangents, bool bUseHighPrecisionTangentBasis);

	uint32_t GetNumVertices() const;
	bool GetUseHighPrecisionTangentBasis() const { return std::holds_alternative<std::vector<TStaticMeshVertexTangent<FPackedRGBA16N>>>(Tangents); }
	/** The stored bases when they are packed as TPacked; empty for the other precision. */
	template <typename TPacked>
	std::span<const TStaticMeshVertexTangent<TPacked>> GetTangentData() const
	{
		const auto* Stored = std::get_if<std::vector<TStaticMeshVertexTangent<TPacked>>>(&Tangents);
		return Stored != nullptr ? std::span<const TStaticMeshVertexTangent<TPacked>>(*Stored) : std::span<const TStaticMeshVertexTangent<TPacked>>();
	}

private:
	std::variant<std::vector<TStaticMeshVertexTangent<FPackedNormal>>, std::vector<TStaticMeshVertexTangent<FPackedRGBA16N>>> Tangents;
};
