#pragma once

class FClassDatabase;

/** Binds the rig graph model's C++ types (graph, nodes, pins, links, controller) to their engine classes. */
void BindRigVMNativeClasses(FClassDatabase& Database);
