[[vk::binding(0, 1)]] Texture2D Material_Texture2D_0;
[[vk::binding(0, 1)]] SamplerState Material_Texture2D_0Sampler;

void CalcPixelMaterialInputs(in FMaterialPixelParameters Parameters, inout FPixelMaterialInputs PixelMaterialInputs)
{
	float2 Local0 = (Parameters.TexCoords01.xy * float2(2.0, 2.0));
	float4 Local1 = Material_Texture2D_0.Sample(Material_Texture2D_0Sampler, Local0);
	float3 Local2 = (Local1.rgb * Material.Values[0].rgb);
	PixelMaterialInputs.BaseColor = Local2;
	PixelMaterialInputs.Roughness = Material.Values[1].x;
}

