#include "Render/DeferredRenderer.h"

#include "Materials/Material.h"
#include "Materials/MaterialShaderMap.h"
#include "Meshes/StaticMesh.h"
#include "Objects/ObjectGlobals.h"
#include "Render/GlShaders.h"
#include "Render/MaterialRenderProxy.h"
#include "Render/SceneInterface.h"
#include "Render/SceneView.h"
#include "Render/ShaderSources.h"
#include "Render/ViewMatrices.h"

#include <epoxy/gl.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace
{
	/** The View block: CameraPosition, TimeParams, WorldToClip, ViewSize. */
	constexpr std::size_t ViewBlockFloats = 4 + 4 + 16 + 4;
	/** The lights block: ClipToWorld, SkyColor, Counts, 4 + 4 directional, 8 + 8 point vectors. */
	constexpr std::size_t LightsBlockFloats = 16 + 4 + 4 + 4 * 4 * 2 + 8 * 4 * 2;
	/** The largest Material block a shader map may ask for (GL guarantees 16 KiB blocks). */
	constexpr std::size_t MaxMaterialBlockFloats = 16384 / sizeof(float);

	void AppendVector(std::vector<float>& Out, float X, float Y, float Z, float W)
	{
		Out.insert(Out.end(), {X, Y, Z, W});
	}

	void AppendMatrix(std::vector<float>& Out, const FRenderMatrix& Matrix)
	{
		Out.insert(Out.end(), Matrix.M.begin(), Matrix.M.end());
	}

	FGlBuffer MakeUniformBuffer(std::size_t Floats)
	{
		GLuint Name = 0;
		glCreateBuffers(1, &Name);
		glNamedBufferData(Name, static_cast<GLsizeiptr>(Floats * sizeof(float)), nullptr, GL_DYNAMIC_DRAW);
		return FGlBuffer(Name);
	}

	/** The upper 3×3 of the matrix, inverted and transposed (how normals transform), column by column. */
	std::array<float, 9> MakeNormalMatrix(const FRenderMatrix& LocalToWorld, float& OutDeterminantSign)
	{
		const auto A = [&](int Row, int Column) { return static_cast<double>(LocalToWorld.At(Row, Column)); };
		const double C00 = A(1, 1) * A(2, 2) - A(1, 2) * A(2, 1);
		const double C01 = A(1, 2) * A(2, 0) - A(1, 0) * A(2, 2);
		const double C02 = A(1, 0) * A(2, 1) - A(1, 1) * A(2, 0);
		const double Determinant = A(0, 0) * C00 + A(0, 1) * C01 + A(0, 2) * C02;
		OutDeterminantSign = Determinant < 0.0 ? -1.0f : 1.0f;
		if (std::fabs(Determinant) < 1e-20)
		{
			return {1, 0, 0, 0, 1, 0, 0, 0, 1};
		}
		// The cofactor matrix is the inverse transpose times the determinant; the scale does not matter for normals.
		const double Cofactors[3][3] = {
			{C00, C01, C02},
			{A(0, 2) * A(2, 1) - A(0, 1) * A(2, 2), A(0, 0) * A(2, 2) - A(0, 2) * A(2, 0), A(0, 1) * A(2, 0) - A(0, 0) * A(2, 1)},
			{A(0, 1) * A(1, 2) - A(0, 2) * A(1, 1), A(0, 2) * A(1, 0) - A(0, 0) * A(1, 2), A(0, 0) * A(1, 1) - A(0, 1) * A(1, 0)}};
		std::array<float, 9> Result{};
		for (int Column = 0; Column < 3; ++Column)
		{
			for (int Row = 0; Row < 3; ++Row)
			{
				Result[Column * 3 + Row] = static_cast<float>(Cofactors[Row][Column] / Determinant);
			}
		}
		return Result;
	}

	/** The sine of half the angle a value in degrees spans, the angle clamped to 0 ... 180. */
	double SinOfHalfAngle(float AngleDegrees)
	{
		return std::sin(std::clamp<double>(AngleDegrees, 0.0, 180.0) * std::numbers::pi / 360.0);
	}

	/**
	 * How much the sun widens its highlight (the sine of its angular radius). Nothing casts shadows
	 * here, so the soft edge, which softens shadows in the engine, only widens the highlight, by half.
	 */
	float SourceSpread(const FDirectionalLight& Light)
	{
		return static_cast<float>(SinOfHalfAngle(Light.LightSourceAngle) + 0.5 * SinOfHalfAngle(Light.LightSourceSoftAngle));
	}

	/** The radius, in centimetres, by which a point light widens its highlight: its sphere and half its soft edge. */
	float SourceSpread(const FPointLight& Light)
	{
		return std::max(Light.SourceRadius, 0.0f) + 0.5f * std::max(Light.SoftSourceRadius, 0.0f);
	}

	UMaterialInterface* FindSlotMaterial(const FStaticMeshPrimitive& Primitive, int32_t SlotIndex)
	{
		if (SlotIndex >= 0 && SlotIndex < static_cast<int32_t>(Primitive.OverrideMaterials.size()) && Primitive.OverrideMaterials[SlotIndex] != nullptr)
		{
			return Primitive.OverrideMaterials[SlotIndex];
		}
		const std::vector<FStaticMaterial>& Slots = Primitive.StaticMesh->GetStaticMaterials();
		if (SlotIndex >= 0 && SlotIndex < static_cast<int32_t>(Slots.size()) && !Slots[SlotIndex].MaterialInterfacePath.empty())
		{
			return LoadObject<UMaterialInterface>(Slots[SlotIndex].MaterialInterfacePath);
		}
		return nullptr;
	}
}

