#pragma once

#include "Audio/WaveData.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

/**
 * Reads a RIFF/WAVE file: integer PCM of 8, 16, 24 or 32 bits, or IEEE float of 32
 * or 64 bits (plain or WAVE_FORMAT_EXTENSIBLE), any number of channels. Unknown
 * chunks are skipped. Refused, with a LogHost Warning naming SourceName: chunks that
 * run past the end, a missing, repeated or late "fmt " chunk, zero channels or
 * rate, a block align that does not match the channels and sample width, and data
 * that is not a whole number of frames.
 */
std::optional<FWaveData> ParseWave(std::span<const uint8_t> Bytes, std::string_view SourceName);
std::optional<FWaveData> LoadWaveFile(std::string_view Path);
