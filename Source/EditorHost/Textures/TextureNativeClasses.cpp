#include "Textures/TextureNativeClasses.h"

#include "Objects/ClassDatabase.h"
#include "Textures/Texture2D.h"
#include "Textures/TextureCube.h"
#include "Textures/TextureRenderTarget2D.h"

void BindTextureNativeClasses(FClassDatabase& Database)
{
	Database.BindNativeClass<UTexture>();
	Database.BindNativeClass<UTexture2D>();
	Database.BindNativeClass<UTextureCube>();
	Database.BindNativeClass<UTextureRenderTarget2D>();
}