struct FDeferredRenderer::FDraw
{
	const FGpuMesh* Mesh = nullptr;
	FGpuMeshSection Section;
	FMaterialRenderProxy Material;
	const FGlProgram* Program = nullptr;
	FRenderMatrix LocalToWorld;
	std::array<float, 9> NormalMatrix{};
	float TangentSign = 1.0f;
	double DistanceSquared = 0.0;
};

FDeferredRenderer::FDeferredRenderer()
{
	ViewBlock = MakeUniformBuffer(ViewBlockFloats);
	LightsBlock = MakeUniformBuffer(LightsBlockFloats);
	MaterialBlock = MakeUniformBuffer(MaxMaterialBlockFloats);
	GLuint Name = 0;
	glCreateVertexArrays(1, &Name);
	EmptyVertexArray = FGlVertexArray(Name);
}

FDeferredRenderer::~FDeferredRenderer() = default;

bool FDeferredRenderer::PrepareShaders(std::string& OutError)
{
	if (!DefaultMaterialProgram)
	{
		DefaultMaterialProgram = LinkGlProgram(RenderShaders::MaterialVertexShader(), RenderShaders::DefaultMaterialPixelShader(), OutError);
		if (!DefaultMaterialProgram)
		{
			OutError = "the default material does not link: " + OutError;
			return false;
		}
	}
	return true;
}

bool FDeferredRenderer::UseLightingProgram(const FSceneViewFamily& Family, std::string& OutError)
{
	const FEngineShowFlags& Flags = Family.EngineShowFlags;
	const std::pair<int32_t, int32_t> Counts{
		Flags.DirectionalLights ? std::min<int32_t>(static_cast<int32_t>(Family.Scene->GetDirectionalLights().size()), RenderBindings::MaxDirectionalLights) : 0,
		Flags.PointLights ? std::min<int32_t>(static_cast<int32_t>(Family.Scene->GetPointLights().size()), RenderBindings::MaxPointLights) : 0};
	auto Found = LightingPrograms.find(Counts);
	if (Found == LightingPrograms.end())
	{
		std::optional<FGlProgram> Program = LinkGlProgram(RenderShaders::FullScreenVertexShader(), RenderShaders::LightingPixelShader(Counts.first, Counts.second), OutError);
		if (!Program)
		{
			OutError = "the lighting pass does not link: " + OutError;
			return false;
		}
		Found = LightingPrograms.emplace(Counts, std::move(*Program)).first;
	}
	LightingProgram = Found->second.Get();
	return true;
}

