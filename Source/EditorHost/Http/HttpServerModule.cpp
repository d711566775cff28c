#include "Http/HttpServerModule.h"

#include "Http/HttpListener.h"
#include "Http/HttpLog.h"
#include "Http/HttpRequestPolicy.h"
#include "Http/HttpRouterImpl.h"
#include "Runtime/GameThread.h"

#include <stdexcept>

DEFINE_LOG_CATEGORY(LogHttpServer);

namespace
{
	FHttpServerModule* GHttpServerModule = nullptr;
}

struct FHttpServerModule::FImpl
{
	struct FPort
	{
		std::shared_ptr<FHttpRouter> Router;
		std::unique_ptr<FHttpListener> Listener;
	};

	explicit FImpl(FGameThread& InGameThread) : GameThread(InGameThread) {}

	FGameThread& GameThread;
	std::map<uint16_t, FPort> Ports;
};

FHttpServerModule::FHttpServerModule(FGameThread& GameThread, FHttpServerSettings InSettings)
	: Impl(std::make_unique<FImpl>(GameThread)), Settings(std::move(InSettings))
{
	if (GHttpServerModule)
	{
		throw std::logic_error("Only one HTTP server module may exist at a time");
	}
	GHttpServerModule = this;
}

FHttpServerModule::~FHttpServerModule()
{
	StopAllListeners();
	GHttpServerModule = nullptr;
}

FHttpServerModule& FHttpServerModule::Get()
{
	if (!GHttpServerModule)
	{
		throw std::logic_error("The HTTP server module is not loaded");
	}
	return *GHttpServerModule;
}

bool FHttpServerModule::IsAvailable()
{
	return GHttpServerModule != nullptr;
}

std::shared_ptr<IHttpRouter> FHttpServerModule::GetHttpRouter(uint16_t Port, bool bFailOnBindFailure)
{
	FImpl::FPort& Entry = Impl->Ports[Port];
	if (!Entry.Router)
	{
		Entry.Router = std::make_shared<FHttpRouter>(Impl->GameThread);
		Entry.Listener = std::make_unique<FHttpListener>(Impl->GameThread, Settings, Entry.Router);
	}
	if (bFailOnBindFailure && !Entry.Listener->IsListening())
	{
		const auto Override = Settings.PortOverrides.find(Port);
		if (!Entry.Listener->Start(Override == Settings.PortOverrides.end() ? Port : Override->second))
		{
			return nullptr;
		}
	}
	return Entry.Router;
}

bool FHttpServerModule::StartAllListeners()
{
	bool bAllStarted = true;
	for (auto& [Port, Entry] : Impl->Ports)
	{
		if (!Entry.Listener->IsListening())
		{
			const auto Override = Settings.PortOverrides.find(Port);
			bAllStarted &= Entry.Listener->Start(Override == Settings.PortOverrides.end() ? Port : Override->second);
		}
	}
	return bAllStarted;
}

void FHttpServerModule::StopAllListeners()
{
	for (auto& [Port, Entry] : Impl->Ports)
	{
		Entry.Listener->Stop();
	}
}

std::optional<uint16_t> FHttpServerModule::GetBoundPort(uint16_t Port) const
{
	const auto Found = Impl->Ports.find(Port);
	return Found == Impl->Ports.end() ? std::nullopt : Found->second.Listener->GetBoundPort();
}

std::unique_ptr<FHttpServerResponse> FHttpServerModule::DispatchRequest(uint16_t Port, const FHttpServerRequest& Request)
{
	const auto Found = Impl->Ports.find(Port);
	if (Found == Impl->Ports.end())
	{
		return FHttpServerResponse::Error(EHttpServerResponseCodes::NotFound);
	}
	if (const std::optional<EHttpServerResponseCodes> Refusal = CheckRequestAllowed(Request, Settings, false))
	{
		return FHttpServerResponse::Error(*Refusal);
	}
	// Shared with the completion, which a slow handler may still call after we gave up.
	auto Result = std::make_shared<std::unique_ptr<FHttpServerResponse>>();
	Found->second.Router->Dispatch(Request, [Result](std::unique_ptr<FHttpServerResponse> Response) { *Result = std::move(Response); });
	const auto Deadline = std::chrono::steady_clock::now() + Settings.RequestTimeout;
	if (!Impl->GameThread.RunUntil([&Result] { return *Result != nullptr; }, Deadline))
	{
		UE_LOG(LogHttpServer, Warning, "%s %s got no answer within %lld ms", LexToString(Request.Verb).data(),
			Request.RelativePath.c_str(), static_cast<long long>(Settings.RequestTimeout.count()));
		return FHttpServerResponse::Error(EHttpServerResponseCodes::ServerError);
	}
	return std::move(*Result);
}
