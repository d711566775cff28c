#include "KorvaneToolbar.h"

#include "Endpoints/BlueprintEndpoints.h"
#include "Endpoints/EnrichEndpoints.h"
#include "KorvaneLog.h"
#include "KorvaneMcpBridge.h"
#include "KorvaneStatusPanel.h"
#include "PendingPickupStore.h"

#include "Blueprints/Blueprint.h"
#include "Core/JsonObject.h"
#include "Core/Text.h"
#include "Editor/Notifications.h"
#include "Editor/TabManager.h"
#include "Objects/Class.h"
#include "Slate/SlateApplication.h"

#include <memory>
#include <string>
#include <string_view>

#define LOCTEXT_NAMESPACE "KorvaneConnector"

namespace
{
	constexpr float SentToastSeconds = 3.0f;

	/** A toast for a queued asset; the rig send keeps the editor's large font. */
	void NotifySent(FText Text, bool bUseLargeFont)
	{
		FNotificationInfo Info(std::move(Text));
		Info.ExpireDuration = SentToastSeconds;
		Info.bUseLargeFont = bUseLargeFont;
		FSlateNotificationManager::Get().AddNotification(Info);
	}

	/** The foreground Blueprint when its class name holds ClassNamePart ("WidgetBlueprint" also matches EditorUtilityWidgetBlueprint). */
	UBlueprint* FindFocusedBlueprintOfKind(std::string_view ClassNamePart)
	{
		UBlueprint* const Blueprint = UKorvaneMcpBridge::FindFocusedBlueprint();
		if (Blueprint == nullptr || Blueprint->GetClass() == nullptr || !Text::FindIgnoreCase(Blueprint->GetClass()->GetName(), ClassNamePart))
		{
			return nullptr;
		}
		return Blueprint;
	}

	bool IsFailureResult(std::string_view ResultText)
	{
		return Text::FindIgnoreCase(ResultText, "\"success\": false") || Text::FindIgnoreCase(ResultText, "\"success\":false");
	}
}

void KorvaneToolbar::OpenStatusPanel()
{
	if (FSlateApplication::IsInitialized())
	{
		FGlobalTabmanager::Get()->TryInvokeTab(FTabId(KorvaneStatusTabId));
	}
}

void KorvaneToolbar::SendFocusedBlueprint()
{
	UBlueprint* const Blueprint = UKorvaneMcpBridge::FindFocusedBlueprint();
	if (Blueprint == nullptr)
	{
		UE_LOG(LogKorvane, Warning, "No focused Blueprint editor found.");
		return;
	}

	const std::shared_ptr<FJsonObject> Payload = GatherBlueprint(Blueprint);
	EnrichComponentProperties(*Payload, Blueprint->GetPathName());
	SetPendingBlueprint(Payload);

	NotifySent(FText::Format(LOCTEXT("SentToKorvane", "Sent '{0}'"), FText::FromString(Blueprint->GetName())), false);
	UE_LOG(LogKorvane, Log, "Blueprint '%s' queued for pickup.", Blueprint->GetName().c_str());
}

void KorvaneToolbar::SendFocusedMaterial(bool bWithAssets)
{
	// The agent operation queues the payload and shows its own toast; only its failures are ours to report.
	const std::string Result = UKorvaneMcpBridge::SendMaterialToKorvane({}, bWithAssets);
	if (IsFailureResult(Result))
	{
		UE_LOG(LogKorvane, Error, "%s", Result.c_str());
	}
}

void KorvaneToolbar::SendFocusedWidget()
{
	UBlueprint* const Blueprint = FindFocusedBlueprintOfKind("WidgetBlueprint");
	if (Blueprint == nullptr)
	{
		UE_LOG(LogKorvane, Warning, "No focused Widget Blueprint editor found.");
		return;
	}

	auto Payload = std::make_shared<FJsonObject>();
	Payload->SetStringField("name", Blueprint->GetName());
	Payload->SetStringField("blueprintPath", Blueprint->GetPathName());
	SetPendingWidget(Payload);

	NotifySent(FText::Format(LOCTEXT("SentWidgetToKorvane", "Sent '{0}'"), FText::FromString(Blueprint->GetName())), false);
	UE_LOG(LogKorvane, Log, "Widget '%s' queued for pickup.", Blueprint->GetName().c_str());
}

void KorvaneToolbar::SendFocusedControlRig(bool bWithMesh)
{
	UBlueprint* const Blueprint = FindFocusedBlueprintOfKind("ControlRigBlueprint");
	if (Blueprint == nullptr)
	{
		UE_LOG(LogKorvane, Warning, "No focused Control Rig editor found.");
		return;
	}

	auto Payload = std::make_shared<FJsonObject>();
	Payload->SetStringField("name", Blueprint->GetName());
	Payload->SetStringField("rigPath", Blueprint->GetPathName());
	Payload->SetBoolField("includeMesh", bWithMesh);
	SetPendingControlRig(Payload);

	const FText MeshSuffix = bWithMesh ? FText::FromString(" (with mesh)") : FText();
	NotifySent(FText::Format(LOCTEXT("SentRigToKorvane", "Sent '{0}'{1}"), FText::FromString(Blueprint->GetName()), MeshSuffix), true);
}

#undef LOCTEXT_NAMESPACE
