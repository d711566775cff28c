#pragma once

#include <string_view>

/** The words of the rig editor's copy-paste text (docs/COPY_PASTE_FORMAT.md, "Rig graph copies"). */
namespace RigVMTextNames
{
	inline constexpr std::string_view PinClass = "/Script/RigVMDeveloper.RigVMPin";
	inline constexpr std::string_view LinkClass = "/Script/RigVMDeveloper.RigVMLink";
	inline constexpr std::string_view ScriptStructClass = "/Script/CoreUObject.ScriptStruct";

	inline constexpr std::string_view Position = "Position";
	inline constexpr std::string_view ScriptStruct = "ScriptStruct";
	inline constexpr std::string_view MethodName = "MethodName";
	/** Lists of a node's pins and a pin's sub-pins: the order of the pin blocks says the same, so they are not written and are passed over when read. */
	inline constexpr std::string_view Pins = "Pins";
	inline constexpr std::string_view SubPins = "SubPins";

	inline constexpr std::string_view Direction = "Direction";
	inline constexpr std::string_view CPPType = "CPPType";
	inline constexpr std::string_view CPPTypeObjectPath = "CPPTypeObjectPath";
	inline constexpr std::string_view DefaultValue = "DefaultValue";

	inline constexpr std::string_view SourcePinPath = "SourcePinPath";
	inline constexpr std::string_view TargetPinPath = "TargetPinPath";

	/** Where an object's path stood in the text; the host writes none (the text does not depend on the asset it came from). */
	inline constexpr std::string_view ExportPath = "ExportPath";

	/** The engine's names of ERigVMPinDirection, in value order. */
	inline constexpr std::string_view DirectionNames[] = {"Input", "Output", "IO", "Visible", "Hidden", "Invalid"};
}
