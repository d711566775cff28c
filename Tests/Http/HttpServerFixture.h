#pragma once

#include "Http/HttpServerModule.h"
#include "Runtime/GameThread.h"
#include "Support/TestHttpClient.h"

#include <gtest/gtest.h>

#include <functional>
#include <future>
#include <memory>
#include <thread>

/**
 * A host HTTP server on an ephemeral port with the game thread running on its own
 * thread. Routes are bound before the loop starts; later changes go through
 * OnGameThread, since routers belong to the game thread.
 */
class FHttpServerFixture : public ::testing::Test
{
protected:
	static constexpr uint16_t EditorPort = 30010;

	static FHttpServerSettings MakeSettings()
	{
		FHttpServerSettings Settings;
		Settings.PortOverrides[EditorPort] = 0;
		return Settings;
	}

	/** Creates the module, lets BindRoutes bind on the router, starts listening and runs the loop. */
	void StartServer(FHttpServerSettings Settings, const std::function<void(IHttpRouter&)>& BindRoutes)
	{
		Module = std::make_unique<FHttpServerModule>(GameThread, std::move(Settings));
		Router = Module->GetHttpRouter(EditorPort);
		ASSERT_TRUE(Router);
		BindRoutes(*Router);
		ASSERT_TRUE(Module->StartAllListeners());
		ASSERT_TRUE(Module->GetBoundPort(EditorPort).has_value());
		Port = *Module->GetBoundPort(EditorPort);
		Loop = std::thread([this] { GameThread.Run(); });
	}

	void StartServer(const std::function<void(IHttpRouter&)>& BindRoutes) { StartServer(MakeSettings(), BindRoutes); }

	void TearDown() override
	{
		GameThread.Stop();
		if (Loop.joinable())
		{
			Loop.join();
		}
		Module.reset();
	}

	/** Runs Task on the game thread and waits for it. */
	template <typename FTask>
	auto OnGameThread(FTask Task) -> decltype(Task())
	{
		auto Promise = std::make_shared<std::promise<decltype(Task())>>();
		GameThread.Post([Promise, &Task]
			{
				if constexpr (std::is_void_v<decltype(Task())>)
				{
					Task();
					Promise->set_value();
				}
				else
				{
					Promise->set_value(Task());
				}
			});
		return Promise->get_future().get();
	}

	FTestHttpClient MakeClient() const { return FTestHttpClient(Port); }

	/** A handler answering 200 with Text as text/plain. */
	static FHttpRequestHandler Reply(std::string Text)
	{
		return [Text](const FHttpServerRequest&, const FHttpResultCallback& OnComplete)
		{
			OnComplete(FHttpServerResponse::Create(Text, "text/plain"));
			return true;
		};
	}

	FGameThread GameThread;
	std::unique_ptr<FHttpServerModule> Module;
	std::shared_ptr<IHttpRouter> Router;
	uint16_t Port = 0;
	std::thread Loop;
};
