#include "Meshes/MultiSizeIndexContainer.h"

#include <algorithm>
#include <limits>

FMultiSizeIndexContainer::FMultiSizeIndexContainer(const std::vector<uint32_t>& Indices, bool bPrefer16Bit)
{
	const bool bFits16 = std::all_of(Indices.begin(), Indices.end(), [](uint32_t Index) { return Index <= std::numeric_limits<uint16_t>::max(); });
	if (bPrefer16Bit && bFits16)
	{
		Storage = std::vector<uint16_t>(Indices.begin(), Indices.end());
	}
	else
	{
		Storage = Indices;
	}
}

std::size_t FMultiSizeIndexContainer::Num() const
{
	return std::visit([](const auto& Indices) { return Indices.size(); }, Storage);
}

uint32_t FMultiSizeIndexContainer::Get(std::size_t Index) const
{
	return std::visit([Index](const auto& Indices) { return static_cast<uint32_t>(Indices[Index]); }, Storage);
}

std::vector<uint32_t> FMultiSizeIndexContainer::GetIndexBuffer() const
{
	return std::visit([](const auto& Indices) { return std::vector<uint32_t>(Indices.begin(), Indices.end()); }, Storage);
}
