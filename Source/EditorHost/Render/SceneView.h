#pragma once

#include "Core/Color.h"
#include "Level/Rotator.h"
#include "Meshes/MeshVector.h"
#include "Render/GameTime.h"
#include "Render/RenderCore.h"
#include "Render/ShowFlags.h"

#include <memory>
#include <vector>

class FRenderTarget;
class FSceneInterface;
class FSceneViewFamily;

/** The engine's near clipping plane in centimetres, as the editor's global of that name. */
extern float GNearClippingPlane;

/**
 * One perspective view of a scene into a rectangle of its family's render target. The camera
 * sits at ViewLocation looking along ViewRotation's X axis (the editor's axes: Z up).
 */
class FSceneView
{
public:
	const FSceneViewFamily* Family = nullptr;
	FIntRect UnscaledViewRect;
	FVector ViewLocation;
	FRotator ViewRotation;
	/** Horizontal field of view in degrees. */
	float FOV = 90.0f;
	/** Distance to the near clipping plane in centimetres. */
	float NearClippingDistance = 1.0f;
	/** What pixels that no primitive covers show; alpha 0 keeps what the target already holds. */
	FLinearColor BackgroundColor{0.0f, 0.0f, 0.0f, 0.0f};
};

/** A set of views rendered together into one render target, with one scene, time and show flags. */
class FSceneViewFamily
{
public:
	/** What a family is made from, as the editor's FSceneViewFamily::ConstructionValues. */
	struct ConstructionValues
	{
		ConstructionValues(FRenderTarget* InRenderTarget, FSceneInterface* InScene, const FEngineShowFlags& InEngineShowFlags);

		ConstructionValues& SetTime(const FGameTime& InTime)
		{
			Time = InTime;
			return *this;
		}
		ConstructionValues& SetRealtimeUpdate(bool bValue)
		{
			bRealtimeUpdate = bValue;
			return *this;
		}

		FRenderTarget* RenderTarget = nullptr;
		FSceneInterface* Scene = nullptr;
		FEngineShowFlags EngineShowFlags;
		FGameTime Time;
		bool bRealtimeUpdate = false;
	};

	explicit FSceneViewFamily(const ConstructionValues& CVS);
	virtual ~FSceneViewFamily() = default;
	FSceneViewFamily(const FSceneViewFamily&) = delete;
	FSceneViewFamily& operator=(const FSceneViewFamily&) = delete;

	const FGameTime& GetTime() const { return Time; }
	/** Adds a view that the family owns from now on (it is also listed in Views); returns it. */
	FSceneView* AddView(std::unique_ptr<FSceneView> View);
	ERHIFeatureLevel::Type GetFeatureLevel() const { return GMaxRHIFeatureLevel; }

	std::vector<const FSceneView*> Views;
	FRenderTarget* RenderTarget = nullptr;
	FSceneInterface* Scene = nullptr;
	FEngineShowFlags EngineShowFlags;
	bool bRealtimeUpdate = false;

private:
	FGameTime Time;
	std::vector<std::unique_ptr<FSceneView>> OwnedViews;
};

/** The view family a frame is rendered with, as the editor's FSceneViewFamilyContext; its views go with it. */
class FSceneViewFamilyContext : public FSceneViewFamily
{
public:
	explicit FSceneViewFamilyContext(const ConstructionValues& CVS) : FSceneViewFamily(CVS) {}
};
