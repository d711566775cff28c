#include "Meshes/Gltf/GltfDocumentParts.h"

#include "Meshes/Gltf/GltfAccessors.h"

#include <tiny_gltf.h>

#include <algorithm>
#include <optional>
#include <string>

namespace
{
	std::optional<EGltfChannelPath> ParsePath(const std::string& Path)
	{
		if (Path == "translation")
		{
			return EGltfChannelPath::Translation;
		}
		if (Path == "rotation")
		{
			return EGltfChannelPath::Rotation;
		}
		if (Path == "scale")
		{
			return EGltfChannelPath::Scale;
		}
		if (Path == "weights")
		{
			return EGltfChannelPath::Weights;
		}
		return std::nullopt;
	}

	std::optional<EGltfInterpolation> ParseInterpolation(const std::string& Name)
	{
		if (Name == "LINEAR" || Name.empty())
		{
			return EGltfInterpolation::Linear;
		}
		if (Name == "STEP")
		{
			return EGltfInterpolation::Step;
		}
		if (Name == "CUBICSPLINE")
		{
			return EGltfInterpolation::CubicSpline;
		}
		return std::nullopt;
	}

	/** How a sampler's output is laid out: Components floats per key, read from a scalar accessor for morph weights. */
	struct FSamplerUse
	{
		int32_t Components = 0;
		bool bScalarAccessor = false;

		bool operator==(const FSamplerUse&) const = default;
	};

	TGltfResult<FGltfSampler> ReadSampler(const tinygltf::Model& Model, const tinygltf::AnimationSampler& Source, FSamplerUse Use)
	{
		FGltfSampler Sampler;
		const int32_t Components = Use.Components;
		Sampler.Components = Components;
		const std::optional<EGltfInterpolation> Interpolation = ParseInterpolation(Source.interpolation);
		if (!Interpolation)
		{
			return MakeGltfError("a sampler has unknown interpolation %s", Source.interpolation.c_str());
		}
		Sampler.Interpolation = *Interpolation;
		auto Times = ReadGltfFloats(Model, Source.input, 1, "sampler input");
		if (!Times)
		{
			return Times.Error();
		}
		if (!std::is_sorted(Times->Values.begin(), Times->Values.end()))
		{
			return MakeGltfError("a sampler's key times go backwards");
		}
		auto Values = ReadGltfFloats(Model, Source.output, Use.bScalarAccessor ? 1 : Components, "sampler output");
		if (!Values)
		{
			return Values.Error();
		}
		const std::size_t PerKey = std::size_t(Components) * (Sampler.Interpolation == EGltfInterpolation::CubicSpline ? 3 : 1);
		if (Values->Values.size() != Times->Count * PerKey)
		{
			return MakeGltfError("a sampler has %zu output values for %zu keys", Values->Values.size(), Times->Count);
		}
		Sampler.Times = std::move(Times->Values);
		Sampler.Values = std::move(Values->Values);
		return Sampler;
	}

	TGltfResult<FGltfAnimation> ReadAnimation(const tinygltf::Model& Model, const tinygltf::Animation& Source, const std::vector<FGltfNode>& Nodes, const std::vector<FGltfMesh>& Meshes)
	{
		FGltfAnimation Animation;
		Animation.Name = Source.name;
		// What each sampler animates decides how its output is read; unused samplers stay empty.
		std::vector<FSamplerUse> SamplerUses(Source.samplers.size());
		for (const tinygltf::AnimationChannel& Channel : Source.channels)
		{
			const std::optional<EGltfChannelPath> Path = ParsePath(Channel.target_path);
			if (Channel.target_node < 0 || !Path)
			{
				continue;
			}
			if (Channel.target_node >= static_cast<int32_t>(Nodes.size()) || Channel.sampler < 0 || Channel.sampler >= static_cast<int32_t>(Source.samplers.size()))
			{
				return MakeGltfError("a channel refers to a missing node or sampler");
			}
			FSamplerUse Use{*Path == EGltfChannelPath::Rotation ? 4 : 3, false};
			if (*Path == EGltfChannelPath::Weights)
			{
				const int32_t Mesh = Nodes[Channel.target_node].Mesh;
				Use = {Mesh < 0 ? 0 : static_cast<int32_t>(Meshes[Mesh].TargetNames.size()), true};
				if (Use.Components == 0)
				{
					return MakeGltfError("a weights channel targets node %d, which has no morph targets", Channel.target_node);
				}
			}
			FSamplerUse& Known = SamplerUses[Channel.sampler];
			if (Known.Components != 0 && !(Known == Use))
			{
				return MakeGltfError("sampler %d drives channels of different kinds", Channel.sampler);
			}
			Known = Use;
			Animation.Channels.push_back({Channel.target_node, *Path, Channel.sampler});
		}
		for (std::size_t Index = 0; Index < Source.samplers.size(); ++Index)
		{
			if (SamplerUses[Index].Components == 0)
			{
				Animation.Samplers.emplace_back();
				continue;
			}
			auto Sampler = ReadSampler(Model, Source.samplers[Index], SamplerUses[Index]);
			if (!Sampler)
			{
				return Sampler.Error();
			}
			Animation.Samplers.push_back(std::move(*Sampler));
		}
		return Animation;
	}
}

TGltfResult<std::vector<FGltfAnimation>> ReadGltfAnimations(const tinygltf::Model& Model, const std::vector<FGltfNode>& Nodes, const std::vector<FGltfMesh>& Meshes)
{
	std::vector<FGltfAnimation> Animations;
	for (std::size_t Index = 0; Index < Model.animations.size(); ++Index)
	{
		auto Animation = ReadAnimation(Model, Model.animations[Index], Nodes, Meshes);
		if (!Animation)
		{
			return MakeGltfError("animation %zu: %s", Index, Animation.Error().Reason.c_str());
		}
		if (Animation->Name.empty())
		{
			Animation->Name = "Animation_" + std::to_string(Index);
		}
		Animations.push_back(std::move(*Animation));
	}
	return Animations;
}
