#include "Render/ShaderSources.h"

#include <string>

namespace
{
	constexpr std::string_view VertexShaderText = R"(#version 450 core
layout(location = 0) in vec3 InPosition;
layout(location = 1) in vec3 InNormal;
layout(location = 2) in vec4 InTangent;
layout(location = 3) in vec4 InTexCoords01;
layout(location = 4) in vec4 InColor;

layout(std140, binding = 0) uniform RendererView
{
	vec4 CameraPosition;
	vec4 TimeParams;
	mat4 WorldToClip;
	vec4 ViewSize;
} ViewParameters;

layout(location = 0) uniform mat4 PrimitiveLocalToWorld;
layout(location = 4) uniform mat3 PrimitiveNormalMatrix;
layout(location = 8) uniform float PrimitiveTangentSign;

layout(location = 0) out vec3 WorldPosition;
layout(location = 1) out vec3 WorldNormal;
layout(location = 2) out vec4 WorldTangent;
layout(location = 3) out vec4 TexCoords01;
layout(location = 4) out vec4 VertexColor;

void main()
{
	vec4 World = PrimitiveLocalToWorld * vec4(InPosition, 1.0);
	WorldPosition = World.xyz;
	WorldNormal = normalize(PrimitiveNormalMatrix * InNormal);
	vec3 Tangent = mat3(PrimitiveLocalToWorld) * InTangent.xyz;
	WorldTangent = vec4(length(Tangent) > 0.0 ? normalize(Tangent) : vec3(1.0, 0.0, 0.0), InTangent.w * PrimitiveTangentSign);
	TexCoords01 = InTexCoords01;
	VertexColor = InColor;
	gl_Position = ViewParameters.WorldToClip * World;
}
)";

	constexpr std::string_view DefaultMaterialText = R"(#version 450 core
layout(location = 0) in vec3 WorldPosition;
layout(location = 1) in vec3 WorldNormal;
layout(location = 2) in vec4 WorldTangent;
layout(location = 3) in vec4 TexCoords01;
layout(location = 4) in vec4 VertexColor;

layout(location = 0) out vec4 OutBaseColor;
layout(location = 1) out vec4 OutNormal;
layout(location = 2) out vec4 OutSurface;
layout(location = 3) out vec4 OutEmissive;

// How close a coordinate is to a grid line (1 on the line, 0 between), smoothed over a pixel.
vec3 GridLines(vec3 Cell)
{
	vec3 Distance = abs(fract(Cell + 0.5) - 0.5);
	vec3 Width = max(fwidth(Cell), vec3(1e-4));
	return 1.0 - smoothstep(vec3(0.04), vec3(0.04) + Width, Distance);
}

void main()
{
	vec3 N = normalize(WorldNormal);
	vec3 Lines = GridLines(WorldPosition / 10.0);
	// Lines on the two axes that run across the surface, blended by how the surface faces.
	vec3 Weights = abs(N) / max(abs(N.x) + abs(N.y) + abs(N.z), 1e-4);
	float Line = Weights.x * max(Lines.y, Lines.z) + Weights.y * max(Lines.x, Lines.z) + Weights.z * max(Lines.x, Lines.y);
	vec3 BaseColor = mix(vec3(0.5), vec3(0.18), Line);
	OutBaseColor = vec4(BaseColor, 1.0);
	OutNormal = vec4(N * 0.5 + 0.5, 1.0);
	OutSurface = vec4(0.0, 0.5, 0.6, 1.0);
	OutEmissive = vec4(0.0, 0.0, 0.0, 1.0);
}
)";

	constexpr std::string_view FullScreenText = R"(#version 450 core
void main()
{
	vec2 Corner = vec2((gl_VertexID << 1) & 2, gl_VertexID & 2);
	// On the far plane: the lighting pass's depth test (greater) keeps only pixels a primitive covered.
	gl_Position = vec4(Corner * 2.0 - 1.0, 1.0, 1.0);
}
)";

	constexpr std::string_view LightingText = R"(#version 450 core
#define NUM_DIRECTIONAL_LIGHTS {DirectionalLights}
#define NUM_POINT_LIGHTS {PointLights}
layout(binding = 0) uniform sampler2D GBufferA;
layout(binding = 1) uniform sampler2D GBufferB;
layout(binding = 2) uniform sampler2D GBufferC;
layout(binding = 3) uniform sampler2D GBufferD;
layout(binding = 4) uniform sampler2D SceneDepth;

layout(std140, binding = 0) uniform RendererView
{
	vec4 CameraPosition;
	vec4 TimeParams;
	mat4 WorldToClip;
	vec4 ViewSize;
} ViewParameters;

layout(std140, binding = 2) uniform RendererLights
{
	mat4 ClipToWorld;
	vec4 SkyColor;
	// x: directional lights, y: point lights (the program is built for these counts), z: 1 for a
	// translucent layer, w: 1 when lighting is shown.
	vec4 Counts;
	vec4 DirectionalDirection[4];
	vec4 DirectionalColor[4];
	vec4 PointPosition[8];
	vec4 PointColor[8];
} Lights;

layout(location = 0) out vec4 OutColor;

const float PI = 3.14159265;

float Square(float X)
{
	return X * X;
}

