#include "Render/PreviewScene.h"

FPreviewScene::FPreviewScene() : FPreviewScene(ConstructionValues())
{
}

FPreviewScene::FPreviewScene(const ConstructionValues& CVS)
{
	FDirectionalLight Light;
	Light.Rotation = CVS.LightRotation;
	Light.Intensity = CVS.LightBrightness;
	Scene.GetDirectionalLights().push_back(Light);
	Scene.GetSkyLight().Intensity = CVS.SkyBrightness;
}
