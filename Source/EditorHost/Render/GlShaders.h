#pragma once

#include "Render/GlResources.h"

#include <optional>
#include <string>
#include <string_view>

/** Compiles a vertex and a fragment shader and links them; nullopt with the compiler's or linker's log in OutError. */
std::optional<FGlProgram> LinkGlProgram(std::string_view VertexSource, std::string_view FragmentSource, std::string& OutError);
