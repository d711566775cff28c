#pragma once

#include <cstdint>
#include <utility>

/** How an OpenGL object of one kind is deleted (the functions live with the GL headers in GlResources.cpp). */
enum class EGlObjectKind : uint8_t
{
	Buffer,
	Texture,
	Framebuffer,
	VertexArray,
	Program
};

/** Deletes one GL object of the kind; 0 is ignored. */
void DeleteGlObject(EGlObjectKind Kind, uint32_t Id);

/** Owns one GL object name: deleted with the handle, moved but never copied. */
template <EGlObjectKind Kind>
class TGlHandle
{
public:
	TGlHandle() = default;
	explicit TGlHandle(uint32_t InId) : Id(InId) {}
	~TGlHandle() { DeleteGlObject(Kind, Id); }
	TGlHandle(TGlHandle&& Other) noexcept : Id(std::exchange(Other.Id, 0)) {}
	TGlHandle& operator=(TGlHandle&& Other) noexcept
	{
		if (this != &Other)
		{
			DeleteGlObject(Kind, Id);
			Id = std::exchange(Other.Id, 0);
		}
		return *this;
	}
	TGlHandle(const TGlHandle&) = delete;
	TGlHandle& operator=(const TGlHandle&) = delete;

	uint32_t Get() const { return Id; }
	explicit operator bool() const { return Id != 0; }

private:
	uint32_t Id = 0;
};

using FGlBuffer = TGlHandle<EGlObjectKind::Buffer>;
using FGlTexture = TGlHandle<EGlObjectKind::Texture>;
using FGlFramebuffer = TGlHandle<EGlObjectKind::Framebuffer>;
using FGlVertexArray = TGlHandle<EGlObjectKind::VertexArray>;
using FGlProgram = TGlHandle<EGlObjectKind::Program>;
