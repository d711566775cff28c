#include "Render/SceneView.h"

float GNearClippingPlane = 10.0f;

FSceneViewFamily::ConstructionValues::ConstructionValues(FRenderTarget* InRenderTarget, FSceneInterface* InScene, const FEngineShowFlags& InEngineShowFlags)
	: RenderTarget(InRenderTarget), Scene(InScene), EngineShowFlags(InEngineShowFlags)
{
}

FSceneViewFamily::FSceneViewFamily(const ConstructionValues& CVS)
	: RenderTarget(CVS.RenderTarget), Scene(CVS.Scene), EngineShowFlags(CVS.EngineShowFlags), bRealtimeUpdate(CVS.bRealtimeUpdate), Time(CVS.Time)
{
}

FSceneView* FSceneViewFamily::AddView(std::unique_ptr<FSceneView> View)
{
	View->Family = this;
	Views.push_back(View.get());
	OwnedViews.push_back(std::move(View));
	return OwnedViews.back().get();
}