const FGlProgram* FDeferredRenderer::FindProgram(const FMaterialRenderProxy& Material, std::string& OutError)
{
	if (Material.ShaderMap == nullptr)
	{
		return &*DefaultMaterialProgram;
	}
	const std::string& PixelGlsl = Material.ShaderMap->PixelGlsl;
	auto Found = MaterialPrograms.find(PixelGlsl);
	if (Found == MaterialPrograms.end())
	{
		std::string Error;
		std::optional<FGlProgram> Program = LinkGlProgram(RenderShaders::MaterialVertexShader(), PixelGlsl, Error);
		if (!Program)
		{
			MaterialLinkErrors[PixelGlsl] = Error;
		}
		Found = MaterialPrograms.emplace(PixelGlsl, std::move(Program)).first;
	}
	if (!Found->second)
	{
		OutError = "material " + Material.MaterialPath + " does not link with the renderer's vertex shader: " + MaterialLinkErrors[PixelGlsl];
		return nullptr;
	}
	return &*Found->second;
}

const FGpuMesh* FDeferredRenderer::FindStaticMesh(const UStaticMesh& Mesh)
{
	auto Found = StaticMeshes.find(&Mesh);
	if (Found != StaticMeshes.end() && Found->second.Object.Get() == &Mesh)
	{
		return Found->second.Mesh ? &*Found->second.Mesh : nullptr;
	}
	FStaticMeshEntry& Entry = StaticMeshes[&Mesh];
	Entry.Object = &Mesh;
	Entry.Mesh.reset();
	const FStaticMeshLODResources* LOD = Mesh.GetNumLODs() > 0 ? Mesh.GetLODForExport(0) : nullptr;
	if (LOD == nullptr || LOD->Positions.empty())
	{
		return nullptr;
	}
	const std::vector<uint32_t> Indices = LOD->IndexBuffer.GetIndexBuffer();
	FMeshVertexStreams Streams;
	Streams.Positions = LOD->Positions;
	Streams.Normals = LOD->Normals;
	if (!LOD->UVs.empty())
	{
		Streams.UV0 = LOD->UVs[0];
	}
	if (LOD->UVs.size() > 1)
	{
		Streams.UV1 = LOD->UVs[1];
	}
	Streams.Indices = Indices;
	std::vector<FGpuMeshSection> Sections;
	for (const FMeshSection& Section : LOD->Sections)
	{
		Sections.push_back({Section.BaseIndex, Section.NumTriangles * 3, Section.MaterialIndex});
	}
	if (Sections.empty())
	{
		Sections.push_back({0, static_cast<uint32_t>(Indices.size()), 0});
	}
	Entry.Mesh = FGpuMesh::Create(Streams, std::move(Sections));
	return &*Entry.Mesh;
}

bool FDeferredRenderer::CollectDraws(const FSceneViewFamily& Family, std::vector<FDraw>& OutDraws, std::vector<FGpuMesh>& OutDynamicMeshes, std::string& OutError)
{
	const FSceneInterface& Scene = *Family.Scene;
	const auto AddDraw = [&](const FGpuMesh& Mesh, const FGpuMeshSection& Section, UMaterialInterface* Material, const FTransform& Transform) {
		FDraw Draw;
		Draw.Mesh = &Mesh;
		Draw.Section = Section;
		Draw.Material = MakeMaterialRenderProxy(Material);
		Draw.Program = FindProgram(Draw.Material, OutError);
		Draw.LocalToWorld = MakeLocalToWorld(Transform);
		Draw.NormalMatrix = MakeNormalMatrix(Draw.LocalToWorld, Draw.TangentSign);
		if (Draw.Program == nullptr)
		{
			return false;
		}
		OutDraws.push_back(std::move(Draw));
		return true;
	};
	for (const FSceneInterface::FStaticEntry& Entry : Scene.GetStaticMeshes())
	{
		const FStaticMeshPrimitive& Primitive = Entry.Primitive;
		const FGpuMesh* Mesh = Primitive.StaticMesh != nullptr ? FindStaticMesh(*Primitive.StaticMesh) : nullptr;
		if (Mesh == nullptr)
		{
			continue;
		}
		for (const FGpuMeshSection& Section : Mesh->GetSections())
		{
			if (!AddDraw(*Mesh, Section, FindSlotMaterial(Primitive, Section.MaterialIndex), Primitive.LocalToWorld))
			{
				return false;
			}
		}
	}
	OutDynamicMeshes.reserve(Scene.GetDynamicMeshes().size());
	for (const FSceneInterface::FDynamicEntry& Entry : Scene.GetDynamicMeshes())
	{
		const FDynamicMeshPrimitive& Primitive = Entry.Primitive;
		std::vector<FGpuMeshSection> Sections;
		for (std::size_t Index = 0; Index < Primitive.Sections.size(); ++Index)
		{
			Sections.push_back({Primitive.Sections[Index].FirstIndex, Primitive.Sections[Index].NumIndices, static_cast<int32_t>(Index)});
		}
		FMeshVertexStreams Streams;
		Streams.Positions = Primitive.Positions;
		Streams.Normals = Primitive.Normals;
		Streams.Tangents = Primitive.Tangents;
		Streams.UV0 = Primitive.UV0;
		Streams.Colors = Primitive.Colors;
		Streams.Indices = Primitive.Indices;
		const FGpuMesh& Mesh = OutDynamicMeshes.emplace_back(FGpuMesh::Create(Streams, std::move(Sections)));
		for (const FGpuMeshSection& Section : Mesh.GetSections())
		{
			if (!AddDraw(Mesh, Section, Primitive.Sections[static_cast<std::size_t>(Section.MaterialIndex)].Material, Primitive.LocalToWorld))
			{
				return false;
			}
		}
	}
	return true;
}

