#pragma once

#include "Core/Color.h"
#include "Level/Rotator.h"
#include "Meshes/MeshTransform.h"

#include <cstdint>
#include <vector>

class UMaterialInterface;
class UStaticMesh;

/** A static mesh in a scene: its mesh, where it is, and the material of each slot (nullptr keeps the mesh's own). */
struct FStaticMeshPrimitive
{
	const UStaticMesh* StaticMesh = nullptr;
	FTransform LocalToWorld;
	std::vector<UMaterialInterface*> OverrideMaterials;
};

/**
 * A mesh whose vertices were skinned on the CPU (or any mesh made at run time): world-space
 * triangles with their attributes, one material per section.
 */
struct FDynamicMeshPrimitive
{
	struct FSection
	{
		uint32_t FirstIndex = 0;
		uint32_t NumIndices = 0;
		UMaterialInterface* Material = nullptr;
	};

	std::vector<FVector3f> Positions;
	std::vector<FVector3f> Normals;
	/** Tangent xyz with the sign of the bitangent in w; empty to have them made from UV0. */
	std::vector<FVector4f> Tangents;
	std::vector<FVector2f> UV0;
	std::vector<FLinearColor> Colors;
	std::vector<uint32_t> Indices;
	std::vector<FSection> Sections;
	FTransform LocalToWorld;
};

/** A sun: light arriving from one direction (the light points along its rotation's X axis). */
struct FDirectionalLight
{
	FRotator Rotation{-40.0, -67.5, 0.0};
	/** Illuminance at a surface facing the light; the renderer shows π as white on a white diffuse surface. */
	float Intensity = 3.14159265f;
	FLinearColor LightColor{1.0f, 1.0f, 1.0f, 1.0f};
	/** Angular diameter of the sun in degrees; widens the specular highlight. */
	float LightSourceAngle = 0.5357f;
	/** Angular diameter of the soft edge around the sun in degrees; widens the highlight by half its size. */
	float LightSourceSoftAngle = 0.0f;

	void SetLightSourceAngle(float NewAngle) { LightSourceAngle = NewAngle; }
	void SetLightSourceSoftAngle(float NewAngle) { LightSourceSoftAngle = NewAngle; }
};

/** Uniform light from every direction (the sky), added to every lit surface. */
struct FSkyLight
{
	float Intensity = 1.0f;
	FLinearColor LightColor{0.2f, 0.2f, 0.2f, 1.0f};
};

/** A light at a point, falling off with the inverse square of distance and reaching zero at the attenuation radius. */
struct FPointLight
{
	FVector Location;
	/** Luminous intensity in candela (centimetres are converted to metres for the falloff). */
	float Intensity = 8.0f;
	FLinearColor LightColor{1.0f, 1.0f, 1.0f, 1.0f};
	float AttenuationRadius = 1000.0f;
	/** Radius of the emitting sphere in centimetres; widens the specular highlight. */
	float SourceRadius = 0.0f;
	/** Radius of the soft edge around the emitting sphere in centimetres; widens the highlight by half its size. */
	float SoftSourceRadius = 0.0f;

	friend bool operator==(const FPointLight&, const FPointLight&) = default;
};

/** Identifies something added to a scene, for updating or removing it later. */
using FScenePrimitiveId = int32_t;

/**
 * The renderer's scene: what a preview scene holds (primitives and lights) in the form the
 * renderer draws. Values only; the renderer keeps its own device objects keyed by the meshes.
 */
class FSceneInterface
{
public:
	FScenePrimitiveId AddStaticMesh(FStaticMeshPrimitive Primitive);
	FScenePrimitiveId AddDynamicMesh(FDynamicMeshPrimitive Primitive);
	/** The primitive with that id, or nullptr when there is none (or it is of the other kind). */
	FStaticMeshPrimitive* FindStaticMesh(FScenePrimitiveId Id);
	FDynamicMeshPrimitive* FindDynamicMesh(FScenePrimitiveId Id);
	void RemovePrimitive(FScenePrimitiveId Id);

	std::vector<FDirectionalLight>& GetDirectionalLights() { return DirectionalLights; }
	const std::vector<FDirectionalLight>& GetDirectionalLights() const { return DirectionalLights; }
	std::vector<FPointLight>& GetPointLights() { return PointLights; }
	const std::vector<FPointLight>& GetPointLights() const { return PointLights; }
	FSkyLight& GetSkyLight() { return SkyLight; }
	const FSkyLight& GetSkyLight() const { return SkyLight; }

	struct FStaticEntry
	{
		FScenePrimitiveId Id = 0;
		FStaticMeshPrimitive Primitive;
	};
	struct FDynamicEntry
	{
		FScenePrimitiveId Id = 0;
		FDynamicMeshPrimitive Primitive;
	};
	const std::vector<FStaticEntry>& GetStaticMeshes() const { return StaticMeshes; }
	const std::vector<FDynamicEntry>& GetDynamicMeshes() const { return DynamicMeshes; }

private:
	FScenePrimitiveId NextId = 1;
	std::vector<FStaticEntry> StaticMeshes;
	std::vector<FDynamicEntry> DynamicMeshes;
	std::vector<FDirectionalLight> DirectionalLights;
	std::vector<FPointLight> PointLights;
	FSkyLight SkyLight;
};
