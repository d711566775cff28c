#pragma once

#include <cstdint>
#include <variant>
#include <vector>

/**
 * A level of detail's index buffer, kept 16 bits wide when the indices came that way
 * and fit, 32 bits otherwise, as the editor's FMultiSizeIndexContainer.
 */
class FMultiSizeIndexContainer
{
public:
	FMultiSizeIndexContainer() = default;
	/** Stores the indices 16 bits wide when asked and every index fits, else 32 bits wide. */
	FMultiSizeIndexContainer(const std::vector<uint32_t>& Indices, bool bPrefer16Bit);

	/** 2 or 4: the width of a stored index in bytes. */
	uint8_t GetDataTypeSize() const { return std::holds_alternative<std::vector<uint16_t>>(Storage) ? 2 : 4; }
	std::size_t Num() const;
	uint32_t Get(std::size_t Index) const;
	/** Every index widened to 32 bits, whatever the stored width. */
	std::vector<uint32_t> GetIndexBuffer() const;

private:
	std::variant<std::vector<uint16_t>, std::vector<uint32_t>> Storage;
};
