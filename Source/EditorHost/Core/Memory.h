#pragma once

#include <string>

/**
 * The process's memory allocator. The host links mimalloc to serve malloc and new, as the editor
 * brings its own binned allocator: graphs, copy-paste documents and JSON trees are made of many
 * small blocks. Builds with sanitizers keep the system allocator, so the sanitizers see every block.
 */
namespace FMemory
{
	/** The allocator's name and version, for the start-up log: "mimalloc 2.0.9" or "system". */
	std::string GetAllocatorName();
}
