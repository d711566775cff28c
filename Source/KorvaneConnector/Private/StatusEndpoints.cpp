#include "StatusEndpoints.h"

#include "PendingPickupStore.h"
#include "RequestConventions.h"

#include "Core/Text.h"
#include "Editor/Clipboard.h"
#include "Editor/Notifications.h"
#include "Python/PythonScriptPlugin.h"
#include "Runtime/App.h"
#include "Runtime/Async.h"
#include "Runtime/EngineVersion.h"

#include <cstdio>

namespace
{
	constexpr const char* PluginVersion = "1.0.0";
	constexpr double ConnectorPort = 30010;

	std::string EngineVersionText()
	{
		const FEngineVersion& Version = FEngineVersion::Current();
		char Buffer[32];
		std::snprintf(Buffer, sizeof(Buffer), "%d.%d.%d", Version.GetMajor(), Version.GetMinor(), Version.GetPatch());
		return Buffer;
	}

	/** Puts the text on the clipboard and shows the toast once the response is on its way. */
	void CopyToClipboardAndNotify(const std::string& Text)
	{
		FPlatformApplicationMisc::ClipboardCopy(Text);
		AsyncTask(ENamedThreads::GameThread, []() {
			FNotificationInfo Info(FText::FromString("Clipboard updated"));
			Info.ExpireDuration = 2.0f;
			FSlateNotificationManager::Get().AddNotification(Info);
		});
	}

	std::shared_ptr<FJsonObject> ClipboardWritten(const std::string& Text)
	{
		auto Response = std::make_shared<FJsonObject>();
		Response->SetBoolField("success", true);
		Response->SetNumberField("length", static_cast<double>(Text::Utf16Length(Text)));
		return Response;
	}
}

bool IsPythonAvailable()
{
	const IPythonScriptPlugin* Python = IPythonScriptPlugin::Get();
	return Python != nullptr && Python->IsPythonAvailable();
}

std::shared_ptr<FJsonObject> GetStatus()
{
	auto Status = std::make_shared<FJsonObject>();
	Status->SetBoolField("connected", true);
	Status->SetStringField("pluginVersion", PluginVersion);
	Status->SetStringField("engineVersion", EngineVersionText());
	Status->SetStringField("projectName", FApp::GetProjectName());
	Status->SetNumberField("port", ConnectorPort);
	Status->SetBoolField("pythonAvailable", IsPythonAvailable());
	Status->SetBoolField("blueprintPending", HasPendingBlueprint());
	Status->SetBoolField("materialPending", HasPendingMaterial());
	Status->SetBoolField("widgetPending", HasPendingWidget());
	Status->SetBoolField("controlRigPending", HasPendingControlRig());
	return Status;
}

std::shared_ptr<FJsonObject> GetClipboard()
{
	std::string Text;
	FPlatformApplicationMisc::ClipboardPaste(Text);
	auto Response = std::make_shared<FJsonObject>();
	Response->SetStringField("text", Text);
	Response->SetNumberField("length", static_cast<double>(Text::Utf16Length(Text)));
	return Response;
}

std::shared_ptr<FJsonObject> SetClipboard(const std::string& Body)
{
	const std::shared_ptr<FJsonObject> Request = ParseJsonBody(Body);
	if (!Request)
	{
		CopyToClipboardAndNotify(Body);
		return ClipboardWritten(Body);
	}
	const std::optional<std::string> Text = Request->TryGetStringField("text");
	if (!Text)
	{
		return MakeFailureResponse("Missing 'text' field in request body");
	}
	CopyToClipboardAndNotify(*Text);
	return ClipboardWritten(*Text);
}
