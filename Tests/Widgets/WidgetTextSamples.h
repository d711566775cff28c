#pragma once

#include "Support/CopyPasteSamples.h"

#include <string_view>

inline const std::filesystem::path WidgetSamplesDir = CopyPasteSamplesDir / "widget";

/**
 * A copy in the UE5.1 spelling, of our own so the tests run without the samples: references
 * quoted whole, ExportPath attributes, an older editor's short class name and unquoted name,
 * and a property line no class declares.
 */
inline constexpr std::string_view OwnWidgetText =
	"Begin Object Class=/Script/UMG.Overlay Name=\"Overlay_0\" ExportPath=\"/Script/UMG.Overlay'/Engine/Transient.WidgetTree_0:Overlay_0'\"\r\n"
	"   Begin Object Class=/Script/UMG.OverlaySlot Name=\"OverlaySlot_0\" ExportPath=\"/Script/UMG.OverlaySlot'/Engine/Transient.WidgetTree_0:Overlay_0.OverlaySlot_0'\"\r\n"
	"   End Object\r\n"
	"   Begin Object Class=/Script/UMG.OverlaySlot Name=\"OverlaySlot_1\" ExportPath=\"/Script/UMG.OverlaySlot'/Engine/Transient.WidgetTree_0:Overlay_0.OverlaySlot_1'\"\r\n"
	"   End Object\r\n"
	"   Begin Object Name=\"OverlaySlot_0\" ExportPath=\"/Script/UMG.OverlaySlot'/Engine/Transient.WidgetTree_0:Overlay_0.OverlaySlot_0'\"\r\n"
	"      Padding=(Left=4.000000,Top=4.000000)\r\n"
	"      Parent=\"/Script/UMG.Overlay'Overlay_0'\"\r\n"
	"      Content=\"/Script/UMG.Image'Icon'\"\r\n"
	"   End Object\r\n"
	"   Begin Object Name=\"OverlaySlot_1\" ExportPath=\"/Script/UMG.OverlaySlot'/Engine/Transient.WidgetTree_0:Overlay_0.OverlaySlot_1'\"\r\n"
	"      HorizontalAlignment=HAlign_Center\r\n"
	"      Parent=\"/Script/UMG.Overlay'Overlay_0'\"\r\n"
	"      Content=\"/Script/UMG.TextBlock'Label'\"\r\n"
	"   End Object\r\n"
	"   Slots(0)=\"/Script/UMG.OverlaySlot'OverlaySlot_0'\"\r\n"
	"   Slots(1)=\"/Script/UMG.OverlaySlot'OverlaySlot_1'\"\r\n"
	"   bIsVariable=True\r\n"
	"End Object\r\n"
	"Begin Object Class=/Script/UMGEditor.WidgetSlotPair Name=\"WidgetSlotPair_0\" ExportPath=\"/Script/UMGEditor.WidgetSlotPair'/Engine/Transient.WidgetSlotPair_0'\"\r\n"
	"   WidgetName=\"Overlay_0\"\r\n"
	"End Object\r\n"
	"Begin Object Class=/Script/UMG.Image Name=\"Icon\" ExportPath=\"/Script/UMG.Image'/Engine/Transient.WidgetTree_0:Icon'\"\r\n"
	"   ColorAndOpacity=(R=1.000000,G=0.500000,B=0.000000,A=1.000000)\r\n"
	"End Object\r\n"
	"Begin Object Class=TextBlock Name=Label\r\n"
	"   Text=NSLOCTEXT(\"[0A1B2C3D4E5F60718293A4B5C6D7E8F9]\", \"5A4B3C2D1E0F\", \"Hello, world\")\r\n"
	"   FutureSetting=(Mode=Sparkle)\r\n"
	"End Object\r\n";
