#include "Render/GpuMesh.h"

#include "Render/MeshTangents.h"

#include <epoxy/gl.h>

#include <array>
#include <cmath>

namespace
{
	/** Position 3, normal 3, tangent 4, UV0 and UV1 4, colour 4. */
	constexpr int32_t FloatsPerVertex = 18;

	float Finite(float Value)
	{
		return std::isfinite(Value) ? Value : 0.0f;
	}
}

FGpuMesh FGpuMesh::Create(const FMeshVertexStreams& Streams, std::vector<FGpuMeshSection> InSections)
{
	const std::size_t NumVertices = Streams.Positions.size();
	std::vector<uint32_t> IndexData;
	IndexData.reserve(Streams.Indices.size());
	for (std::size_t Corner = 0; Corner + 2 < Streams.Indices.size(); Corner += 3)
	{
		const uint32_t I0 = Streams.Indices[Corner];
		const uint32_t I1 = Streams.Indices[Corner + 1];
		const uint32_t I2 = Streams.Indices[Corner + 2];
		const bool bValid = I0 < NumVertices && I1 < NumVertices && I2 < NumVertices;
		IndexData.insert(IndexData.end(), {bValid ? I0 : 0u, bValid ? I1 : 0u, bValid ? I2 : 0u});
	}
	const std::vector<FVector4f> MadeTangents = Streams.Tangents.size() == NumVertices
		? std::vector<FVector4f>()
		: ComputeTangents(Streams.Positions, Streams.Normals, Streams.UV0, IndexData);
	const std::span<const FVector4f> Tangents = Streams.Tangents.size() == NumVertices ? Streams.Tangents : std::span<const FVector4f>(MadeTangents);

	std::vector<float> VertexData;
	VertexData.reserve(NumVertices * FloatsPerVertex);
	for (std::size_t Index = 0; Index < NumVertices; ++Index)
	{
		const FVector3f& P = Streams.Positions[Index];
		const FVector3f N = Index < Streams.Normals.size() ? Streams.Normals[Index] : FVector3f{0.0f, 0.0f, 1.0f};
		const FVector4f& T = Tangents[Index];
		const FVector2f UV0 = Index < Streams.UV0.size() ? Streams.UV0[Index] : FVector2f{};
		const FVector2f UV1 = Index < Streams.UV1.size() ? Streams.UV1[Index] : FVector2f{};
		const FLinearColor Color = Index < Streams.Colors.size() ? Streams.Colors[Index] : FLinearColor{1.0f, 1.0f, 1.0f, 1.0f};
		const std::array<float, FloatsPerVertex> Vertex{P.X, P.Y, P.Z, N.X, N.Y, N.Z, T.X, T.Y, T.Z, T.W, UV0.X, UV0.Y, UV1.X, UV1.Y, Color.R, Color.G, Color.B, Color.A};
		for (const float Value : Vertex)
		{
			VertexData.push_back(Finite(Value));
		}
	}

	FGpuMesh Mesh;
	GLuint Names[2] = {0, 0};
	GLuint ArrayName = 0;
	glCreateBuffers(2, Names);
	glCreateVertexArrays(1, &ArrayName);
	Mesh.Vertices = FGlBuffer(Names[0]);
	Mesh.Indices = FGlBuffer(Names[1]);
	Mesh.VertexArray = FGlVertexArray(ArrayName);
	glNamedBufferData(Names[0], static_cast<GLsizeiptr>(std::max<std::size_t>(VertexData.size(), 1) * sizeof(float)), VertexData.empty() ? nullptr : VertexData.data(), GL_STATIC_DRAW);
	glNamedBufferData(Names[1], static_cast<GLsizeiptr>(std::max<std::size_t>(IndexData.size(), 1) * sizeof(uint32_t)), IndexData.empty() ? nullptr : IndexData.data(), GL_STATIC_DRAW);
	glVertexArrayVertexBuffer(ArrayName, 0, Names[0], 0, FloatsPerVertex * sizeof(float));
	glVertexArrayElementBuffer(ArrayName, Names[1]);
	const std::array<std::pair<GLint, GLuint>, 5> Attributes{{{3, 0}, {3, 3}, {4, 6}, {4, 10}, {4, 14}}};
	for (GLuint Location = 0; Location < Attributes.size(); ++Location)
	{
		glEnableVertexArrayAttrib(ArrayName, Location);
		glVertexArrayAttribFormat(ArrayName, Location, Attributes[Location].first, GL_FLOAT, GL_FALSE, Attributes[Location].second * sizeof(float));
		glVertexArrayAttribBinding(ArrayName, Location, 0);
	}
	const uint32_t TotalIndices = static_cast<uint32_t>(IndexData.size());
	for (FGpuMeshSection& Section : InSections)
	{
		Section.FirstIndex = std::min(Section.FirstIndex, TotalIndices);
		Section.NumIndices = std::min(Section.NumIndices, TotalIndices - Section.FirstIndex) / 3 * 3;
	}
	Mesh.Sections = std::move(InSections);
	return Mesh;
}

void FGpuMesh::DrawSection(const FGpuMeshSection& Section) const
{
	if (Section.NumIndices == 0)
	{
		return;
	}
	glBindVertexArray(VertexArray.Get());
	glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(Section.NumIndices), GL_UNSIGNED_INT, reinterpret_cast<const void*>(static_cast<uintptr_t>(Section.FirstIndex) * sizeof(uint32_t)));
}
