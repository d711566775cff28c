#include "Animation/AnimMontage.h"

#include "Animation/AnimFieldReader.h"

#include <algorithm>

namespace
{
	constexpr int32_t MaxLoops = 1 << 16;

	std::vector<FAnimSegment> ReadSegments(FAnimFieldReader& TrackFields, FAnimFieldReader& Fields)
	{
		std::vector<FAnimSegment> Segments;
		for (const std::shared_ptr<FJsonObject>& Entry : TrackFields.Objects("segments"))
		{
			FAnimFieldReader SegmentFields = Fields.Inner(*Entry);
			FAnimSegment& Segment = Segments.emplace_back();
			const UAnimSequenceBase* Animation = SegmentFields.Asset<UAnimSequenceBase>("animation");
			Segment.AnimReference = Animation;
			Segment.StartPos = SegmentFields.Number("startPos", 0.0);
			Segment.AnimStartTime = SegmentFields.Number("animStartTime", 0.0);
			Segment.AnimEndTime = SegmentFields.Number("animEndTime", Animation != nullptr ? Animation->GetPlayLength() : 0.0);
			Segment.AnimPlayRate = SegmentFields.Number("playRate", 1.0);
			Segment.LoopingCount = SegmentFields.Int("loopingCount", 1);
			if (Segment.AnimPlayRate == 0.0 || Segment.LoopingCount < 1 || Segment.LoopingCount > MaxLoops || Segment.AnimEndTime < Segment.AnimStartTime)
			{
				Fields.Fail("a montage segment needs a non-zero play rate, 1 to 65536 loops and an end after its start");
				return {};
			}
		}
		return Segments;
	}
}

bool UAnimMontage::LoadAssetFields(const FJsonObject& File, std::string& OutError)
{
	if (!Super::LoadAssetFields(File, OutError))
	{
		return false;
	}
	FAnimFieldReader Fields(File, OutError);
	for (const std::shared_ptr<FJsonObject>& Entry : Fields.Objects("sections"))
	{
		FAnimFieldReader SectionFields = Fields.Inner(*Entry);
		CompositeSections.push_back({SectionFields.String("name", "None"), SectionFields.Number("time", 0.0), SectionFields.String("nextSection", "None")});
	}
	for (const std::shared_ptr<FJsonObject>& Entry : Fields.Objects("slotAnimTracks"))
	{
		FAnimFieldReader TrackFields = Fields.Inner(*Entry);
		FSlotAnimationTrack& Track = SlotAnimTracks.emplace_back();
		Track.SlotName = TrackFields.String("slotName", "DefaultSlot");
		Track.AnimSegments = ReadSegments(TrackFields, Fields);
		for (const FAnimSegment& Segment : Track.AnimSegments)
		{
			SequenceLength = std::max(SequenceLength, Segment.StartPos + Segment.GetLength());
		}
	}
	return Fields.IsOk();
}
