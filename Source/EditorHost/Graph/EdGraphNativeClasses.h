#pragma once

class FClassDatabase;

/** Binds UEdGraph, UEdGraphNode and the node classes with a C++ type of their own to their engine classes. */
void BindEdGraphNativeClasses(FClassDatabase& Database);
