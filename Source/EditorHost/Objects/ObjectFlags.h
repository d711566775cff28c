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

/**
 * How UObject::Rename moves an object, with the editor's bit values. There is no undo buffer and
 * no redirector: REN_NonTransactional and REN_DontCreateRedirectors are accepted and change nothing.
 */
using ERenameFlags = uint32_t;
inline constexpr ERenameFlags REN_None = 0x0000;
/** Only checks whether the rename could happen; nothing changes. */
inline constexpr ERenameFlags REN_Test = 0x0002;
/** Leaves the packages' dirty flags alone. */
inline constexpr ERenameFlags REN_DoNotDirty = 0x0004;
inline constexpr ERenameFlags REN_DontCreateRedirectors = 0x0010;
inline constexpr ERenameFlags REN_NonTransactional = 0x0020;
