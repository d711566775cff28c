#pragma once

#include "Imaging/Image.h"

#include <optional>
#include <string_view>

/** Writes the LogHost Warning for an image file that is refused and answers nothing. */
std::optional<FImage> RefuseImage(std::string_view SourceName, std::string_view Reason);
