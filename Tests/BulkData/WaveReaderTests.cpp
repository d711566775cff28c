#include "Audio/WaveReader.h"
#include "Core/Log.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string_view>

namespace
{
	void PutUint16(std::vector<uint8_t>& Out, uint16_t Value)
	{
		Out.push_back(static_cast<uint8_t>(Value));
		Out.push_back(static_cast<uint8_t>(Value >> 8));
	}

	void PutUint32(std::vector<uint8_t>& Out, uint32_t Value)
	{
		PutUint16(Out, static_cast<uint16_t>(Value));
		PutUint16(Out, static_cast<uint16_t>(Value >> 16));
	}

	void PutChunk(std::vector<uint8_t>& Out, std::string_view Id, const std::vector<uint8_t>& Data)
	{
		Out.insert(Out.end(), Id.begin(), Id.end());
		PutUint32(Out, static_cast<uint32_t>(Data.size()));
		Out.insert(Out.end(), Data.begin(), Data.end());
		if (Data.size() % 2 == 1)
		{
			Out.push_back(0);
		}
	}

	std::vector<uint8_t> Format(uint16_t Tag, uint16_t Channels, uint32_t Rate, uint16_t Bits, uint16_t BlockAlign)
	{
		std::vector<uint8_t> Fmt;
		PutUint16(Fmt, Tag);
		PutUint16(Fmt, Channels);
		PutUint32(Fmt, Rate);
		PutUint32(Fmt, Rate * BlockAlign);
		PutUint16(Fmt, BlockAlign);
		PutUint16(Fmt, Bits);
		return Fmt;
	}

	/** A RIFF/WAVE file of the given chunks (each written with its header and pad byte). */
	std::vector<uint8_t> Riff(const std::vector<std::pair<std::string_view, std::vector<uint8_t>>>& Chunks)
	{
		std::vector<uint8_t> Body = {'W', 'A', 'V', 'E'};
		for (const auto& [Id, Data] : Chunks)
		{
			PutChunk(Body, Id, Data);
		}
		std::vector<uint8_t> File = {'R', 'I', 'F', 'F'};
		PutUint32(File, static_cast<uint32_t>(Body.size()));
		File.insert(File.end(), Body.begin(), Body.end());
		return File;
	}

	class WaveReaderTest : public testing::Test
	{
	protected:
		void SetUp() override { FLog::SetStderrEnabled(false); }
		void TearDown() override { FLog::SetStderrEnabled(true); }

		std::string RefusalOf(const std::vector<uint8_t>& Bytes)
		{
			Capture.Clear();
			EXPECT_FALSE(ParseWave(Bytes, "Bad.wav"));
			const std::vector<std::string> Lines = Capture.Messages("LogHost");
			return Lines.empty() ? "" : Lines.front();
		}

		FLogCapture Capture;
	};
}

TEST_F(WaveReaderTest, SixteenBitStereoPcm)
{
	std::vector<uint8_t> Samples;
	for (const int16_t Sample : {int16_t(0), int16_t(-32768), int16_t(16384), int16_t(32767)})
	{
		PutUint16(Samples, static_cast<uint16_t>(Sample));
	}
	const std::optional<FWaveData> Wave = ParseWave(Riff({{"fmt ", Format(1, 2, 4, 16, 4)}, {"LIST", {1, 2, 3}}, {"data", Samples}}), "Stereo.wav");
	ASSERT_TRUE(Wave);
	EXPECT_EQ(Wave->NumChannels, 2);
	EXPECT_EQ(Wave->SampleRate, 4u);
	EXPECT_EQ(Wave->SampleFormat, EWaveSampleFormat::PcmInteger);
	EXPECT_EQ(Wave->NumFrames, 2u);
	EXPECT_DOUBLE_EQ(Wave->GetDuration(), 0.5);
	EXPECT_FLOAT_EQ(Wave->GetSample(0, 1), -1.0f);
	EXPECT_FLOAT_EQ(Wave->GetSample(1, 0), 0.5f);
}