void FDeferredRenderer::DrawPrimitive(const FDraw& Draw)
{
	const GLuint Program = Draw.Program->Get();
	glUseProgram(Program);
	glProgramUniformMatrix4fv(Program, RenderBindings::LocalToWorldLocation, 1, GL_FALSE, Draw.LocalToWorld.M.data());
	glProgramUniformMatrix3fv(Program, RenderBindings::NormalMatrixLocation, 1, GL_FALSE, Draw.NormalMatrix.data());
	glProgramUniform1f(Program, RenderBindings::TangentSignLocation, Draw.TangentSign);
	const std::vector<float>& Values = Draw.Material.UniformValues;
	if (!Values.empty())
	{
		const std::size_t Floats = std::min(Values.size(), MaxMaterialBlockFloats);
		glNamedBufferSubData(MaterialBlock.Get(), 0, static_cast<GLsizeiptr>(Floats * sizeof(float)), Values.data());
		glBindBufferRange(GL_UNIFORM_BUFFER, RenderBindings::MaterialBlock, MaterialBlock.Get(), 0, static_cast<GLsizeiptr>(Floats * sizeof(float)));
	}
	for (const FMaterialTextureBinding& Binding : Draw.Material.Textures)
	{
		if (Binding.Unit >= 0 && Binding.Unit < 32)
		{
			glBindTextureUnit(static_cast<GLuint>(Binding.Unit), Textures.GetTexture(Binding.Texture, Binding.bCube));
		}
	}
	Draw.Mesh->DrawSection(Draw.Section);
}

void FDeferredRenderer::UploadBackground(const FSceneView& View, int32_t SizeX, const std::vector<FColor>& Pixels, bool bSRGB)
{
	const FLinearColor& Background = View.BackgroundColor;
	if (Background.A > 0.0f)
	{
		// The colour is linear; an sRGB output encodes it while sRGB writes are on.
		const float Color[4] = {Background.R, Background.G, Background.B, Background.A};
		if (bSRGB)
		{
			glEnable(GL_FRAMEBUFFER_SRGB);
		}
		glClearNamedFramebufferfv(Targets.GetOutputFramebuffer(), GL_COLOR, 0, Color);
		glDisable(GL_FRAMEBUFFER_SRGB);
		return;
	}
	// The output starts as the target's pixels, rows flipped to OpenGL's bottom-to-top order.
	const FIntRect& Rect = View.UnscaledViewRect;
	glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
	glPixelStorei(GL_UNPACK_ROW_LENGTH, SizeX);
	for (int32_t Row = 0; Row < Rect.Height(); ++Row)
	{
		const FColor* First = Pixels.data() + static_cast<std::size_t>(Rect.Min.Y + Row) * SizeX + Rect.Min.X;
		glTextureSubImage2D(Targets.GetOutput(), 0, 0, Rect.Height() - 1 - Row, Rect.Width(), 1, GL_BGRA, GL_UNSIGNED_BYTE, First);
	}
	glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
}

