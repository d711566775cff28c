#pragma once

class FClassDatabase;

/** Binds the rig types (Control Rig Blueprints and instances, hierarchies, rig graphs and their controllers, shape libraries) to their engine classes. */
void BindControlRigNativeClasses(FClassDatabase& Database);
