#pragma once

#include "Core/JsonObject.h"
#include "Objects/ObjectGlobals.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

/**
 * Reads the fields of an animation or skeletal asset file (or of one object nested
 * in it). Absent fields take their defaults; a field of the wrong JSON type fails the
 * read, and the first such fault is kept as the reason the asset does not load.
 */
class FAnimFieldReader
{
public:
	FAnimFieldReader(const FJsonObject& InObject, std::string& InOutError) : Object(InObject), OutError(InOutError) {}

	/** A reader of an object nested in this one that records its faults with this one's. */
	FAnimFieldReader Inner(const FJsonObject& Nested) const { return FAnimFieldReader(Nested, OutError); }

	bool IsOk() const { return OutError.empty(); }
	/** Records a fault (the first one wins) and returns false. */
	bool Fail(std::string Reason);

	double Number(std::string_view Key, double Default);
	int32_t Int(std::string_view Key, int32_t Default);
	bool Bool(std::string_view Key, bool bDefault);
	std::string String(std::string_view Key, std::string_view Default = {});
	/** The objects of an array field; an element that is not an object fails the read. */
	std::vector<std::shared_ptr<FJsonObject>> Objects(std::string_view Key);
	/** An object field, or nullptr when absent. */
	std::shared_ptr<FJsonObject> Nested(std::string_view Key);

	/**
	 * The asset an object path field names, loaded. A path that does not load leaves
	 * the reference empty with a warning, as the editor treats a missing import.
	 */
	template <typename T>
	T* Asset(std::string_view Key)
	{
		return Cast<T>(LoadReferencedAsset(Key, T::StaticClass()));
	}

private:
	const FJsonValue* Typed(std::string_view Key, EJson Type, std::string_view TypeName);
	UObject* LoadReferencedAsset(std::string_view Key, UClass* Class);

	const FJsonObject& Object;
	std::string& OutError;
};
