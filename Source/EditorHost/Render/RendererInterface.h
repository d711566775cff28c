#pragma once

class FCanvas;
class FSceneViewFamily;

/** The renderer module: draws view families. */
class IRendererModule
{
public:
	virtual ~IRendererModule() = default;
	/**
	 * Renders every view of the family into the family's render target (the canvas's, when the
	 * family has none) and waits for the result to be in the target. A failure (no device, a
	 * shader that does not link) leaves the target as it was and writes a Warning.
	 */
	virtual void BeginRenderingViewFamily(FCanvas* Canvas, FSceneViewFamily* ViewFamily) = 0;
	/** Whether the last BeginRenderingViewFamily drew every view. */
	virtual bool LastFrameSucceeded() const = 0;
};

/** The process's renderer module. */
IRendererModule& GetRendererModule();
