#pragma once

class FClassDatabase;

/** Binds the texture types (Texture, Texture2D, TextureCube, TextureRenderTarget2D) to their engine classes. */
void BindTextureNativeClasses(FClassDatabase& Database);
