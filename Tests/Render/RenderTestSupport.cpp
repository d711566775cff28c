#include "Render/RenderTestSupport.h"

#include "Render/CanvasTypes.h"
#include "Render/ImageRenderTarget.h"
#include "Render/ObjectThumbnail.h"
#include "Render/PreviewScene.h"
#include "Render/RendererInterface.h"
#include "Render/SceneView.h"
#include "Render/ViewMatrices.h"

#include <cstdlib>
#include <utility>

namespace RenderTestSupport
{
	std::string MaterialPixelShader(std::string_view Declarations, std::string_view Body)
	{
		std::string Text = R"(#version 450
layout(location = 0) in vec3 in_var_WORLD_POSITION;
layout(location = 1) in vec3 in_var_WORLD_NORMAL;
layout(location = 2) in vec4 in_var_WORLD_TANGENT;
layout(location = 3) in vec4 in_var_TEXCOORD01;
layout(location = 4) in vec4 in_var_COLOR;
layout(location = 0) out vec4 out_var_SV_Target0;
layout(location = 1) out vec4 out_var_SV_Target1;
layout(location = 2) out vec4 out_var_SV_Target2;
layout(location = 3) out vec4 out_var_SV_Target3;
)";
		Text += Declarations;
		Text += R"(
void main()
{
	vec3 BaseColor = vec3(0.0);
	float Opacity = 1.0;
	vec3 Emissive = vec3(0.0);
	float ShadingModel = 1.0;
	float Metallic = 0.0;
	float Specular = 0.5;
	float Roughness = 0.5;
)";
		Text += Body;
		Text += R"(
	out_var_SV_Target0 = vec4(BaseColor, Opacity);
	out_var_SV_Target1 = vec4(normalize(in_var_WORLD_NORMAL) * 0.5 + 0.5, ShadingModel);
	out_var_SV_Target2 = vec4(Metallic, Specular, Roughness, 1.0);
	out_var_SV_Target3 = vec4(Emissive, 1.0);
}
)";
		return Text;
	}

	FMaterialShaderMap ConstantColorShaderMap(const FLinearColor& Color, bool bUnlit)
	{
		FMaterialShaderMap ShaderMap;
		ShaderMap.PixelGlsl = MaterialPixelShader("layout(binding = 1, std140) uniform type_Material { vec4 Values[1]; } Material;\n",
			bUnlit ? "\tEmissive = Material.Values[0].rgb;\n\tShadingModel = 0.0;\n" : "\tBaseColor = Material.Values[0].rgb;\n");
		ShaderMap.Hlsl = ShaderMap.PixelGlsl;
		ShaderMap.Uniforms.push_back({"", 0, 3, {Color.R, Color.G, Color.B, 0.0f}});
		ShaderMap.UniformBlockFloats = 4;
		ShaderMap.bUnlit = bUnlit;
		return ShaderMap;
	}

	FMaterialShaderMap EmissiveShaderMap(const FLinearColor& DefaultGlow)
	{
		FMaterialShaderMap ShaderMap;
		ShaderMap.PixelGlsl = MaterialPixelShader("layout(binding = 1, std140) uniform type_Material { vec4 Values[1]; } Material;\n",
			"\tEmissive = Material.Values[0].rgb;\n\tShadingModel = 0.0;\n");
		ShaderMap.Hlsl = ShaderMap.PixelGlsl;
		ShaderMap.Uniforms.push_back({"Glow", 0, 4, {DefaultGlow.R, DefaultGlow.G, DefaultGlow.B, DefaultGlow.A}});
		ShaderMap.UniformBlockFloats = 4;
		ShaderMap.bUnlit = true;
		return ShaderMap;
	}

	FMaterialShaderMap TexturedShaderMap(std::string_view DefaultTexturePath)
	{
		FMaterialShaderMap ShaderMap;
		ShaderMap.PixelGlsl = MaterialPixelShader("layout(binding = 0) uniform sampler2D SPIRV_Cross_CombinedAlbedoAlbedoSampler;\n",
			"\tBaseColor = texture(SPIRV_Cross_CombinedAlbedoAlbedoSampler, in_var_TEXCOORD01.xy).rgb;\n");
		ShaderMap.Hlsl = ShaderMap.PixelGlsl;
		ShaderMap.Textures.push_back({"Albedo", "SPIRV_Cross_CombinedAlbedoAlbedoSampler", 0, std::string(DefaultTexturePath), false});
		return ShaderMap;
	}

	FScopedShaderMaps::FScopedShaderMaps()
	{
		SetMaterialShaderMapProvider([this](UMaterial& Material) -> const FMaterialShaderMap* {
			const auto Found = ShaderMaps.find(&Material);
			return Found != ShaderMaps.end() ? &Found->second : nullptr;
		});
	}

	FScopedShaderMaps::~FScopedShaderMaps()
	{
		SetMaterialShaderMapProvider({});
	}

	FLinearColor FImage::MeanAround(int32_t X, int32_t Y, int32_t HalfSize) const
	{
		double Sums[4] = {};
		int32_t Count = 0;
		for (int32_t Row = std::max(Y - HalfSize, 0); Row <= std::min(Y + HalfSize, Height - 1); ++Row)
		{
			for (int32_t Column = std::max(X - HalfSize, 0); Column <= std::min(X + HalfSize, Width - 1); ++Column)
			{
				const FColor& Pixel = At(Column, Row);
				Sums[0] += Pixel.R;
				Sums[1] += Pixel.G;
				Sums[2] += Pixel.B;
				Sums[3] += Pixel.A;
				++Count;
			}
		}
		const double Scale = Count > 0 ? 1.0 / (255.0 * Count) : 0.0;
		return {static_cast<float>(Sums[0] * Scale), static_cast<float>(Sums[1] * Scale), static_cast<float>(Sums[2] * Scale), static_cast<float>(Sums[3] * Scale)};
	}

	FImage RenderPreviewScene(FPreviewScene& Scene, const FVector& Camera, const FVector& Target, int32_t Size, const FLinearColor& Background)
	{
		FImageRenderTarget RenderTarget(Size, Size);
		const FGameTime Time = FGameTime::GetTimeSinceAppStart();
		FCanvas Canvas(&RenderTarget, nullptr, Time, GMaxRHIFeatureLevel);
		Canvas.Clear(Background);
		FSceneViewFamilyContext ViewFamily(FSceneViewFamily::ConstructionValues(&RenderTarget, Scene.GetScene(), FEngineShowFlags(ESFIM_Game)).SetTime(Time));
		auto View = std::make_unique<FSceneView>();
		View->UnscaledViewRect = {{0, 0}, {Size, Size}};
		View->ViewLocation = Camera;
		View->ViewRotation = MakeLookAtRotation(Camera, Target);
		View->FOV = 60.0f;
		View->NearClippingDistance = 1.0f;
		ViewFamily.AddView(std::move(View));
		GetRendererModule().BeginRenderingViewFamily(&Canvas, &ViewFamily);
		FImage Image;
		if (!GetRendererModule().LastFrameSucceeded())
		{
			return Image;
		}
		Image.Width = Size;
		Image.Height = Size;
		Image.Pixels = RenderTarget.GetPixels();
		return Image;
	}

	FImage ThumbnailImage(const FObjectThumbnail& Thumbnail)
	{
		FImage Image;
		Image.Width = Thumbnail.GetImageWidth();
		Image.Height = Thumbnail.GetImageHeight();
		const std::vector<uint8_t>& Bytes = Thumbnail.GetUncompressedImageData();
		for (std::size_t Offset = 0; Offset + 3 < Bytes.size(); Offset += 4)
		{
			Image.Pixels.push_back(FColor{Bytes[Offset], Bytes[Offset + 1], Bytes[Offset + 2], Bytes[Offset + 3]});
		}
		return Image;
	}

	int64_t CountDifferentPixels(const FImage& A, const FImage& B, int32_t Tolerance)
	{
		int64_t Count = 0;
		for (std::size_t Index = 0; Index < std::min(A.Pixels.size(), B.Pixels.size()); ++Index)
		{
			const FColor& P = A.Pixels[Index];
			const FColor& Q = B.Pixels[Index];
			if (std::abs(P.R - Q.R) > Tolerance || std::abs(P.G - Q.G) > Tolerance || std::abs(P.B - Q.B) > Tolerance)
			{
				++Count;
			}
		}
		return Count;
	}
}
