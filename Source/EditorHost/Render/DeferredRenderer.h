#pragma once

#include "Core/Color.h"
#include "Objects/WeakObjectPtr.h"
#include "Render/GlResources.h"
#include "Render/GpuMesh.h"
#include "Render/SceneTargets.h"
#include "Render/TextureUploads.h"

#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

class FSceneView;
class FSceneViewFamily;
class UStaticMesh;
struct FMaterialRenderProxy;
struct FRenderMatrix;

/**
 * Draws views of a scene with deferred shading: a geometry pass fills the G-buffer and depth
 * with each material's pixel shader, a full-screen pass lights it over the background, and each
 * translucent primitive is lit in a layer of its own and blended on top. Keeps the device copies
 * of meshes, textures and linked programs between frames. Lives on the device (needs its context).
 */
class FDeferredRenderer
{
public:
	FDeferredRenderer();
	~FDeferredRenderer();
	FDeferredRenderer(const FDeferredRenderer&) = delete;
	FDeferredRenderer& operator=(const FDeferredRenderer&) = delete;

	/**
	 * Renders the view into its rectangle of Pixels (the target's pixels, SizeX wide, rows top to
	 * bottom), over what they hold. False with OutError when it cannot (nothing is changed then).
	 */
	bool RenderView(const FSceneView& View, const FSceneViewFamily& Family, int32_t SizeX, int32_t SizeY, float DisplayGamma,
		std::vector<FColor>& Pixels, std::string& OutError);

private:
	struct FDraw;
	struct FStaticMeshEntry
	{
		FWeakObjectPtr Object;
		std::optional<FGpuMesh> Mesh;
	};

	bool PrepareShaders(std::string& OutError);
	/** The program for the material (the default material's when it has no shader map); nullptr with OutError when it does not link. */
	const FGlProgram* FindProgram(const FMaterialRenderProxy& Material, std::string& OutError);
	const FGpuMesh* FindStaticMesh(const UStaticMesh& Mesh);
	bool CollectDraws(const FSceneViewFamily& Family, std::vector<FDraw>& OutDraws, std::vector<FGpuMesh>& OutDynamicMeshes, std::string& OutError);
	void DrawPrimitive(const FDraw& Draw);
	void UploadBackground(const FSceneView& View, int32_t SizeX, const std::vector<FColor>& Pixels, bool bSRGB);
	void WriteLights(const FSceneViewFamily& Family, const FRenderMatrix& ClipToWorld, bool bTranslucentLayer);
	/** Binds the lighting program for the family's light counts; false with OutError when it does not link. */
	bool UseLightingProgram(const FSceneViewFamily& Family, std::string& OutError);
	void RunLightingPass(const FSceneTargets::FGBuffer& GBuffer);

	std::optional<FGlProgram> DefaultMaterialProgram;
	/** Lighting programs by their numbers of directional and point lights. */
	std::map<std::pair<int32_t, int32_t>, FGlProgram> LightingPrograms;
	uint32_t LightingProgram = 0;
	/** Linked material programs by pixel shader text, or the link error of one that failed. */
	std::unordered_map<std::string, std::optional<FGlProgram>> MaterialPrograms;
	std::unordered_map<std::string, std::string> MaterialLinkErrors;
	std::unordered_map<const UStaticMesh*, FStaticMeshEntry> StaticMeshes;
	FTextureUploads Textures;
	FSceneTargets Targets;
	FGlBuffer ViewBlock;
	FGlBuffer LightsBlock;
	FGlBuffer MaterialBlock;
	FGlVertexArray EmptyVertexArray;
};
