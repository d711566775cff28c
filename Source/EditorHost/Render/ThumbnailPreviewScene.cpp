#include "Render/ThumbnailHelpers.h"

#include "Render/SceneView.h"
#include "Render/ViewMatrices.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>

namespace
{
	/** The thumbnail camera's field of view in degrees. */
	constexpr float ThumbnailFOVDegrees = 30.0f;
	/** The camera never comes closer than this (centimetres), so tiny assets still show. */
	constexpr float MinCameraDistance = 48.0f;
	constexpr float ThumbnailNearPlane = 1.0f;

	FPreviewScene::ConstructionValues ThumbnailSceneValues()
	{
		return FPreviewScene::ConstructionValues().SetLightRotation(FRotator{304.736, 39.84, 0.0}).SetLightBrightness(1.0f).SetSkyBrightness(1.0f);
	}
}

FThumbnailPreviewScene::FThumbnailPreviewScene() : FPreviewScene(ThumbnailSceneValues())
{
	// The key light from the camera's side and a light from above, beside the dim main light.
	FDirectionalLight Key;
	Key.Rotation = FRotator{-40.0, -144.678, 0.0};
	Scene.GetDirectionalLights().push_back(Key);
	FDirectionalLight Top;
	Top.Rotation = FRotator{299.235, 144.993, 0.0};
	Scene.GetDirectionalLights().push_back(Top);
}

FSceneView* FThumbnailPreviewScene::CreateView(FSceneViewFamily* ViewFamily, int32_t X, int32_t Y, uint32_t SizeX, uint32_t SizeY) const
{
	if (ViewFamily == nullptr)
	{
		return nullptr;
	}
	const auto Clamp = [](int64_t Value) { return static_cast<int32_t>(std::clamp<int64_t>(Value, 0, INT32_MAX)); };
	const FIntRect Rect{{Clamp(X), Clamp(Y)}, {Clamp(int64_t{X} + SizeX), Clamp(int64_t{Y} + SizeY)}};
	if (Rect.Width() <= 0 || Rect.Height() <= 0)
	{
		return nullptr;
	}
	FVector Origin;
	float OrbitPitch = 0.0f;
	float OrbitYaw = 0.0f;
	float OrbitZoom = 0.0f;
	GetViewMatrixParameters(ThumbnailFOVDegrees, Origin, OrbitPitch, OrbitYaw, OrbitZoom);
	OrbitZoom = std::max(MinCameraDistance, std::isfinite(OrbitZoom) ? OrbitZoom : MinCameraDistance);

	// The camera starts on -Y of the point looked at, is raised by -pitch (about X) and turned by yaw (about Z).
	const double Pitch = static_cast<double>(OrbitPitch) * std::numbers::pi / 180.0;
	const double Yaw = static_cast<double>(OrbitYaw) * std::numbers::pi / 180.0;
	const double Horizontal = -static_cast<double>(OrbitZoom) * std::cos(Pitch);
	const FVector Offset{Horizontal * std::sin(Yaw), Horizontal * std::cos(Yaw), -static_cast<double>(OrbitZoom) * std::sin(Pitch)};
	const FVector Target = -Origin;

	auto View = std::make_unique<FSceneView>();
	View->UnscaledViewRect = Rect;
	View->ViewLocation = Target + Offset;
	View->ViewRotation = MakeLookAtRotation(View->ViewLocation, Target);
	View->FOV = ThumbnailFOVDegrees;
	View->NearClippingDistance = ThumbnailNearPlane;
	View->BackgroundColor = FLinearColor{0.0f, 0.0f, 0.0f, 1.0f};
	return ViewFamily->AddView(std::move(View));
}
