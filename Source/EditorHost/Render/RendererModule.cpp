#include "Render/RendererInterface.h"

#include "Render/CanvasTypes.h"
#include "Render/DeferredRenderer.h"
#include "Render/RenderDevice.h"
#include "Render/RenderLog.h"
#include "Render/RenderTarget.h"
#include "Render/SceneView.h"

#include <algorithm>
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
		/** Whether one view with an opaque background covers the whole target, so that none of its pixels shows through. */
		static bool HidesTheWholeTarget(const FSceneViewFamily& ViewFamily, const FIntPoint& Size)
		{
			for (const FSceneView* View : ViewFamily.Views)
			{
				if (View != nullptr && View->BackgroundColor.A >= 1.0f && View->UnscaledViewRect == FIntRect{{0, 0}, Size})
				{
					return true;
				}
			}
			return false;
		}

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
			// A frame that fails leaves the target unreadable, so nobody mistakes its cleared pixels for a picture.
			Target->SetHoldsFailedFrame(false);
			if (!RenderInto(*Target, *ViewFamily, OutError))
			{
				Target->SetHoldsFailedFrame(true);
				return false;
			}
			return true;
		}

		static bool RenderInto(FRenderTarget& Target, const FSceneViewFamily& ViewFamily, std::string& OutError)
		{
			const FIntPoint Size = Target.GetSizeXY();
			std::vector<FColor> Pixels;
			const std::size_t NumPixels = static_cast<std::size_t>(std::max(Size.X, 0)) * static_cast<std::size_t>(std::max(Size.Y, 0));
			if (NumPixels > 0 && HidesTheWholeTarget(ViewFamily, Size))
			{
				Pixels.resize(NumPixels);
			}
			else if (NumPixels == 0 || !Target.ReadPixels(Pixels) || Pixels.size() != NumPixels)
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
			for (const FSceneView* View : ViewFamily.Views)
			{
				if (View == nullptr || !Device->GetRenderer().RenderView(*View, ViewFamily, Size.X, Size.Y, Target.GetDisplayGamma(), Pixels, OutError))
				{
					if (View == nullptr)
					{
						OutError = "a view of the family is missing";
					}
					return false;
				}
			}
			if (!Target.WritePixels(Pixels))
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
