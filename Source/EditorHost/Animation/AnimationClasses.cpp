#include "Animation/AnimationClasses.h"

#include "Animation/AnimMontage.h"
#include "Animation/AnimNotifies.h"
#include "Animation/AnimSequence.h"
#include "Animation/BlendSpace.h"
#include "Animation/Skeleton.h"
#include "Meshes/SkeletalMesh.h"
#include "Objects/ClassDatabase.h"

void BindAnimationClasses(FClassDatabase& Database)
{
	Database.BindNativeClass<USkeleton>();
	Database.BindNativeClass<USkeletalMesh>();
	Database.BindNativeClass<UMorphTarget>();
	Database.BindNativeClass<UAnimNotify>();
	Database.BindNativeClass<UAnimNotifyState>();
	Database.BindNativeClass<UAnimationAsset>();
	Database.BindNativeClass<UAnimSequenceBase>();
	Database.BindNativeClass<UAnimSequence>();
	Database.BindNativeClass<UAnimCompositeBase>();
	Database.BindNativeClass<UAnimMontage>();
	Database.BindNativeClass<UBlendSpace>();
	Database.BindNativeClass<UBlendSpace1D>();
}
