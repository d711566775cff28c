#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class UTextureRenderTarget2D;

/** A JPEG of 8-bit BGRA pixels; nullopt when no wrapper could be made or it refused the pixels. */
std::optional<std::vector<uint8_t>> EncodeBgraJpeg(const uint8_t* Pixels, int64_t ByteCount, int32_t Width, int32_t Height, int32_t Quality);

/** "data:image/jpeg;base64," and the base64 of the JPEG bytes. */
std::string MakeJpegDataUrl(const std::vector<uint8_t>& Jpeg);

/**
 * The transient render target the connector's off-screen pictures draw into. Transient objects
 * live until the editor collects garbage, which it does not do between requests, so one target
 * is made and reused at each request's size rather than one left behind per request.
 */
UTextureRenderTarget2D* GetReusedRenderTarget();
