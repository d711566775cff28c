#include "BulkData/PngTestWriter.h"

#include <string_view>

namespace
{
	uint32_t Crc32(const uint8_t* Data, std::size_t Size, uint32_t Crc = 0)
	{
		Crc = ~Crc;
		for (std::size_t Index = 0; Index < Size; ++Index)
		{
			Crc ^= Data[Index];
			for (int Bit = 0; Bit < 8; ++Bit)
			{
				Crc = (Crc >> 1) ^ (0xEDB88320u & (0u - (Crc & 1u)));
			}
		}
		return ~Crc;
	}

	void PutUint32(std::vector<uint8_t>& Out, uint32_t Value)
	{
		for (int Shift = 24; Shift >= 0; Shift -= 8)
		{
			Out.push_back(static_cast<uint8_t>(Value >> Shift));
		}
	}

	void PutChunk(std::vector<uint8_t>& Out, std::string_view Type, const std::vector<uint8_t>& Data)
	{
		PutUint32(Out, static_cast<uint32_t>(Data.size()));
		const std::size_t TypeAt = Out.size();
		Out.insert(Out.end(), Type.begin(), Type.end());
		Out.insert(Out.end(), Data.begin(), Data.end());
		PutUint32(Out, Crc32(Out.data() + TypeAt, Out.size() - TypeAt));
	}

	std::vector<uint8_t> ZlibStored(const std::vector<uint8_t>& Raw)
	{
		std::vector<uint8_t> Out = {0x78, 0x01};
		std::size_t At = 0;
		do
		{
			const std::size_t Length = std::min<std::size_t>(Raw.size() - At, 65535);
			Out.push_back(At + Length == Raw.size() ? 1 : 0);
			Out.push_back(static_cast<uint8_t>(Length));
			Out.push_back(static_cast<uint8_t>(Length >> 8));
			Out.push_back(static_cast<uint8_t>(~Length));
			Out.push_back(static_cast<uint8_t>(~Length >> 8));
			Out.insert(Out.end(), Raw.begin() + At, Raw.begin() + At + Length);
			At += Length;
		} while (At < Raw.size());
		uint32_t A = 1;
		uint32_t B = 0;
		for (const uint8_t Byte : Raw)
		{
			A = (A + Byte) % 65521;
			B = (B + A) % 65521;
		}
		PutUint32(Out, B << 16 | A);
		return Out;
	}
}

std::vector<uint8_t> WriteTestPng(uint32_t Width, uint32_t Height, uint8_t BitDepth, uint8_t ColourType, const std::vector<uint8_t>& Samples)
{
	const std::size_t RowBytes = Samples.size() / Height;
	std::vector<uint8_t> Raw;
	for (uint32_t Row = 0; Row < Height; ++Row)
	{
		Raw.push_back(0);
		Raw.insert(Raw.end(), Samples.begin() + Row * RowBytes, Samples.begin() + (Row + 1) * RowBytes);
	}
	std::vector<uint8_t> Png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
	std::vector<uint8_t> Header;
	PutUint32(Header, Width);
	PutUint32(Header, Height);
	Header.insert(Header.end(), {BitDepth, ColourType, 0, 0, 0});
	PutChunk(Png, "IHDR", Header);
	PutChunk(Png, "IDAT", ZlibStored(Raw));
	PutChunk(Png, "IEND", {});
	return Png;
}
