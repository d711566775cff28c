#include "Level/LevelNativeClasses.h"

#include "Level/Actor.h"
#include "Level/ActorComponent.h"
#include "Level/CineCameraActor.h"
#include "Level/CineCameraComponent.h"
#include "Level/Level.h"
#include "Level/MeshComponent.h"
#include "Level/PointLightComponent.h"
#include "Level/PoseableMeshComponent.h"
#include "Level/PrimitiveComponent.h"
#include "Level/SceneComponent.h"
#include "Level/StaticMeshComponent.h"
#include "Level/World.h"
#include "Objects/ClassDatabase.h"

void BindLevelNativeClasses(FClassDatabase& Database)
{
	Database.BindNativeClass<UWorld>();
	Database.BindNativeClass<ULevel>();
	Database.BindNativeClass<AActor>();
	Database.BindNativeClass<ACineCameraActor>();
	Database.BindNativeClass<UActorComponent>();
	Database.BindNativeClass<USceneComponent>();
	Database.BindNativeClass<UCineCameraComponent>();
	Database.BindNativeClass<UPrimitiveComponent>();
	Database.BindNativeClass<UMeshComponent>();
	Database.BindNativeClass<UStaticMeshComponent>();
	Database.BindNativeClass<UPoseableMeshComponent>();
	Database.BindNativeClass<UPointLightComponent>();
}
