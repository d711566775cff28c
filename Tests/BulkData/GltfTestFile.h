#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

/**
 * Writes small glTF files for tests: values go into one buffer, embedded as a
 * base64 data URI, each with its own buffer view and accessor; the test writes the
 * rest of the JSON (nodes, meshes, skins, animations).
 */
class FGltfTestFile
{
public:
	int AddFloats(const std::vector<float>& Values, std::string_view Type);
	int AddUnsignedBytes(const std::vector<uint8_t>& Values, std::string_view Type);
	int AddUnsignedShorts(const std::vector<uint16_t>& Values, std::string_view Type);
	int AddUnsignedInts(const std::vector<uint32_t>& Values, std::string_view Type);
	/** Adds a hand-written accessor (for broken ones); returns its index. */
	int AddAccessorJson(std::string Json);
	/** Declares the buffer this many bytes longer than the data it holds. */
	void ClaimExtraBufferBytes(std::size_t Bytes) { ExtraClaimedBytes = Bytes; }

	/** The whole file; Members are the top-level JSON members the test adds, e.g. "\"nodes\":[...]". */
	std::string Json(std::string_view Members) const;
	std::vector<uint8_t> Bytes(std::string_view Members) const;
	/** The buffer bytes alone, for tests that store them in a separate file. */
	const std::vector<uint8_t>& BufferBytes() const { return Buffer; }

private:
	int AddAccessor(const void* Data, std::size_t NumBytes, int ComponentType, std::size_t Count, std::string_view Type);

	std::vector<uint8_t> Buffer;
	std::vector<std::string> BufferViews;
	std::vector<std::string> Accessors;
	std::size_t ExtraClaimedBytes = 0;
};
