#pragma once

#include "Render/ObjectThumbnail.h"

#include <cstdint>

class UObject;

namespace ThumbnailTools
{
	/** The edge of the thumbnails the editor renders and saves with assets. */
	inline constexpr int32_t DefaultThumbnailSize = 256;

	/**
	 * Renders the object's thumbnail at DefaultThumbnailSize into OutThumbnail. Materials and
	 * material instances are drawn on the preview sphere; for other objects, and when rendering
	 * fails, OutThumbnail is left empty (with a Warning for a failed render).
	 */
	void GenerateThumbnailForObjectToSaveToDisk(UObject* InObject, FObjectThumbnail& OutThumbnail);
}
