#include "Audio/WaveReader.h"

#include "Core/FileSystem.h"
#include "Core/LogHost.h"

#include <algorithm>
#include <array>
#include <string>

namespace
{
	constexpr uint16_t FormatPcm = 1;
	constexpr uint16_t FormatIeeeFloat = 3;
	constexpr uint16_t FormatExtensible = 0xFFFE;
	// The fixed tail of the KSDATAFORMAT_SUBTYPE GUIDs whose first two bytes are the format tag.
	constexpr std::array<uint8_t, 14> SubFormatTail = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

	std::optional<FWaveData> Refuse(std::string_view SourceName, const std::string& Reason)
	{
		UE_LOG(LogHost, Warning, "Refusing WAVE file '%.*s': %s", static_cast<int>(SourceName.size()), SourceName.data(), Reason.c_str());
		return std::nullopt;
	}

	uint16_t ReadUint16(const uint8_t* Bytes)
	{
		return static_cast<uint16_t>(Bytes[0] | Bytes[1] << 8);
	}

	uint32_t ReadUint32(const uint8_t* Bytes)
	{
		return uint32_t(Bytes[0]) | uint32_t(Bytes[1]) << 8 | uint32_t(Bytes[2]) << 16 | uint32_t(Bytes[3]) << 24;
	}

	bool HasId(std::span<const uint8_t> Bytes, std::string_view Id)
	{
		return Bytes.size() >= 4 && std::equal(Id.begin(), Id.end(), Bytes.begin());
	}

	/** Reads the "fmt " chunk into Wave; the reason when it is refused. */
	std::optional<std::string> ReadFormat(std::span<const uint8_t> Chunk, FWaveData& Wave)
	{
		if (Chunk.size() < 16)
		{
			return "the fmt chunk is shorter than 16 bytes";
		}
		uint16_t Tag = ReadUint16(&Chunk[0]);
		Wave.NumChannels = ReadUint16(&Chunk[2]);
		Wave.SampleRate = ReadUint32(&Chunk[4]);
		const uint16_t BlockAlign = ReadUint16(&Chunk[12]);
		Wave.BitsPerSample = ReadUint16(&Chunk[14]);
		if (Tag == FormatExtensible)
		{
			if (Chunk.size() < 40 || ReadUint16(&Chunk[16]) < 22 || !std::equal(SubFormatTail.begin(), SubFormatTail.end(), Chunk.begin() + 26))
			{
				return "the extensible fmt chunk is malformed";
			}
			Tag = ReadUint16(&Chunk[24]);
		}
		if (Tag != FormatPcm && Tag != FormatIeeeFloat)
		{
			return "sample format " + std::to_string(Tag) + " is neither PCM nor IEEE float";
		}
		Wave.SampleFormat = Tag == FormatPcm ? EWaveSampleFormat::PcmInteger : EWaveSampleFormat::IeeeFloat;
		const uint16_t Bits = Wave.BitsPerSample;
		const bool bKnownWidth = Tag == FormatPcm ? (Bits == 8 || Bits == 16 || Bits == 24 || Bits == 32) : (Bits == 32 || Bits == 64);
		if (!bKnownWidth)
		{
			return std::to_string(Bits) + "-bit samples are not read for this format";
		}
		if (Wave.NumChannels == 0 || Wave.SampleRate == 0)
		{
			return "zero channels or a zero sample rate";
		}
		if (BlockAlign != Wave.GetBlockAlign())
		{
			return "block align " + std::to_string(BlockAlign) + " does not match " + std::to_string(Wave.NumChannels) + " channels of " + std::to_string(Bits) + " bits";
		}
		return std::nullopt;
	}
}

std::optional<FWaveData> ParseWave(std::span<const uint8_t> Bytes, std::string_view SourceName)
{
	if (Bytes.size() < 12 || !HasId(Bytes, "RIFF") || !HasId(Bytes.subspan(8), "WAVE"))
	{
		return Refuse(SourceName, "not a RIFF/WAVE file");
	}
	const uint32_t RiffSize = ReadUint32(&Bytes[4]);
	if (RiffSize < 4 || RiffSize > Bytes.size() - 8)
	{
		return Refuse(SourceName, "the RIFF size runs past the end of the file");
	}
	std::span<const uint8_t> Rest = Bytes.subspan(12, RiffSize - 4);
	FWaveData Wave;
	bool bHaveFormat = false;
	bool bHaveData = false;
	while (!Rest.empty())
	{
		if (Rest.size() < 8)
		{
			return Refuse(SourceName, "a chunk header is cut short");
		}
		const std::string Id(reinterpret_cast<const char*>(Rest.data()), 4);
		const uint32_t Size = ReadUint32(&Rest[4]);
		if (Size > Rest.size() - 8)
		{
			return Refuse(SourceName, "chunk '" + Id + "' runs past the end of the file");
		}
		const std::span<const uint8_t> Chunk = Rest.subspan(8, Size);
		if (Id == "fmt ")
		{
			if (bHaveFormat)
			{
				return Refuse(SourceName, "the file has two fmt chunks");
			}
			if (std::optional<std::string> Reason = ReadFormat(Chunk, Wave))
			{
				return Refuse(SourceName, *Reason);
			}
			bHaveFormat = true;
		}
		else if (Id == "data")
		{
			if (!bHaveFormat || bHaveData)
			{
				return Refuse(SourceName, "the data chunk comes before the fmt chunk or twice");
			}
			if (Chunk.size() % Wave.GetBlockAlign() != 0)
			{
				return Refuse(SourceName, "the data chunk is not a whole number of frames");
			}
			Wave.SampleData.assign(Chunk.begin(), Chunk.end());
			Wave.NumFrames = static_cast<uint32_t>(Chunk.size() / Wave.GetBlockAlign());
			bHaveData = true;
		}
		// Chunks are padded to an even size; a missing pad byte at the very end is tolerated.
		Rest = Rest.subspan(std::min<std::size_t>(Rest.size(), 8 + std::size_t(Size) + (Size & 1)));
	}
	if (!bHaveData)
	{
		return Refuse(SourceName, "the file has no data chunk");
	}
	return Wave;
}

std::optional<FWaveData> LoadWaveFile(std::string_view Path)
{
	const std::optional<std::vector<uint8_t>> Bytes = FFileHelper::LoadFileToBytes(Path);
	if (!Bytes)
	{
		return Refuse(Path, "the file cannot be read");
	}
	return ParseWave(*Bytes, Path);
}
