#include "Animation/AnimationClasses.h"
#include "Audio/AudioNativeClasses.h"
#include "Blueprints/BlueprintNativeClasses.h"
#include "ControlRig/ControlRigNativeClasses.h"
#include "Data/DataNativeClasses.h"
#include "Effects/EffectsNativeClasses.h"
#include "Graph/EdGraphNativeClasses.h"
#include "Level/LevelNativeClasses.h"
#include "Materials/MaterialGraphNativeClasses.h"
#include "Materials/MaterialNativeClasses.h"
#include "Meshes/StaticMeshNativeClasses.h"
#include "Objects/ClassDatabase.h"
#include "Objects/Package.h"
#include "Textures/TextureNativeClasses.h"
#include "Widgets/WidgetNativeClasses.h"

// Every C++ type that stands for an engine class is bound here, so that an
// object loaded or created for that class (or a class derived from it that has
// no C++ type of its own) is made with that type.
void BindNativeClasses(FClassDatabase& Database)
{
	Database.BindNativeClass<UPackage>();
	BindLevelNativeClasses(Database);
	BindEffectsNativeClasses(Database);
	BindAnimationClasses(Database);
	BindAudioNativeClasses(Database);
	BindStaticMeshNativeClasses(Database);
	BindDataNativeClasses(Database);
	BindEdGraphNativeClasses(Database);
	BindBlueprintNativeClasses(Database);
	BindControlRigNativeClasses(Database);
	BindTextureNativeClasses(Database);
	BindMaterialGraphNativeClasses(Database);
	BindMaterialNativeClasses(Database);
	BindWidgetNativeClasses(Database);
}
