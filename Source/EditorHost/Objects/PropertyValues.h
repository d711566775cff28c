#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class UObject;

/**
 * The values of an object's reflected properties, as the editor exports them to text
 * (`(X=0.000000,Y=0.000000,Z=120.000000)`, `True`, `/Game/Props/SM_Log.SM_Log`). A property is
 * one its class (or a super class) declares; an object answers the value set on it, else the
 * class default. Values are kept beside the object for as long as it lives, so objects whose
 * C++ type does not model a property (component templates, default objects) still hold it.
 */

/** The property's value on Object, else the class default's; nothing when the class has no such property. */
std::optional<std::string> GetPropertyValueText(const UObject& Object, std::string_view PropertyName);

/**
 * Sets the property's value on Object; false when the class has no such property. Setting the
 * class default's value removes the object's own value, so only real changes are listed.
 */
bool SetPropertyValueText(UObject& Object, std::string_view PropertyName, std::string_view ValueText);

/** Forgets the value set on Object, so the class default applies again. */
void ResetPropertyValue(UObject& Object, std::string_view PropertyName);

/** The values set on Object that differ from the class defaults, as name and value, in the order they were first set. */
std::vector<std::pair<std::string, std::string>> GetChangedPropertyValues(const UObject& Object);
