#include "CommandLine.h"

#include <charconv>

namespace
{
	std::optional<uint16_t> ParsePort(const std::string& Text)
	{
		unsigned int Port = 0;
		const auto [End, Error] = std::from_chars(Text.data(), Text.data() + Text.size(), Port);
		if (Error != std::errc() || End != Text.data() + Text.size() || Port > 65535)
		{
			return std::nullopt;
		}
		return static_cast<uint16_t>(Port);
	}
}

std::optional<FProgramOptions> ParseProgramOptions(const std::vector<std::string>& Arguments, bool bAllowNetworkOptions, std::string& OutError)
{
	FProgramOptions Options;
	Options.Host.ProjectDir = KORVANE_DEMO_PROJECT_DIR;
	Options.Host.ConnectorPluginDir = KORVANE_PLUGIN_DIR;

	for (std::size_t Index = 0; Index < Arguments.size(); ++Index)
	{
		std::string Name = Arguments[Index];
		std::optional<std::string> InlineValue;
		if (Name.starts_with("--"))
		{
			if (const std::size_t Equals = Name.find('='); Equals != std::string::npos)
			{
				InlineValue = Name.substr(Equals + 1);
				Name.resize(Equals);
			}
		}
		const auto TakeValue = [&]() -> std::optional<std::string> {
			if (InlineValue)
			{
				return InlineValue;
			}
			if (Index + 1 >= Arguments.size())
			{
				OutError = "Option " + Name + " needs a value.";
				return std::nullopt;
			}
			return Arguments[++Index];
		};
		const auto IsFlag = [&](const char* Flag) {
			if (Name != Flag)
			{
				return false;
			}
			if (InlineValue)
			{
				OutError = "Option " + Name + " takes no value.";
			}
			return true;
		};

		if (Name == "--help" || Name == "-h")
		{
			Options.bHelp = true;
		}
		else if (Name == "--project")
		{
			const std::optional<std::string> Value = TakeValue();
			if (!Value)
			{
				return std::nullopt;
			}
			Options.Host.ProjectDir = *Value;
		}
		else if (Name == "--port" && bAllowNetworkOptions)
		{
			const std::optional<std::string> Value = TakeValue();
			if (!Value)
			{
				return std::nullopt;
			}
			const std::optional<uint16_t> Port = ParsePort(*Value);
			if (!Port)
			{
				OutError = "Invalid port '" + *Value + "': give a number from 0 to 65535.";
				return std::nullopt;
			}
			Options.Host.HttpPort = *Port;
		}
		else if (Name == "--ui-port" && bAllowNetworkOptions)
		{
			const std::optional<std::string> Value = TakeValue();
			if (!Value)
			{
				return std::nullopt;
			}
			const std::optional<uint16_t> Port = ParsePort(*Value);
			if (!Port)
			{
				OutError = "Invalid UI port '" + *Value + "': give a number from 1 to 65535, or 0 to turn the UI off.";
				return std::nullopt;
			}
			Options.Host.UiPort = *Port;
			Options.bUiPortGiven = true;
		}
		else if (Name == "--mcp-port")
		{
			const std::optional<std::string> Value = TakeValue();
			if (!Value)
			{
				return std::nullopt;
			}
			const std::optional<uint16_t> Port = ParsePort(*Value);
			if (!Port)
			{
				OutError = "Invalid MCP port '" + *Value + "': give a number from 0 to 65535.";
				return std::nullopt;
			}
			Options.Host.McpPort = *Port;
		}
		else if (Name == "--bind" && bAllowNetworkOptions)
		{
			const std::optional<std::string> Value = TakeValue();
			if (!Value)
			{
				return std::nullopt;
			}
			Options.Host.BindAddress = *Value;
		}
		else if (IsFlag("--no-python"))
		{
			Options.Host.bPython = false;
		}
		else if (IsFlag("--no-remote-control"))
		{
			Options.Host.bRemoteControl = false;
		}
		else if (IsFlag("--builtin-mcp"))
		{
			Options.Host.bBuiltInMcp = true;
		}
		else if (Name == "--log-level")
		{
			const std::optional<std::string> Value = TakeValue();
			if (!Value)
			{
				return std::nullopt;
			}
			Options.LogLevel = ParseLogVerbosity(*Value);
			if (!Options.LogLevel)
			{
				OutError = "Invalid log level '" + *Value + "': use Error, Warning, Display, Log, Verbose or VeryVerbose.";
				return std::nullopt;
			}
		}
		else if (Name.starts_with("--"))
		{
			OutError = "Unknown option " + Name + ".";
			return std::nullopt;
		}
		else
		{
			Options.Positionals.push_back(Arguments[Index]);
		}

		if (!OutError.empty())
		{
			return std::nullopt;
		}
	}
	return Options;
}