// GGX specular with a Smith visibility term and Schlick's Fresnel, times N.L.
vec3 SpecularGGX(float Alpha, vec3 F0, float NoV, float NoL, float NoH, float VoH)
{
	float A2 = Alpha * Alpha;
	float D = A2 / (PI * Square(NoH * NoH * (A2 - 1.0) + 1.0));
	float Vis = 0.5 / (NoL * sqrt(NoV * NoV * (1.0 - A2) + A2) + NoV * sqrt(NoL * NoL * (1.0 - A2) + A2) + 1e-5);
	float Fc = 1.0 - VoH;
	float Fc2 = Fc * Fc;
	vec3 F = F0 + (1.0 - F0) * (Fc2 * Fc2 * Fc);
	return D * Vis * F;
}

vec3 ShadeLight(vec3 Radiance, vec3 L, vec3 N, vec3 V, vec3 Diffuse, vec3 F0, float Alpha)
{
	float NoL = dot(N, L);
	if (NoL <= 0.0)
	{
		return vec3(0.0);
	}
	vec3 H = normalize(L + V);
	float NoV = max(dot(N, V), 1e-4);
	float NoH = max(dot(N, H), 0.0);
	float VoH = max(dot(V, H), 0.0);
	return Radiance * NoL * (Diffuse / PI + SpecularGGX(Alpha, F0, NoV, NoL, NoH, VoH));
}

vec3 Shade(ivec2 Pixel, float Depth)
{
	vec4 A = texelFetch(GBufferA, Pixel, 0);
	vec4 B = texelFetch(GBufferB, Pixel, 0);
	vec4 C = texelFetch(GBufferC, Pixel, 0);
	vec3 Emissive = texelFetch(GBufferD, Pixel, 0).rgb;
	if (B.a < 0.5)
	{
		return Emissive;
	}
	if (Lights.Counts.w < 0.5)
	{
		return A.rgb + Emissive;
	}
	vec2 ScreenUV = (vec2(Pixel) + 0.5) * ViewParameters.ViewSize.zw;
	vec4 World = Lights.ClipToWorld * vec4(ScreenUV * 2.0 - 1.0, Depth * 2.0 - 1.0, 1.0);
	vec3 Position = World.xyz / World.w;
	vec3 N = normalize(B.xyz * 2.0 - 1.0);
	vec3 V = normalize(ViewParameters.CameraPosition.xyz - Position);
	float Metallic = clamp(C.x, 0.0, 1.0);
	float Specular = clamp(C.y, 0.0, 1.0);
	float Roughness = clamp(C.z, 0.02, 1.0);
	float AO = clamp(C.w, 0.0, 1.0);
	vec3 BaseColor = max(A.rgb, vec3(0.0));
	vec3 Diffuse = BaseColor * (1.0 - Metallic);
	vec3 F0 = mix(vec3(0.08 * Specular), BaseColor, Metallic);
	float Alpha = Roughness * Roughness;

	vec3 Color = vec3(0.0);
	for (int Index = 0; Index < NUM_DIRECTIONAL_LIGHTS; ++Index)
	{
		// A wider sun widens the highlight.
		float SourceAlpha = clamp(Alpha + Lights.DirectionalDirection[Index].w * 0.5, 0.0, 1.0);
		Color += ShadeLight(Lights.DirectionalColor[Index].rgb, Lights.DirectionalDirection[Index].xyz, N, V, Diffuse, F0, SourceAlpha);
	}
	for (int Index = 0; Index < NUM_POINT_LIGHTS; ++Index)
	{
		vec3 ToLight = Lights.PointPosition[Index].xyz - Position;
		float DistanceSquared = dot(ToLight, ToLight);
		float Distance = sqrt(DistanceSquared);
		float Radius = Lights.PointPosition[Index].w;
		// Inverse-square in metres, brought smoothly to zero at the attenuation radius.
		float Window = Square(clamp(1.0 - Square(Square(Distance / max(Radius, 1e-4))), 0.0, 1.0));
		float Falloff = 10000.0 / (DistanceSquared + 1.0) * Window;
		float SourceAlpha = clamp(Alpha + Lights.PointColor[Index].w / (2.0 * max(Distance, 1e-4)), 0.0, 1.0);
		Color += ShadeLight(Lights.PointColor[Index].rgb * Falloff, ToLight / max(Distance, 1e-4), N, V, Diffuse, F0, SourceAlpha);
	}
	Color += Lights.SkyColor.rgb * (Diffuse + F0 * (1.0 - 0.5 * Roughness)) * AO;
	return Color + Emissive;
}

void main()
{
	ivec2 Pixel = ivec2(gl_FragCoord.xy);
	float Depth = texelFetch(SceneDepth, Pixel, 0).r;
	if (Lights.Counts.z > 0.5)
	{
		float Coverage = texelFetch(GBufferD, Pixel, 0).a;
		if (Coverage < 0.5)
		{
			discard;
		}
		float Opacity = clamp(texelFetch(GBufferA, Pixel, 0).a, 0.0, 1.0);
		OutColor = vec4(Shade(Pixel, Depth), Opacity);
		return;
	}
	OutColor = vec4(Shade(Pixel, Depth), 1.0);
}
)";
}

std::string_view RenderShaders::MaterialVertexShader()
{
	return VertexShaderText;
}

std::string_view RenderShaders::DefaultMaterialPixelShader()
{
	return DefaultMaterialText;
}

std::string_view RenderShaders::FullScreenVertexShader()
{
	return FullScreenText;
}

std::string RenderShaders::LightingPixelShader(int NumDirectionalLights, int NumPointLights)
{
	std::string Text(LightingText);
	const auto Replace = [&Text](std::string_view Key, int Value) {
		const std::size_t At = Text.find(Key);
		Text.replace(At, Key.size(), std::to_string(Value));
	};
	Replace("{DirectionalLights}", NumDirectionalLights);
	Replace("{PointLights}", NumPointLights);
	return Text;
}
