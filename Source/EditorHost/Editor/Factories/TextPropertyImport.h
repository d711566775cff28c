#pragma once

#include "Objects/ObjectTextImport.h"

class UObject;

/**
 * Sets the reflected property a copy-paste line names on Object: `Name=Value` through the
 * property's text import (a structure text changes only the members it names), `Name(Index)=Value`
 * as one element of an array property (the next element, or one that is there already). False
 * when the class has no such property, or, with a warning, when the value is not one of it.
 */
bool ImportReflectedPropertyLine(UObject& Object, const FObjectTextLine& Line, FObjectTextImportContext& Context);
