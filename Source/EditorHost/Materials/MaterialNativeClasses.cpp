#include "Materials/MaterialNativeClasses.h"

#include "Editor/Factories/MaterialFactoryNew.h"
#include "Materials/MaterialExpressions.h"
#include "Materials/MaterialFunction.h"
#include "Materials/MaterialGraph.h"
#include "Materials/MaterialInstance.h"
#include "Materials/MaterialShared.h"
#include "Objects/ClassDatabase.h"

void BindMaterialNativeClasses(FClassDatabase& Database)
{
	Database.BindNativeClass<UFactory>();
	Database.BindNativeClass<UMaterialFactoryNew>();

	Database.BindNativeClass<UMaterial>();
	Database.BindNativeClass<UMaterialInstance>();
	Database.BindNativeClass<UMaterialInstanceConstant>();
	Database.BindNativeClass<UMaterialInstanceDynamic>();
	Database.BindNativeClass<UMaterialFunction>();

	Database.BindNativeClass<UMaterialExpression>();
	Database.BindNativeClass<UMaterialExpressionTextureBase>();
	Database.BindNativeClass<UMaterialExpressionTextureSample>();
	Database.BindNativeClass<UMaterialExpressionTextureSampleParameter>();
	Database.BindNativeClass<UMaterialExpressionTextureObjectParameter>();
	Database.BindNativeClass<UMaterialExpressionParameter>();
	Database.BindNativeClass<UMaterialExpressionScalarParameter>();
	Database.BindNativeClass<UMaterialExpressionVectorParameter>();
	Database.BindNativeClass<UMaterialExpressionStaticBoolParameter>();
	Database.BindNativeClass<UMaterialExpressionStaticSwitchParameter>();
	Database.BindNativeClass<UMaterialExpressionCustom>();
	Database.BindNativeClass<UMaterialExpressionMaterialFunctionCall>();
	Database.BindNativeClass<UMaterialExpressionMaterialAttributeLayers>();
	Database.BindNativeClass<UMaterialExpressionNamedRerouteDeclaration>();
	Database.BindNativeClass<UMaterialExpressionNamedRerouteUsage>();
	Database.BindNativeClass<UMaterialExpressionComment>();
	Database.BindNativeClass<UMaterialExpressionReroute>();
	Database.BindNativeClass<UMaterialExpressionFunctionInput>();
	Database.BindNativeClass<UMaterialExpressionFunctionOutput>();

	Database.BindNativeClass<UMaterialGraph>();
	Database.BindNativeClass<UMaterialGraphSchema>();
	Database.BindNativeClass<UMaterialGraphNode_Base>();
	Database.BindNativeClass<UMaterialGraphNode>();
	Database.BindNativeClass<UMaterialGraphNode_Root>();
	Database.BindNativeClass<UMaterialGraphNode_Comment>();
}