void FDeferredRenderer::WriteLights(const FSceneViewFamily& Family, const FRenderMatrix& ClipToWorld, bool bTranslucentLayer)
{
	const FSceneInterface& Scene = *Family.Scene;
	const FEngineShowFlags& Flags = Family.EngineShowFlags;
	std::vector<float> Block;
	Block.reserve(LightsBlockFloats);
	AppendMatrix(Block, ClipToWorld);
	const FSkyLight& Sky = Scene.GetSkyLight();
	const float SkyScale = Flags.SkyLighting ? Sky.Intensity : 0.0f;
	AppendVector(Block, Sky.LightColor.R * SkyScale, Sky.LightColor.G * SkyScale, Sky.LightColor.B * SkyScale, 0.0f);
	const auto& Directional = Scene.GetDirectionalLights();
	const auto& Points = Scene.GetPointLights();
	const int32_t NumDirectional = Flags.DirectionalLights ? std::min<int32_t>(static_cast<int32_t>(Directional.size()), RenderBindings::MaxDirectionalLights) : 0;
	const int32_t NumPoints = Flags.PointLights ? std::min<int32_t>(static_cast<int32_t>(Points.size()), RenderBindings::MaxPointLights) : 0;
	AppendVector(Block, static_cast<float>(NumDirectional), static_cast<float>(NumPoints), bTranslucentLayer ? 1.0f : 0.0f, Flags.Lighting ? 1.0f : 0.0f);
	for (int32_t Index = 0; Index < RenderBindings::MaxDirectionalLights; ++Index)
	{
		if (Index < NumDirectional)
		{
			const FVector Forward = Directional[Index].Rotation.Quaternion().RotateVector({1.0, 0.0, 0.0});
			AppendVector(Block, static_cast<float>(-Forward.X), static_cast<float>(-Forward.Y), static_cast<float>(-Forward.Z), SourceSpread(Directional[Index]));
		}
		else
		{
			AppendVector(Block, 0.0f, 0.0f, 1.0f, 0.0f);
		}
	}
	for (int32_t Index = 0; Index < RenderBindings::MaxDirectionalLights; ++Index)
	{
		const FDirectionalLight* Light = Index < NumDirectional ? &Directional[Index] : nullptr;
		const float Scale = Light != nullptr ? Light->Intensity : 0.0f;
		const FLinearColor Color = Light != nullptr ? Light->LightColor : FLinearColor{};
		AppendVector(Block, Color.R * Scale, Color.G * Scale, Color.B * Scale, 0.0f);
	}
	for (int32_t Index = 0; Index < RenderBindings::MaxPointLights; ++Index)
	{
		const FPointLight* Light = Index < NumPoints ? &Points[Index] : nullptr;
		AppendVector(Block, Light != nullptr ? static_cast<float>(Light->Location.X) : 0.0f, Light != nullptr ? static_cast<float>(Light->Location.Y) : 0.0f,
			Light != nullptr ? static_cast<float>(Light->Location.Z) : 0.0f, Light != nullptr ? Light->AttenuationRadius : 0.0f);
	}
	for (int32_t Index = 0; Index < RenderBindings::MaxPointLights; ++Index)
	{
		const FPointLight* Light = Index < NumPoints ? &Points[Index] : nullptr;
		const float Scale = Light != nullptr ? Light->Intensity : 0.0f;
		const FLinearColor Color = Light != nullptr ? Light->LightColor : FLinearColor{};
		AppendVector(Block, Color.R * Scale, Color.G * Scale, Color.B * Scale, Light != nullptr ? SourceSpread(*Light) : 0.0f);
	}
	glNamedBufferSubData(LightsBlock.Get(), 0, static_cast<GLsizeiptr>(Block.size() * sizeof(float)), Block.data());
	glBindBufferBase(GL_UNIFORM_BUFFER, RenderBindings::LightsBlock, LightsBlock.Get());
}

