#include "Render/RendererInterface.h"

#include "Render/CanvasTypes.h"
#include "Render/DeferredRenderer.h"
#include "Render/RenderDevice.h"
#include "Render/RenderLog.h"
#include "Render/RenderTarget.h"
#include "Render/SceneView.h"

#include <string>
#include <vector>

namespace
{
	/** The renderer module of the host: the deferred renderer on the process's OpenGL device. */
	class FRendererModule final : public IRendererModule
	{
	public:
		void BeginRenderingViewFamily(FCanvas* Canvas, FSceneViewFamily* ViewFamily) override
		{
			bLastFrameSucceeded = false;
			std::string Error;
			if (Render(Canvas, ViewFamily, Error))
			{
				bLastFrameSucceeded = true;
				return;
			}
			UE_LOG(LogRenderer, Warning, "Renderer: frame not rendered: %s", Error.c_str());
		}

		bool LastFrameSucceeded() const override { return bLastFrameSucceeded; }

	private:
		static bool Render(FCanvas* Canvas, FSceneViewFamily* ViewFamily, std::string& OutError)
		{
			if (ViewFamily == nullptr)
			{
				OutError = "no view family";
				return false;
			}
			FRenderTarget* Target = ViewFamily->RenderTarget != nullptr ? ViewFamily->RenderTarget : (Canvas != nullptr ? Canvas->GetRenderTarget() : nullptr);
			if (Target == nullptr)
			{
				OutError = "no render target";
				return false;
			}
			const FIntPoint Size = Target->GetSizeXY();
			std::vector<FColor> Pixels;
			if (Size.X <= 0 || Size.Y <= 0 || !Target->ReadPixels(Pixels) || Pixels.size() != static_cast<std::size_t>(Size.X) * Size.Y)
			{
				OutError = "the render target has no pixels";
				return false;
			}
			FRenderDevice* Device = FRenderDevice::Get();
			if (Device == nullptr)
			{
				OutError = "no OpenGL device";
				return false;
			}
			for (const FSceneView* View : ViewFamily->Views)
			{
				if (View == nullptr || !Device->GetRenderer().RenderView(*View, *ViewFamily, Size.X, Size.Y, Target->GetDisplayGamma(), Pixels, OutError))
				{
					if (View == nullptr)
					{
						OutError = "a view of the family is missing";
					}
					return false;
				}
			}
			if (!Target->WritePixels(Pixels))
			{
				OutError = "the render target refused the frame";
				return false;
			}
			return true;
		}

		bool bLastFrameSucceeded = false;
	};
}

IRendererModule& GetRendererModule()
{
	static FRendererModule Module;
	return Module;
}