TEST_F(WaveReaderTest, FloatMonoAndExtensibleAndTwentyFourBitSamples)
{
	std::vector<uint8_t> Floats(8);
	const float Values[2] = {0.25f, -0.75f};
	std::memcpy(Floats.data(), Values, 8);
	const std::optional<FWaveData> Mono = ParseWave(Riff({{"fmt ", Format(3, 1, 48000, 32, 4)}, {"data", Floats}}), "Mono.wav");
	ASSERT_TRUE(Mono);
	EXPECT_EQ(Mono->SampleFormat, EWaveSampleFormat::IeeeFloat);
	EXPECT_FLOAT_EQ(Mono->GetSample(1, 0), -0.75f);

	std::vector<uint8_t> Extensible = Format(0xFFFE, 1, 8000, 24, 3);
	PutUint16(Extensible, 22);
	PutUint16(Extensible, 24);
	PutUint32(Extensible, 4);
	Extensible.insert(Extensible.end(), {1, 0, 0, 0, 0, 0, 0x10, 0, 0x80, 0, 0, 0xAA, 0, 0x38, 0x9B, 0x71});
	const std::optional<FWaveData> Deep = ParseWave(Riff({{"fmt ", Extensible}, {"data", {0x00, 0x00, 0x80, 0xFF, 0xFF, 0x7F, 0, 0, 0}}}), "Deep.wav");
	ASSERT_TRUE(Deep);
	EXPECT_EQ(Deep->NumFrames, 3u);
	EXPECT_FLOAT_EQ(Deep->GetSample(0, 0), -1.0f);
	EXPECT_NEAR(Deep->GetSample(1, 0), 1.0f, 1e-6f);

	const std::optional<FWaveData> Bytes = ParseWave(Riff({{"fmt ", Format(1, 1, 8000, 8, 1)}, {"data", {0, 128, 255}}}), "Bytes.wav");
	ASSERT_TRUE(Bytes);
	EXPECT_FLOAT_EQ(Bytes->GetSample(0, 0), -1.0f);
	EXPECT_FLOAT_EQ(Bytes->GetSample(1, 0), 0.0f);
}

TEST_F(WaveReaderTest, MalformedFilesAreRefusedWithTheirReason)
{
	const std::vector<uint8_t> Data(4);
	EXPECT_EQ(RefusalOf(Riff({{"fmt ", Format(1, 0, 8000, 16, 0)}, {"data", Data}})), "Refusing WAVE file 'Bad.wav': zero channels or a zero sample rate");
	EXPECT_EQ(RefusalOf(Riff({{"fmt ", Format(1, 1, 0, 16, 2)}, {"data", Data}})), "Refusing WAVE file 'Bad.wav': zero channels or a zero sample rate");
	EXPECT_EQ(RefusalOf(Riff({{"fmt ", Format(1, 2, 8000, 16, 3)}, {"data", Data}})), "Refusing WAVE file 'Bad.wav': block align 3 does not match 2 channels of 16 bits");
	EXPECT_EQ(RefusalOf(Riff({{"fmt ", Format(1, 1, 8000, 12, 2)}, {"data", Data}})), "Refusing WAVE file 'Bad.wav': 12-bit samples are not read for this format");
	EXPECT_EQ(RefusalOf(Riff({{"data", Data}, {"fmt ", Format(1, 1, 8000, 16, 2)}})), "Refusing WAVE file 'Bad.wav': the data chunk comes before the fmt chunk or twice");
	EXPECT_EQ(RefusalOf(Riff({{"fmt ", Format(1, 1, 8000, 16, 2)}})), "Refusing WAVE file 'Bad.wav': the file has no data chunk");
	EXPECT_EQ(RefusalOf(Riff({{"fmt ", Format(1, 2, 8000, 16, 4)}, {"data", {1, 2, 3, 4, 5, 6}}})), "Refusing WAVE file 'Bad.wav': the data chunk is not a whole number of frames");

	std::vector<uint8_t> PastTheEnd = Riff({{"fmt ", Format(1, 1, 8000, 16, 2)}, {"data", Data}});
	PastTheEnd[PastTheEnd.size() - 8] = 0x40;
	EXPECT_EQ(RefusalOf(PastTheEnd), "Refusing WAVE file 'Bad.wav': chunk 'data' runs past the end of the file");
	const std::vector<uint8_t> Good = Riff({{"fmt ", Format(1, 1, 8000, 16, 2)}, {"data", Data}});
	for (std::size_t Length = 0; Length + 1 < Good.size(); ++Length)
	{
		EXPECT_NE(RefusalOf(std::vector<uint8_t>(Good.begin(), Good.begin() + Length)), "") << Length;
	}
}