void FDeferredRenderer::RunLightingPass(const FSceneTargets::FGBuffer& GBuffer)
{
	glUseProgram(LightingProgram);
	for (int Index = 0; Index < 4; ++Index)
	{
		glBindTextureUnit(RenderBindings::GBufferUnit0 + Index, GBuffer.Colors[Index].Get());
	}
	glBindTextureUnit(RenderBindings::DepthUnit, GBuffer.Depth.Get());
	glBindVertexArray(EmptyVertexArray.Get());
	glDrawArrays(GL_TRIANGLES, 0, 3);
}

bool FDeferredRenderer::RenderView(const FSceneView& View, const FSceneViewFamily& Family, int32_t SizeX, int32_t SizeY, float DisplayGamma,
	std::vector<FColor>& Pixels, std::string& OutError)
{
	const FIntRect& Rect = View.UnscaledViewRect;
	if (Rect.Min.X < 0 || Rect.Min.Y < 0 || Rect.Width() <= 0 || Rect.Height() <= 0 || Rect.Max.X > SizeX || Rect.Max.Y > SizeY)
	{
		OutError = "the view's rectangle does not lie inside the render target";
		return false;
	}
	if (Family.Scene == nullptr)
	{
		OutError = "the view family has no scene";
		return false;
	}
	while (glGetError() != GL_NO_ERROR)
	{
	}
	const int32_t Width = Rect.Width();
	const int32_t Height = Rect.Height();
	const bool bSRGB = DisplayGamma > 1.0f;
	if (!PrepareShaders(OutError) || !UseLightingProgram(Family, OutError) || !Targets.Prepare(Width, Height, bSRGB, OutError))
	{
		return false;
	}
	std::vector<FDraw> Draws;
	std::vector<FGpuMesh> DynamicMeshes;
	if (!CollectDraws(Family, Draws, DynamicMeshes, OutError))
	{
		return false;
	}

	const FRenderMatrix WorldToClip = MakeWorldToClip(View.ViewLocation, View.ViewRotation, View.FOV, static_cast<float>(Width) / Height, View.NearClippingDistance);
	const std::optional<FRenderMatrix> ClipToWorld = WorldToClip.Inverse();
	if (!ClipToWorld)
	{
		OutError = "the view's projection cannot be inverted";
		return false;
	}
	std::vector<float> ViewValues;
	AppendVector(ViewValues, static_cast<float>(View.ViewLocation.X), static_cast<float>(View.ViewLocation.Y), static_cast<float>(View.ViewLocation.Z), 1.0f);
	AppendVector(ViewValues, static_cast<float>(Family.GetTime().GetRealTimeSeconds()), Family.GetTime().GetDeltaRealTimeSeconds(), 0.0f, 0.0f);
	AppendMatrix(ViewValues, WorldToClip);
	AppendVector(ViewValues, static_cast<float>(Width), static_cast<float>(Height), 1.0f / Width, 1.0f / Height);
	glNamedBufferSubData(ViewBlock.Get(), 0, static_cast<GLsizeiptr>(ViewValues.size() * sizeof(float)), ViewValues.data());
	glBindBufferBase(GL_UNIFORM_BUFFER, RenderBindings::ViewBlock, ViewBlock.Get());
	for (FDraw& Draw : Draws)
	{
		const float* M = Draw.LocalToWorld.M.data();
		const FVector Center{M[12], M[13], M[14]};
		Draw.DistanceSquared = (Center - View.ViewLocation).SizeSquared();
	}

	UploadBackground(View, SizeX, Pixels, bSRGB);
	glViewport(0, 0, Width, Height);
	glDisable(GL_CULL_FACE);
	glDisable(GL_BLEND);
	glDisable(GL_FRAMEBUFFER_SRGB);

	// Geometry: opaque and masked primitives fill the G-buffer and depth. Only depth is cleared:
	// the lighting pass reads no G-buffer texel that no primitive wrote.
	const FSceneTargets::FGBuffer& Opaque = Targets.GetOpaque();
	glBindFramebuffer(GL_FRAMEBUFFER, Opaque.Framebuffer.Get());
	const float Zero[4] = {0.0f, 0.0f, 0.0f, 0.0f};
	const float FarDepth = 1.0f;
	glClearNamedFramebufferfv(Opaque.Framebuffer.Get(), GL_DEPTH, 0, &FarDepth);
	glEnable(GL_DEPTH_TEST);
	glDepthFunc(GL_LESS);
	glDepthMask(GL_TRUE);
	for (const FDraw& Draw : Draws)
	{
		if (!Draw.Material.IsTranslucent())
		{
			DrawPrimitive(Draw);
		}
	}

	// Lighting: the G-buffer shaded into the output over the background. The full-screen triangle
	// lies on the far plane and passes the depth test only where a primitive is nearer, so empty
	// pixels keep the background without running the shader.
	glBindFramebuffer(GL_FRAMEBUFFER, Targets.GetOutputFramebuffer());
	if (bSRGB)
	{
		glEnable(GL_FRAMEBUFFER_SRGB);
	}
	glDepthFunc(GL_GREATER);
	glDepthMask(GL_FALSE);
	WriteLights(Family, *ClipToWorld, false);
	RunLightingPass(Opaque);
	glDisable(GL_DEPTH_TEST);
	glDepthFunc(GL_LESS);
	glDepthMask(GL_TRUE);

	// Translucency: each primitive, farthest first, lit in a layer of its own and blended over.
	if (Family.EngineShowFlags.Translucency)
	{
		std::vector<const FDraw*> Translucent;
		for (const FDraw& Draw : Draws)
		{
			if (Draw.Material.IsTranslucent())
			{
				Translucent.push_back(&Draw);
			}
		}
		std::stable_sort(Translucent.begin(), Translucent.end(), [](const FDraw* A, const FDraw* B) { return A->DistanceSquared > B->DistanceSquared; });
		if (!Translucent.empty())
		{
			WriteLights(Family, *ClipToWorld, true);
		}
		const FSceneTargets::FGBuffer& Layer = Targets.GetTranslucent();
		for (const FDraw* Draw : Translucent)
		{
			glDisable(GL_FRAMEBUFFER_SRGB);
			glDisable(GL_BLEND);
			glBlitNamedFramebuffer(Opaque.Framebuffer.Get(), Layer.Framebuffer.Get(), 0, 0, Width, Height, 0, 0, Width, Height, GL_DEPTH_BUFFER_BIT, GL_NEAREST);
			for (int Index = 0; Index < 4; ++Index)
			{
				glClearNamedFramebufferfv(Layer.Framebuffer.Get(), GL_COLOR, Index, Zero);
			}
			glBindFramebuffer(GL_FRAMEBUFFER, Layer.Framebuffer.Get());
			glEnable(GL_DEPTH_TEST);
			DrawPrimitive(*Draw);
			glDisable(GL_DEPTH_TEST);
			glBindFramebuffer(GL_FRAMEBUFFER, Targets.GetOutputFramebuffer());
			if (bSRGB)
			{
				glEnable(GL_FRAMEBUFFER_SRGB);
			}
			glEnable(GL_BLEND);
			if (Draw->Material.BlendMode == BLEND_Additive)
			{
				glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE, GL_ZERO, GL_ONE);
			}
			else
			{
				glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
			}
			RunLightingPass(Layer);
		}
		glDisable(GL_BLEND);
	}
	glDisable(GL_FRAMEBUFFER_SRGB);

	std::vector<FColor> Rendered(static_cast<std::size_t>(Width) * Height);
	glBindFramebuffer(GL_READ_FRAMEBUFFER, Targets.GetOutputFramebuffer());
	glPixelStorei(GL_PACK_ALIGNMENT, 4);
	glReadPixels(0, 0, Width, Height, GL_BGRA, GL_UNSIGNED_BYTE, Rendered.data());
	glBindFramebuffer(GL_FRAMEBUFFER, 0);
	const GLenum Error = glGetError();
	if (Error != GL_NO_ERROR)
	{
		OutError = "OpenGL reported error " + std::to_string(Error) + " while drawing";
		return false;
	}
	// OpenGL's rows run bottom to top; the target's run top to bottom.
	for (int32_t Row = 0; Row < Height; ++Row)
	{
		const FColor* Source = Rendered.data() + static_cast<std::size_t>(Height - 1 - Row) * Width;
		std::copy_n(Source, Width, Pixels.begin() + static_cast<std::size_t>(Rect.Min.Y + Row) * SizeX + Rect.Min.X);
	}
	return true;
}
