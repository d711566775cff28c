#include "Endpoints/ControlRigSnapshotMath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

TEST(ControlRigSnapshotMath, CompactVectorTextLeavesOutZeroComponents)
{
	EXPECT_EQ(ToCompactString({0.0, 0.0, 0.0}), "V(0)");
	EXPECT_EQ(ToCompactString({0.0001, -0.0001, 0.00005}), "V(0)");
	EXPECT_EQ(ToCompactString({12.345, 0.0, 5.0}), "V(X=12.35, Z=5.00)");
	EXPECT_EQ(ToCompactString({0.0, -3.0, 0.0}), "V(Y=-3.00)");
	// Past the whole-vector tolerance, small components still print unless they are within 1e-8 of zero.
	EXPECT_EQ(ToCompactString({0.0002, 0.00005, 1e-9}), "V(X=0.00, Y=0.00)");
	EXPECT_EQ(ToCompactString({1e300, 0.0, 0.0}).size(), 309u);
}

TEST(ControlRigSnapshotMath, LumaTruncatesEachPixelThenAveragesExactly)
{
	// (1 + 1 + 0) / 3 = 0 and (255 + 255 + 254) / 3 = 254: 254 / 2 overall.
	const std::vector<FColor> Pixels = {FColor{0, 1, 1, 0}, FColor{254, 255, 255, 0}};
	EXPECT_DOUBLE_EQ(MeanLuma(Pixels), 127.0);
	const std::vector<FColor> Three = {FColor{10, 20, 30, 255}, FColor{0, 0, 0, 255}, FColor{0, 0, 1, 255}};
	EXPECT_DOUBLE_EQ(MeanLuma(Three), 20.0 / 3.0);
	EXPECT_EQ(MeanLuma({}), 0.0);
}

TEST(ControlRigSnapshotMath, ViewsAreUnitDirectionsInAnswerOrder)
{
	std::vector<std::string> Names;
	for (const FRigSnapshotView& View : GetRigSnapshotViews())
	{
		Names.emplace_back(View.Name);
		EXPECT_NEAR(View.Direction.Size(), 1.0, 1e-12) << View.Name;
	}
	EXPECT_EQ(Names, (std::vector<std::string>{"front", "back", "left", "right", "top", "bottom", "persp1", "persp2"}));
	const FVector Persp1 = GetRigSnapshotViews()[6].Direction;
	EXPECT_NEAR(Persp1.Z / Persp1.X, 0.7, 1e-12);
	EXPECT_EQ(GetSafeNormal({0.0, 0.0, 0.00009}), FVector::ZeroVector());
}
