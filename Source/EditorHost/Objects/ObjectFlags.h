#pragma once

#include <cstdint>

/**
 * Object flags with the editor's bit values. Garbage is the mirrored garbage bit:
 * an object marked as garbage is still in memory until the next collection, but
 * IsValid and weak pointers treat it as gone.
 */
enum EObjectFlags : uint32_t
{
	RF_NoFlags = 0x00000000,
	RF_Public = 0x00000001,
	RF_Standalone = 0x00000002,
	RF_Transactional = 0x00000008,
	RF_Transient = 0x00000040,
	RF_MirroredGarbage = 0x40000000,
};

constexpr EObjectFlags operator|(EObjectFlags A, EObjectFlags B)
{
	return static_cast<EObjectFlags>(static_cast<uint32_t>(A) | static_cast<uint32_t>(B));
}

constexpr EObjectFlags operator&(EObjectFlags A, EObjectFlags B)
{
	return static_cast<EObjectFlags>(static_cast<uint32_t>(A) & static_cast<uint32_t>(B));
}

constexpr EObjectFlags operator~(EObjectFlags A)
{
	return static_cast<EObjectFlags>(~static_cast<uint32_t>(A));
}
