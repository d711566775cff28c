#pragma once

class FClassDatabase;

/** Binds the data table and curve types to their engine classes. */
void BindDataNativeClasses(FClassDatabase& Database);
