#pragma once

#include <memory>
#include <string>

class FDeferredRenderer;

/**
 * The process's OpenGL 4.5 core context on an EGL display without a window: a GPU's EGL device
 * when one is enumerated, else Mesa's surfaceless platform (llvmpipe). Made on first use and made
 * current on the calling thread (the game thread); never throws. GL and EGL types stay in the
 * .cpp so that no other unit includes their headers.
 */
class FRenderDevice
{
public:
	/** The device, made current on this thread; nullptr (with an Error logged once) when there is none. */
	static FRenderDevice* Get();
	/** The device if one was made; does not try to make one. */
	static FRenderDevice* GetIfCreated();

	/** The renderer's name as GL reports it, e.g. "llvmpipe (LLVM 15.0.6, 256 bits)". */
	const std::string& GetRendererName() const { return RendererName; }
	/** Waits for every issued command to finish (glFinish). */
	void Flush();
	/** The renderer that draws with this device's context (made on first use). */
	FDeferredRenderer& GetRenderer();

	FRenderDevice(const FRenderDevice&) = delete;
	FRenderDevice& operator=(const FRenderDevice&) = delete;
	~FRenderDevice();

private:
	FRenderDevice() = default;
	bool Initialize(std::string& OutError);
	bool MakeCurrent();

	void* Display = nullptr;
	void* Context = nullptr;
	std::string RendererName;
	/** Destroyed before the context, while its GL objects can still be deleted. */
	std::unique_ptr<FDeferredRenderer> Renderer;
};
