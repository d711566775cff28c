#include "Render/RenderDevice.h"

#include "Render/DeferredRenderer.h"
#include "Render/RenderLog.h"

#include <epoxy/egl.h>
#include <epoxy/gl.h>

#include <cstring>
#include <memory>
#include <mutex>
#include <string_view>
#include <vector>

DEFINE_LOG_CATEGORY(LogRenderer);

namespace
{
	bool HasExtension(const char* Extensions, std::string_view Name)
	{
		if (Extensions == nullptr)
		{
			return false;
		}
		std::string_view List(Extensions);
		for (std::size_t Start = 0; Start < List.size();)
		{
			const std::size_t End = std::min(List.find(' ', Start), List.size());
			if (List.substr(Start, End - Start) == Name)
			{
				return true;
			}
			Start = End + 1;
		}
		return false;
	}

	/** A display on an EGL device that drives real hardware (a DRM device that is not Mesa's software one), if any. */
	EGLDisplay FindHardwareDisplay()
	{
		EGLint NumDevices = 0;
		if (!eglQueryDevicesEXT(0, nullptr, &NumDevices) || NumDevices <= 0)
		{
			return EGL_NO_DISPLAY;
		}
		std::vector<EGLDeviceEXT> Devices(static_cast<std::size_t>(NumDevices));
		if (!eglQueryDevicesEXT(NumDevices, Devices.data(), &NumDevices))
		{
			return EGL_NO_DISPLAY;
		}
		for (EGLDeviceEXT Device : Devices)
		{
			const char* DeviceExtensions = eglQueryDeviceStringEXT(Device, EGL_EXTENSIONS);
			if (HasExtension(DeviceExtensions, "EGL_EXT_device_drm") && !HasExtension(DeviceExtensions, "EGL_MESA_device_software"))
			{
				EGLDisplay Display = eglGetPlatformDisplayEXT(EGL_PLATFORM_DEVICE_EXT, Device, nullptr);
				if (Display != EGL_NO_DISPLAY)
				{
					return Display;
				}
			}
		}
		return EGL_NO_DISPLAY;
	}

	std::mutex DeviceMutex;
	std::unique_ptr<FRenderDevice> GDevice;
	bool bDeviceFailed = false;
}

FRenderDevice* FRenderDevice::Get()
{
	std::lock_guard Lock(DeviceMutex);
	if (GDevice)
	{
		return GDevice->MakeCurrent() ? GDevice.get() : nullptr;
	}
	if (bDeviceFailed)
	{
		return nullptr;
	}
	std::unique_ptr<FRenderDevice> Device(new FRenderDevice());
	std::string Error;
	if (!Device->Initialize(Error))
	{
		bDeviceFailed = true;
		UE_LOG(LogRenderer, Error, "Renderer: no OpenGL 4.5 device (%s); nothing will be rendered", Error.c_str());
		return nullptr;
	}
	GDevice = std::move(Device);
	return GDevice.get();
}

FRenderDevice* FRenderDevice::GetIfCreated()
{
	std::lock_guard Lock(DeviceMutex);
	return GDevice && GDevice->MakeCurrent() ? GDevice.get() : nullptr;
}

