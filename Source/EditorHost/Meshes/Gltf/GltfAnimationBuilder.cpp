#include "Meshes/Gltf/GltfAnimationBuilder.h"

#include "Meshes/Gltf/GltfAxes.h"
#include "Meshes/Gltf/GltfSampling.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace
{
	constexpr int32_t MaxFrames = 1 << 20;

	/** The channels that drive one node's translation, rotation and scale (nullptr where none does). */
	struct FNodeChannels
	{
		const FGltfSampler* Translation = nullptr;
		const FGltfSampler* Rotation = nullptr;
		const FGltfSampler* Scale = nullptr;
	};

	FTransform SampleLocal(const FGltfNode& Node, const FNodeChannels& Channels, double Time)
	{
		FTransform Local = Node.Local;
		if (Channels.Translation)
		{
			Local.Translation = GltfSampling::SampleVector(*Channels.Translation, Time);
		}
		if (Channels.Rotation)
		{
			Local.Rotation = GltfSampling::SampleRotation(*Channels.Rotation, Time);
		}
		if (Channels.Scale)
		{
			Local.Scale3D = GltfSampling::SampleVector(*Channels.Scale, Time);
		}
		return Local;
	}
}

TGltfResult<FAnimSequenceData> BuildGltfAnimation(const FGltfDocument& Document, const FGltfAnimation& Animation, const FGltfSkeletonBinding& Binding, double FrameRate)
{
	if (!(FrameRate > 0.0) || !std::isfinite(FrameRate))
	{
		return MakeGltfError("frame rate %g is not a positive number", FrameRate);
	}
	double Start = std::numeric_limits<double>::max();
	double End = std::numeric_limits<double>::lowest();
	for (const FGltfChannel& Channel : Animation.Channels)
	{
		const std::vector<float>& Times = Animation.Samplers[Channel.Sampler].Times;
		Start = std::min<double>(Start, Times.front());
		End = std::max<double>(End, Times.back());
	}
	if (Animation.Channels.empty())
	{
		Start = End = 0.0;
	}
	const double Frames = std::max(1.0, std::round((End - Start) * FrameRate));
	if (Frames > MaxFrames)
	{
		return MakeGltfError("animation %s would have %.0f frames", Animation.Name.c_str(), Frames);
	}

	FAnimSequenceData Sequence;
	Sequence.Name = Animation.Name;
	Sequence.FrameRate = FrameRate;
	Sequence.NumberOfFrames = static_cast<int32_t>(Frames);
	Sequence.NumberOfKeys = Sequence.NumberOfFrames + 1;
	Sequence.PlayLength = Frames / FrameRate;
	const auto KeyTime = [&](int32_t Key) { return Start + std::min(Key / FrameRate, End - Start); };

	std::vector<FNodeChannels> BoneChannels(Binding.Skeleton.Num());
	for (const FGltfChannel& Channel : Animation.Channels)
	{
		const FGltfSampler* Sampler = &Animation.Samplers[Channel.Sampler];
		if (Channel.Path == EGltfChannelPath::Weights)
		{
			const FGltfMesh& Mesh = Document.Meshes[Document.Nodes[Channel.Node].Mesh];
			std::vector<float> Weights(Mesh.TargetNames.size());
			std::vector<FFloatCurveData> Curves(Mesh.TargetNames.size());
			for (int32_t Key = 0; Key < Sequence.NumberOfKeys; ++Key)
			{
				GltfSampling::Sample(*Sampler, KeyTime(Key), Weights);
				for (std::size_t Target = 0; Target < Weights.size(); ++Target)
				{
					Curves[Target].Values.push_back(Weights[Target]);
				}
			}
			for (std::size_t Target = 0; Target < Curves.size(); ++Target)
			{
				Curves[Target].Name = Mesh.TargetNames[Target];
				Sequence.Curves.push_back(std::move(Curves[Target]));
			}
			continue;
		}
		const int32_t Bone = Binding.BoneOfNode[Channel.Node];
		if (Bone < 0)
		{
			continue;
		}
		FNodeChannels& Channels = BoneChannels[Bone];
		(Channel.Path == EGltfChannelPath::Translation ? Channels.Translation : Channel.Path == EGltfChannelPath::Rotation ? Channels.Rotation : Channels.Scale) = Sampler;
	}

	std::vector<int32_t> NodeOfBone(Binding.Skeleton.Num(), -1);
	for (int32_t Node = 0; Node < static_cast<int32_t>(Binding.BoneOfNode.size()); ++Node)
	{
		if (Binding.BoneOfNode[Node] >= 0)
		{
			NodeOfBone[Binding.BoneOfNode[Node]] = Node;
		}
	}
	for (int32_t Bone = 0; Bone < Binding.Skeleton.Num(); ++Bone)
	{
		const FNodeChannels& Channels = BoneChannels[Bone];
		if (!Channels.Translation && !Channels.Rotation && !Channels.Scale)
		{
			continue;
		}
		FBoneAnimationTrack Track;
		Track.Name = Binding.Skeleton.GetRefBoneInfo()[Bone].Name;
		Track.BoneTreeIndex = Bone;
		for (int32_t Key = 0; Key < Sequence.NumberOfKeys; ++Key)
		{
			const FTransform Local = GltfAxes::ConvertTransform(SampleLocal(Document.Nodes[NodeOfBone[Bone]], Channels, KeyTime(Key)) * Binding.ParentChain[Bone]);
			Track.InternalTrackData.PosKeys.push_back(Local.Translation);
			Track.InternalTrackData.RotKeys.push_back(Local.Rotation);
			Track.InternalTrackData.ScaleKeys.push_back(Local.Scale3D);
		}
		Sequence.BoneTracks.push_back(std::move(Track));
	}
	return Sequence;
}
