#include "Materials/MaterialHLSLTemplate.h"

#include <cstdio>

namespace
{
	// The View block's members are declared as the renderer's vertex shader declares them (row_major
	// here is GLSL's column-major mat4), so the two stages' blocks link; main copies them into View.
	constexpr std::string_view DeclarationsText = R"([[vk::binding(0)]] cbuffer View
{
	float4 CameraPosition;
	float4 TimeParams;
	row_major float4x4 WorldToClip;
	float4 ViewSize;
};

struct FViewUniforms
{
	float4 CameraPosition;
	float4 TimeParams;
	float4 ViewSize;
};
static FViewUniforms View;

struct FMaterialUniforms
{
	float4 Values[@SLOTS@];
};
[[vk::binding(1)]] cbuffer Material
{
	FMaterialUniforms Material;
};

struct FMaterialPixelParameters
{
	float3 WorldPosition;
	float3 WorldNormal;
	float3 WorldTangent;
	float3 WorldBitangent;
	float4 TexCoords01;
	float4 VertexColor;
	/** From the pixel towards the camera, unit length. */
	float3 CameraVector;
};

struct FPixelMaterialInputs
{
	float3 BaseColor;
	float Metallic;
	float Specular;
	float Roughness;
	float3 EmissiveColor;
	float Opacity;
	float OpacityMask;
	float3 Normal;
	float AmbientOcclusion;
};

struct FMaterialAttributes
{
	float3 BaseColor;
	float Metallic;
	float Specular;
	float Roughness;
	float3 EmissiveColor;
	float Opacity;
	float OpacityMask;
	float3 Normal;
	float AmbientOcclusion;
};

FMaterialAttributes MakeMaterialAttributes(float3 BaseColor, float Metallic, float Specular, float Roughness, float3 EmissiveColor, float Opacity, float OpacityMask, float3 Normal, float AmbientOcclusion)
{
	FMaterialAttributes Attributes;
	Attributes.BaseColor = BaseColor;
	Attributes.Metallic = Metallic;
	Attributes.Specular = Specular;
	Attributes.Roughness = Roughness;
	Attributes.EmissiveColor = EmissiveColor;
	Attributes.Opacity = Opacity;
	Attributes.OpacityMask = OpacityMask;
	Attributes.Normal = Normal;
	Attributes.AmbientOcclusion = AmbientOcclusion;
	return Attributes;
}

FMaterialAttributes DefaultMaterialAttributes()
{
	return MakeMaterialAttributes(float3(0.0, 0.0, 0.0), 0.0, 0.5, 0.5, float3(0.0, 0.0, 0.0), 1.0, 1.0, float3(0.0, 0.0, 1.0), 1.0);
}

FMaterialAttributes LerpMaterialAttributes(FMaterialAttributes A, FMaterialAttributes B, float Alpha)
{
	return MakeMaterialAttributes(lerp(A.BaseColor, B.BaseColor, Alpha), lerp(A.Metallic, B.Metallic, Alpha), lerp(A.Specular, B.Specular, Alpha),
		lerp(A.Roughness, B.Roughness, Alpha), lerp(A.EmissiveColor, B.EmissiveColor, Alpha), lerp(A.Opacity, B.Opacity, Alpha),
		lerp(A.OpacityMask, B.OpacityMask, Alpha), normalize(lerp(A.Normal, B.Normal, Alpha)), lerp(A.AmbientOcclusion, B.AmbientOcclusion, Alpha));
}

float4 UnpackNormalMap(float4 TextureSample)
{
	float2 NormalXY = TextureSample.rg * 2.0 - 1.0;
	return float4(NormalXY, sqrt(saturate(1.0 - dot(NormalXY, NormalXY))), 1.0);
}

float Fresnel(float Exponent, float BaseReflectFraction, float3 Normal, float3 CameraVector)
{
	float NdotV = max(dot(normalize(Normal), CameraVector), 0.0);
	return BaseReflectFraction + (1.0 - BaseReflectFraction) * pow(max(1.0 - NdotV, 0.0001), Exponent);
}
)";

	constexpr std::string_view MainText = R"(struct FPixelShaderOut
{
	[[vk::location(0)]] float4 GBufferA : SV_Target0;
	[[vk::location(1)]] float4 GBufferB : SV_Target1;
	[[vk::location(2)]] float4 GBufferC : SV_Target2;
	[[vk::location(3)]] float4 GBufferD : SV_Target3;
};

