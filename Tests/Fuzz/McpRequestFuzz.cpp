#include "FallbackMcpServer.h"

#include "Core/JsonObject.h"
#include "Core/JsonSerializer.h"
#include "Runtime/EditorHost.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace
{
	/** One editor on an empty project for the whole run, so tool calls reach real editor services. */
	FEditorHost& FuzzEditor()
	{
		static std::unique_ptr<FEditorHost> Host = [] {
			const std::filesystem::path Dir = std::filesystem::temp_directory_path() / "KorvaneMcpFuzz";
			std::filesystem::create_directories(Dir / "Content");
			std::ofstream(Dir / "Fuzz.uproject") << "{}";
			FEditorHostOptions Options;
			Options.ProjectDir = Dir.string();
			Options.bPython = false;
			std::string Error;
			std::unique_ptr<FEditorHost> Created = FEditorHost::Create(Options, Error);
			if (!Created)
			{
				std::fprintf(stderr, "cannot start the editor: %s\n", Error.c_str());
				std::abort();
			}
			return Created;
		}();
		return *Host;
	}
}

// Any bytes may arrive as a request body. The server must answer every one with a JSON-RPC
// response (or the empty answer of a notification) and never crash.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, std::size_t Size)
{
	FuzzEditor();
	const std::string Body(reinterpret_cast<const char*>(Data), Size);
	EHttpServerResponseCodes Status = EHttpServerResponseCodes::Ok;
	const std::string Response = HandleMcpRequest(Body, Status);
	if (Status == EHttpServerResponseCodes::Accepted)
	{
		if (!Response.empty())
		{
			std::fprintf(stderr, "a notification got a body\n");
			std::abort();
		}
		return 0;
	}
	const std::shared_ptr<FJsonObject> Parsed = FJsonSerializer::DeserializeObject(Response);
	if (Status != EHttpServerResponseCodes::Ok || Parsed == nullptr || Parsed->TryGetStringField("jsonrpc") != "2.0" ||
		(Parsed->HasField("result") == Parsed->HasField("error")))
	{
		std::fprintf(stderr, "not one JSON-RPC response: %s\n", Response.c_str());
		std::abort();
	}
	return 0;
}
