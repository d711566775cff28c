#pragma once

#include <cstdint>
#include <vector>

/**
 * Writes a PNG without compression (zlib stored blocks), enough for tests to make
 * 8- and 16-bit files of every colour type stb reads. Samples are given as the
 * image rows hold them (16-bit samples big-endian, as PNG stores them).
 */
std::vector<uint8_t> WriteTestPng(uint32_t Width, uint32_t Height, uint8_t BitDepth, uint8_t ColourType, const std::vector<uint8_t>& Samples);