FPixelShaderOut main(
	[[vk::location(0)]] float3 WorldPosition : TEXCOORD0,
	[[vk::location(1)]] float3 WorldNormal : TEXCOORD1,
	[[vk::location(2)]] float4 WorldTangent : TEXCOORD2,
	[[vk::location(3)]] float4 TexCoords01 : TEXCOORD3,
	[[vk::location(4)]] float4 VertexColor : TEXCOORD4,
	bool bIsFrontFace : SV_IsFrontFace)
{
	View.CameraPosition = CameraPosition;
	View.TimeParams = TimeParams;
	View.ViewSize = ViewSize;

	FMaterialPixelParameters Parameters;
	Parameters.WorldPosition = WorldPosition;
	Parameters.WorldNormal = normalize(WorldNormal);
@TWOSIDED@	Parameters.WorldTangent = normalize(WorldTangent.xyz);
	Parameters.WorldBitangent = cross(Parameters.WorldNormal, Parameters.WorldTangent) * WorldTangent.w;
	Parameters.TexCoords01 = TexCoords01;
	Parameters.VertexColor = VertexColor;
	Parameters.CameraVector = normalize(View.CameraPosition.xyz - WorldPosition);

	FPixelMaterialInputs PixelMaterialInputs;
	PixelMaterialInputs.BaseColor = float3(0.0, 0.0, 0.0);
	PixelMaterialInputs.Metallic = 0.0;
	PixelMaterialInputs.Specular = 0.5;
	PixelMaterialInputs.Roughness = 0.5;
	PixelMaterialInputs.EmissiveColor = float3(0.0, 0.0, 0.0);
	PixelMaterialInputs.Opacity = 1.0;
	PixelMaterialInputs.OpacityMask = 1.0;
	PixelMaterialInputs.Normal = float3(0.0, 0.0, 1.0);
	PixelMaterialInputs.AmbientOcclusion = 1.0;
	CalcPixelMaterialInputs(Parameters, PixelMaterialInputs);
@MASKED@
	float3 ShadingNormal = @NORMAL@;

	FPixelShaderOut Out;
	Out.GBufferA = float4(PixelMaterialInputs.BaseColor, PixelMaterialInputs.Opacity);
	Out.GBufferB = float4(ShadingNormal * 0.5 + 0.5, @SHADINGMODEL@);
	Out.GBufferC = float4(PixelMaterialInputs.Metallic, PixelMaterialInputs.Specular, PixelMaterialInputs.Roughness, PixelMaterialInputs.AmbientOcclusion);
	Out.GBufferD = float4(PixelMaterialInputs.EmissiveColor, 1.0);
	return Out;
}
)";

	std::string Replace(std::string Text, std::string_view Marker, std::string_view With)
	{
		const std::size_t At = Text.find(Marker);
		return At == std::string::npos ? Text : Text.replace(At, Marker.size(), With);
	}

	std::string FormatClipValue(float Value)
	{
		char Buffer[32];
		std::snprintf(Buffer, sizeof(Buffer), "%.9g", static_cast<double>(Value));
		std::string Text = Buffer;
		return Text.find_first_of(".eEn") == std::string::npos ? Text + ".0" : Text;
	}
}

std::string MaterialHLSLTemplate::Declarations(int32_t UniformSlots)
{
	return Replace(std::string(DeclarationsText), "@SLOTS@", std::to_string(UniformSlots));
}

std::string MaterialHLSLTemplate::TextureDeclaration(std::string_view Name, int32_t Unit, bool bCube)
{
	const std::string Binding = "[[vk::binding(" + std::to_string(Unit) + ", 1)]] ";
	return Binding + (bCube ? "TextureCube " : "Texture2D ") + std::string(Name) + ";\n" + Binding + "SamplerState " + std::string(Name) + "Sampler;\n";
}

std::string MaterialHLSLTemplate::PixelShaderMain(bool bMasked, float OpacityMaskClipValue, bool bTangentSpaceNormal, bool bTwoSided, bool bUnlit)
{
	std::string Text(MainText);
	Text = Replace(std::move(Text), "@TWOSIDED@", bTwoSided ? "\tif (!bIsFrontFace)\n\t{\n\t\tParameters.WorldNormal = -Parameters.WorldNormal;\n\t}\n" : "");
	Text = Replace(std::move(Text), "@MASKED@", bMasked ? "\tif (PixelMaterialInputs.OpacityMask < " + FormatClipValue(OpacityMaskClipValue) + ")\n\t{\n\t\tdiscard;\n\t}\n" : "");
	Text = Replace(std::move(Text), "@NORMAL@",
		bTangentSpaceNormal ? "normalize(PixelMaterialInputs.Normal.x * Parameters.WorldTangent + PixelMaterialInputs.Normal.y * Parameters.WorldBitangent + PixelMaterialInputs.Normal.z * Parameters.WorldNormal)"
							: "Parameters.WorldNormal");
	return Replace(std::move(Text), "@SHADINGMODEL@", bUnlit ? "0.0" : "1.0");
}
