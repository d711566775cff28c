#pragma once

#include <string_view>

class UClass;
class UObject;
class UWidgetBlueprint;

/**
 * A new Widget Blueprint of BlueprintClass (WidgetBlueprint or a class below it) named Name inside
 * Outer (a package), deriving from ParentClass, which must be BaseClass or derive from it (nullptr
 * takes BaseClass): its empty widget tree, the event graph page "EventGraph", the generated class
 * and default object, as FKismetEditorUtilities::CreateBlueprint makes them. nullptr when the
 * classes do not fit.
 */
UWidgetBlueprint* CreateWidgetBlueprint(UClass* BlueprintClass, UClass* ParentClass, UClass* BaseClass, UObject* Outer, std::string_view Name);
