#include "ControlRig/RigVMController.h"
#include "ControlRig/RigVMGraph.h"
#include "ControlRig/RigVMTextNames.h"
#include "Graph/CopyPasteTextValue.h"
#include "Objects/Class.h"

#include <cstdio>
#include <unordered_set>

namespace
{
	std::string FormatCoordinate(double Value)
	{
		char Buffer[400];
		const int Length = std::snprintf(Buffer, sizeof(Buffer), "%f", Value);
		return Length > 0 ? std::string(Buffer, std::min<std::size_t>(static_cast<std::size_t>(Length), sizeof(Buffer) - 1)) : std::string("0.000000");
	}

	/** The kept entries of the object, after the ones the host wrote, in the order they came. */
	void AppendKept(FCopyPasteObject& Out, const FCopyPasteObject& Kept)
	{
		for (const FCopyPasteAttribute& Attribute : Kept.Attributes)
		{
			Out.Attributes.push_back(Attribute);
		}
		for (const FCopyPasteLayoutEntry& Entry : Kept.Layout)
		{
			switch (Entry.Kind)
			{
			case ECopyPasteEntry::Property:
				Out.AddProperty(Kept.Properties[Entry.Index]);
				break;
			case ECopyPasteEntry::CustomProperty:
				Out.AddCustomProperty(Kept.CustomProperties[Entry.Index]);
				break;
			case ECopyPasteEntry::Child:
				if (Kept.Children[Entry.Index].DefinitionAttributes)
				{
					Out.AddDeclaredChild(Kept.Children[Entry.Index]);
				}
				else
				{
					Out.AddChild(Kept.Children[Entry.Index]);
				}
				break;
			case ECopyPasteEntry::ChildDefinition:
				break;
			case ECopyPasteEntry::OtherLine:
				Out.AddOtherLine(Kept.OtherLines[Entry.Index]);
				break;
			}
		}
	}

	/** Sub-objects as the engine writes them: every one declared first, then each defined. */
	void AddPinBlocks(FCopyPasteObject& Out, const std::vector<URigVMPin*>& Pins);

	FCopyPasteObject ExportPin(const URigVMPin& Pin)
	{
		FCopyPasteObject Out;
		Out.Class = RigVMTextNames::PinClass;
		Out.Name = Pin.GetName();
		Out.DefinitionAttributes.emplace();
		AddPinBlocks(Out, Pin.SubPins);
		if (Pin.Direction != ERigVMPinDirection::Input)
		{
			Out.AddProperty({std::string(RigVMTextNames::Direction), std::nullopt, std::string(RigVMTextNames::DirectionNames[static_cast<std::size_t>(Pin.Direction)])});
		}
		Out.AddProperty({std::string(RigVMTextNames::CPPType), std::nullopt, QuoteCopyPasteString(Pin.CPPType)});
		if (!Pin.CPPTypeObjectPath.empty())
		{
			Out.AddProperty({std::string(RigVMTextNames::CPPTypeObjectPath), std::nullopt, QuoteCopyPasteString(Pin.CPPTypeObjectPath)});
		}
		if (!Pin.DefaultValue.empty())
		{
			Out.AddProperty({std::string(RigVMTextNames::DefaultValue), std::nullopt, QuoteCopyPasteString(Pin.DefaultValue)});
		}
		AppendKept(Out, Pin.KeptText);
		return Out;
	}

	void AddPinBlocks(FCopyPasteObject& Out, const std::vector<URigVMPin*>& Pins)
	{
		const std::size_t First = Out.Children.size();
		for (const URigVMPin* Pin : Pins)
		{
			Out.Layout.push_back({ECopyPasteEntry::Child, Out.Children.size()});
			Out.Children.push_back(ExportPin(*Pin));
		}
		for (std::size_t Index = First; Index < Out.Children.size(); ++Index)
		{
			Out.Layout.push_back({ECopyPasteEntry::ChildDefinition, Index});
		}
	}

	FCopyPasteObject ExportNode(const URigVMNode& Node)
	{
		FCopyPasteObject Out;
		Out.Class = Node.KeptClassPath.empty() ? Node.GetClass()->GetPathName() : Node.KeptClassPath;
		Out.Name = Node.GetName();
		AddPinBlocks(Out, Node.Pins);
		if (Node.Position.X != 0.0 || Node.Position.Y != 0.0)
		{
			Out.AddProperty({std::string(RigVMTextNames::Position), std::nullopt, "(X=" + FormatCoordinate(Node.Position.X) + ",Y=" + FormatCoordinate(Node.Position.Y) + ")"});
		}
		if (const URigVMUnitNode* Unit = Cast<URigVMUnitNode>(&Node); Unit != nullptr && Node.KeptClassPath.empty())
		{
			// An object reference in the UE5.1 spelling: quoted as a whole, the path inside unescaped.
			if (!Unit->ScriptStructPath.empty())
			{
				Out.AddProperty({std::string(RigVMTextNames::ScriptStruct), std::nullopt, "\"" + std::string(RigVMTextNames::ScriptStructClass) + "'" + Unit->ScriptStructPath + "'\""});
			}
			Out.AddProperty({std::string(RigVMTextNames::MethodName), std::nullopt, QuoteCopyPasteString(Unit->MethodName)});
		}
		AppendKept(Out, Node.KeptText);
		return Out;
	}

	FCopyPasteObject ExportLink(const URigVMLink& Link, std::size_t Index)
	{
		FCopyPasteObject Out;
		Out.Class = RigVMTextNames::LinkClass;
		Out.Name = "RigVMLink_" + std::to_string(Index);
		Out.AddProperty({std::string(RigVMTextNames::SourcePinPath), std::nullopt, QuoteCopyPasteString(Link.SourcePin->GetPinPath())});
		Out.AddProperty({std::string(RigVMTextNames::TargetPinPath), std::nullopt, QuoteCopyPasteString(Link.TargetPin->GetPinPath())});
		return Out;
	}
}

std::string URigVMController::ExportNodesToText(const std::vector<std::string>& NodeNames, bool bIncludeExteriorLinks) const
{
	if (Graph == nullptr)
	{
		return {};
	}
	FCopyPasteTextWriter Writer(FCopyPasteLayout{});
	std::unordered_set<const URigVMNode*> Exported;
	for (const std::string& Name : NodeNames)
	{
		const URigVMNode* Node = Graph->FindNodeByName(Name);
		if (Node != nullptr && Exported.insert(Node).second)
		{
			Writer.WriteObject(ExportNode(*Node));
		}
	}
	std::size_t LinkIndex = 0;
	for (const URigVMLink* Link : Graph->GetLinks())
	{
		const bool bSourceExported = Exported.contains(Link->SourcePin->GetNode());
		const bool bTargetExported = Exported.contains(Link->TargetPin->GetNode());
		if ((bSourceExported && bTargetExported) || (bIncludeExteriorLinks && (bSourceExported || bTargetExported)))
		{
			Writer.WriteObject(ExportLink(*Link, LinkIndex++));
		}
	}
	return std::move(Writer).Finish();
}
