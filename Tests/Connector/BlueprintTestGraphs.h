#pragma once

#include <string>
#include <string_view>

// Copy-paste text for the Blueprint route tests, written the way the editor writes it.

/** One pin line: PinId, PinName, Direction, the pin type's category, then any further fields. */
inline std::string TestPinLine(std::string_view PinId, std::string_view PinName, std::string_view Direction, std::string_view Category, std::string_view Extra = {})
{
	return "   CustomProperties Pin (PinId=" + std::string(PinId) + ",PinName=\"" + std::string(PinName) + "\",Direction=\"" + std::string(Direction)
		+ "\",PinType.PinCategory=\"" + std::string(Category) + "\",PinType.PinSubCategory=\"\"," + std::string(Extra) + "PersistentGuid=00000000000000000000000000000000,)\n";
}

/** A node block: class path, object name, GUID and position, then the body lines given. */
inline std::string TestNodeBlock(std::string_view ClassPath, std::string_view Name, std::string_view Guid, int PosX, int PosY, std::string_view Body)
{
	return "Begin Object Class=" + std::string(ClassPath) + " Name=\"" + std::string(Name) + "\"\n" + std::string(Body) + "   NodePosX=" + std::to_string(PosX)
		+ "\n   NodePosY=" + std::to_string(PosY) + "\n   NodeGuid=" + std::string(Guid) + "\n";
}

inline constexpr std::string_view TestEndObject = "End Object\n";

/** Event BeginPlay -> Print String("Hello"), as the editor copies them. */
inline std::string BeginPlayPrintsHello()
{
	return TestNodeBlock("/Script/BlueprintGraph.K2Node_Event", "K2Node_Event_0", "11111111222233334444555555555555", -96, 16,
			   "   EventReference=(MemberParent=\"/Script/CoreUObject.Class'/Script/Engine.Actor'\",MemberName=\"ReceiveBeginPlay\")\n"
			   "   bOverrideFunction=True\n")
		+ TestPinLine("A0000000000000000000000000000001", "OutputDelegate", "EGPD_Output", "delegate", "bHidden=True,")
		+ TestPinLine("A0000000000000000000000000000002", "then", "EGPD_Output", "exec", "LinkedTo=(K2Node_CallFunction_0 B0000000000000000000000000000001,),")
		+ std::string(TestEndObject)
		+ TestNodeBlock("/Script/BlueprintGraph.K2Node_CallFunction", "K2Node_CallFunction_0", "AAAAAAAABBBBCCCCDDDDEEEEEEEEEEEE", 240, 0,
			"   FunctionReference=(MemberParent=\"/Script/CoreUObject.Class'/Script/Engine.KismetSystemLibrary'\",MemberName=\"PrintString\")\n")
		+ TestPinLine("B0000000000000000000000000000001", "execute", "EGPD_Input", "exec", "LinkedTo=(K2Node_Event_0 A0000000000000000000000000000002,),")
		+ TestPinLine("B0000000000000000000000000000002", "then", "EGPD_Output", "exec")
		+ TestPinLine("B0000000000000000000000000000003", "InString", "EGPD_Input", "string", "DefaultValue=\"Hello\",")
		+ TestPinLine("B0000000000000000000000000000004", "Duration", "EGPD_Input", "real", "DefaultValue=\"2.000000\",")
		+ std::string(TestEndObject);
}
