#include "Meshes/SkeletalMeshRenderData.h"

FSkeletalMeshLODRenderData FSkeletalMeshLODRenderData::Build(const FSkeletalMeshLODModel& Model, bool bUseHighPrecisionTangentBasis)
{
	FSkeletalMeshLODRenderData LOD;
	LOD.StaticVertexBuffers.PositionVertexBuffer.Init(Model.Positions);
	LOD.StaticVertexBuffers.StaticMeshVertexBuffer.Init(Model.Normals, Model.Tangents, bUseHighPrecisionTangentBasis);
	LOD.MultiSizeIndexContainer = Model.IndexBuffer;
	LOD.RenderSections = Model.Sections;
	return LOD;
}
