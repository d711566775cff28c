#pragma once

class FClassDatabase;

/** Binds UEdGraph and UEdGraphNode to their engine classes. */
void BindEdGraphNativeClasses(FClassDatabase& Database);
