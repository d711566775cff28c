#include "Render/GlResources.h"

#include <epoxy/gl.h>

void DeleteGlObject(EGlObjectKind Kind, uint32_t Id)
{
	if (Id == 0)
	{
		return;
	}
	switch (Kind)
	{
	case EGlObjectKind::Buffer:
		glDeleteBuffers(1, &Id);
		break;
	case EGlObjectKind::Texture:
		glDeleteTextures(1, &Id);
		break;
	case EGlObjectKind::Framebuffer:
		glDeleteFramebuffers(1, &Id);
		break;
	case EGlObjectKind::VertexArray:
		glDeleteVertexArrays(1, &Id);
		break;
	case EGlObjectKind::Program:
		glDeleteProgram(Id);
		break;
	}
}
