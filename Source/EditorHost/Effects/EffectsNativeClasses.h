#pragma once

class FClassDatabase;

/** Binds the Niagara asset types to their engine classes. */
void BindEffectsNativeClasses(FClassDatabase& Database);
