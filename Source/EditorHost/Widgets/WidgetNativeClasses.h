#pragma once

class FClassDatabase;

/** Binds the widget types, the widget tree and animation, Widget Blueprints and their factories to their engine classes. */
void BindWidgetNativeClasses(FClassDatabase& Database);