bool FRenderDevice::Initialize(std::string& OutError)
{
	// Client extensions are checked before their functions are called: libepoxy stops the process on a call that has no provider.
	const char* ClientExtensions = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
	if (ClientExtensions == nullptr || !HasExtension(ClientExtensions, "EGL_EXT_platform_base"))
	{
		OutError = "EGL has no platform displays";
		return false;
	}
	EGLDisplay EglDisplay = EGL_NO_DISPLAY;
	const bool bDevices = (HasExtension(ClientExtensions, "EGL_EXT_device_enumeration") && HasExtension(ClientExtensions, "EGL_EXT_device_query"))
		|| HasExtension(ClientExtensions, "EGL_EXT_device_base");
	if (bDevices && HasExtension(ClientExtensions, "EGL_EXT_platform_device"))
	{
		EglDisplay = FindHardwareDisplay();
	}
	if (EglDisplay == EGL_NO_DISPLAY && HasExtension(ClientExtensions, "EGL_MESA_platform_surfaceless"))
	{
		EglDisplay = eglGetPlatformDisplayEXT(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
	}
	if (EglDisplay == EGL_NO_DISPLAY)
	{
		OutError = "no EGL device and no surfaceless platform";
		return false;
	}
	EGLint Major = 0;
	EGLint Minor = 0;
	if (!eglInitialize(EglDisplay, &Major, &Minor))
	{
		OutError = "eglInitialize failed";
		return false;
	}
	Display = EglDisplay;
	if (!eglBindAPI(EGL_OPENGL_API))
	{
		OutError = "EGL cannot bind the OpenGL API";
		return false;
	}
	const EGLint ConfigAttributes[] = {EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT, EGL_SURFACE_TYPE, 0, EGL_NONE};
	EGLConfig Config = nullptr;
	EGLint NumConfigs = 0;
	if (!eglChooseConfig(EglDisplay, ConfigAttributes, &Config, 1, &NumConfigs) || NumConfigs < 1)
	{
		Config = nullptr;
	}
	const EGLint ContextAttributes[] = {
		EGL_CONTEXT_MAJOR_VERSION, 4,
		EGL_CONTEXT_MINOR_VERSION, 5,
		EGL_CONTEXT_OPENGL_PROFILE_MASK, EGL_CONTEXT_OPENGL_CORE_PROFILE_BIT,
		EGL_NONE};
	EGLContext EglContext = eglCreateContext(EglDisplay, Config, EGL_NO_CONTEXT, ContextAttributes);
	if (EglContext == EGL_NO_CONTEXT)
	{
		OutError = "no OpenGL 4.5 core context";
		return false;
	}
	Context = EglContext;
	if (!MakeCurrent())
	{
		OutError = "the context cannot be made current without a surface";
		return false;
	}
	const char* Renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
	RendererName = Renderer != nullptr ? Renderer : "an unnamed renderer";
	UE_LOG(LogRenderer, Display, "Renderer: OpenGL 4.5 on %s", RendererName.c_str());
	glEnable(GL_TEXTURE_CUBE_MAP_SEAMLESS);
	return true;
}

namespace
{
	/**
	 * Releases the thread's EGL state when the thread ends. A context stays bound to the thread
	 * that made it current, even after that thread is gone, and cannot be made current anywhere
	 * else: without this, the device would be lost to every later thread (a new game thread).
	 */
	struct FThreadContextRelease
	{
		~FThreadContextRelease() { eglReleaseThread(); }
	};
}

bool FRenderDevice::MakeCurrent()
{
	if (eglGetCurrentContext() == static_cast<EGLContext>(Context))
	{
		return true;
	}
	if (eglMakeCurrent(static_cast<EGLDisplay>(Display), EGL_NO_SURFACE, EGL_NO_SURFACE, static_cast<EGLContext>(Context)) != EGL_TRUE)
	{
		return false;
	}
	thread_local FThreadContextRelease ReleaseAtThreadExit;
	static_cast<void>(ReleaseAtThreadExit);
	return true;
}

void FRenderDevice::Flush()
{
	glFinish();
}

FDeferredRenderer& FRenderDevice::GetRenderer()
{
	if (!Renderer)
	{
		Renderer = std::make_unique<FDeferredRenderer>();
	}
	return *Renderer;
}

FRenderDevice::~FRenderDevice()
{
	if (Display != nullptr)
	{
		if (MakeCurrent())
		{
			Renderer.reset();
		}
		else
		{
			// Without a current context its GL objects cannot be deleted; they end with the process.
			static_cast<void>(Renderer.release());
		}
		eglMakeCurrent(static_cast<EGLDisplay>(Display), EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
		if (Context != nullptr)
		{
			eglDestroyContext(static_cast<EGLDisplay>(Display), static_cast<EGLContext>(Context));
		}
		eglTerminate(static_cast<EGLDisplay>(Display));
	}
}
