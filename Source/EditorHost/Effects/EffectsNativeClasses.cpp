#include "Effects/EffectsNativeClasses.h"

#include "Effects/NiagaraEmitter.h"
#include "Effects/NiagaraSystem.h"
#include "Objects/ClassDatabase.h"

void BindEffectsNativeClasses(FClassDatabase& Database)
{
	Database.BindNativeClass<UNiagaraSystem>();
	Database.BindNativeClass<UNiagaraEmitter>();
}
