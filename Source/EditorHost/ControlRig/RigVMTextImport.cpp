#include "ControlRig/RigUnitRegistry.h"
#include "ControlRig/RigVMController.h"
#include "ControlRig/RigVMGraph.h"
#include "ControlRig/RigVMPinValues.h"
#include "ControlRig/RigVMTextNames.h"
#include "Graph/CopyPasteTextValue.h"
#include "Objects/ClassDatabase.h"
#include "Objects/ObjectGlobals.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace
{
	/** A class written as its full path or, by older editors, its bare name. */
	bool IsClassText(std::string_view ClassText, std::string_view ClassPath)
	{
		return ClassText == ClassPath || ClassText == ClassPath.substr(ClassPath.rfind('.') + 1);
	}

	/** A string property's content, or the text as written when it is no quoted string. */
	std::string ReadString(std::string_view Text)
	{
		return UnquoteCopyPasteString(Text).value_or(std::string(Text));
	}

	/**
	 * The path an object reference names in any era's spelling: `"/Script/CoreUObject.ScriptStruct'/Script/ControlRig.X'"`,
	 * `/Script/CoreUObject.ScriptStruct'"/Script/ControlRig.X"'`, `ScriptStruct'/Script/ControlRig.X'` or a bare path.
	 */
	std::string ReadReferencePath(std::string_view Text)
	{
		std::string Reference = ReadString(Text);
		const std::size_t Open = Reference.find('\'');
		const std::size_t Close = Reference.rfind('\'');
		if (Open != std::string::npos && Close > Open)
		{
			Reference = Reference.substr(Open + 1, Close - Open - 1);
		}
		if (Reference.size() >= 2 && Reference.front() == '"' && Reference.back() == '"')
		{
			Reference = Reference.substr(1, Reference.size() - 2);
		}
		return Reference;
	}

	std::optional<ERigVMPinDirection> ReadDirection(std::string_view Text)
	{
		const std::string Name = ReadString(Text);
		for (std::size_t Index = 0; Index < std::size(RigVMTextNames::DirectionNames); ++Index)
		{
			if (Name == RigVMTextNames::DirectionNames[Index])
			{
				return static_cast<ERigVMPinDirection>(Index);
			}
		}
		return std::nullopt;
	}

	std::optional<FVector2D> ReadPosition(std::string_view Text)
	{
		FCopyPasteListReader Reader(Text);
		FVector2D Position;
		while (const std::optional<FCopyPasteListItem> Item = Reader.Next())
		{
			const std::optional<FRigVMValue> Value = ParseRigVMValue("double", Item->Value);
			if (!Item->Key || !Value || (*Item->Key != "X" && *Item->Key != "Y"))
			{
				return std::nullopt;
			}
			(*Item->Key == "X" ? Position.X : Position.Y) = std::get<double>(*Value);
		}
		return Reader.IsList() ? std::optional(Position) : std::nullopt;
	}

	/**
	 * The node class a block names: a rig node class the class database knows, or nothing.
	 * bOpaque tells a class the database lacks but that the rig editor's modules define
	 * (variable, reroute, collapse, function reference nodes...): it pastes as a plain
	 * RigVMNode that keeps the class. Nodes of other graph editors are not pasted.
	 */
	UClass* ResolveNodeClass(std::string_view ClassText, bool& bOpaque)
	{
		bOpaque = false;
		const FClassDatabase& Database = FClassDatabase::Get();
		UClass* Class = ClassText.starts_with('/') ? Database.FindClass(ClassText) : Database.FindClassByName(ClassText);
		if (Class != nullptr && Class->IsChildOf<URigVMNode>() && !Class->HasAnyClassFlags(CLASS_Abstract))
		{
			return Class;
		}
		const std::string_view ShortName = ClassText.substr(ClassText.rfind('.') == std::string_view::npos ? 0 : ClassText.rfind('.') + 1);
		if (Class == nullptr && !IsClassText(ClassText, RigVMTextNames::PinClass) && !IsClassText(ClassText, RigVMTextNames::LinkClass)
			&& (ClassText.starts_with("/Script/RigVMDeveloper.") || ClassText.starts_with("/Script/ControlRigDeveloper.") || ShortName.starts_with("RigVM")))
		{
			bOpaque = true;
			return URigVMNode::StaticClass();
		}
		return nullptr;
	}

	/** Adds the block's entry to the kept text as it came. */
	void KeepEntry(FCopyPasteObject& Kept, const FCopyPasteObject& Block, const FCopyPasteLayoutEntry& Entry)
	{
		switch (Entry.Kind)
		{
		case ECopyPasteEntry::Property:
			Kept.AddProperty(Block.Properties[Entry.Index]);
			break;
		case ECopyPasteEntry::CustomProperty:
			Kept.AddCustomProperty(Block.CustomProperties[Entry.Index]);
			break;
		case ECopyPasteEntry::Child:
			if (Block.Children[Entry.Index].DefinitionAttributes)
			{
				Kept.AddDeclaredChild(Block.Children[Entry.Index]);
			}
			else
			{
				Kept.AddChild(Block.Children[Entry.Index]);
			}
			break;
		case ECopyPasteEntry::ChildDefinition:
			break;
		case ECopyPasteEntry::OtherLine:
			Kept.AddOtherLine(Block.OtherLines[Entry.Index]);
			break;
		}
	}

	void KeepAttributes(FCopyPasteObject& Kept, const FCopyPasteObject& Block)
	{
		for (const FCopyPasteAttribute& Attribute : Block.Attributes)
		{
			if (Attribute.Key != RigVMTextNames::ExportPath)
			{
				Kept.Attributes.push_back(Attribute);
			}
		}
	}

	bool IsPinBlock(const FCopyPasteObject& Block)
	{
		return IsClassText(Block.Class, RigVMTextNames::PinClass);
	}

	/** A pin of a unit the host does not know, or one its unit does not declare: read as written, sub-pins included. */
	URigVMPin* ReadPinAsWritten(UObject& Outer, const FCopyPasteObject& Block)
	{
		if (!IsValidRigVMName(Block.Name) || Outer.FindInnerObject(Block.Name) != nullptr)
		{
			return nullptr;
		}
		URigVMPin* Pin = NewObject<URigVMPin>(&Outer, Block.Name);
		if (Pin == nullptr)
		{
			return nullptr;
		}
		KeepAttributes(Pin->KeptText, Block);
		for (const FCopyPasteLayoutEntry& Entry : Block.Layout)
		{
			if (Entry.Kind == ECopyPasteEntry::Property)
			{
				const FCopyPasteProperty& Property = Block.Properties[Entry.Index];
				const std::optional<ERigVMPinDirection> Direction = Property.Name == RigVMTextNames::Direction ? ReadDirection(Property.Value) : std::nullopt;
				if (Direction)
				{
					Pin->Direction = *Direction;
				}
				else if (Property.Name == RigVMTextNames::CPPType)
				{
					Pin->CPPType = ReadString(Property.Value);
				}
				else if (Property.Name == RigVMTextNames::CPPTypeObjectPath)
				{
					Pin->CPPTypeObjectPath = ReadString(Property.Value);
				}
				else if (Property.Name == RigVMTextNames::DefaultValue)
				{
					Pin->DefaultValue = ReadString(Property.Value);
				}
				else if (Property.Name != RigVMTextNames::SubPins)
				{
					KeepEntry(Pin->KeptText, Block, Entry);
				}
				continue;
			}
			const FCopyPasteObject* Child = Entry.Kind == ECopyPasteEntry::Child ? &Block.Children[Entry.Index] : nullptr;
			if (URigVMPin* SubPin = Child != nullptr && IsPinBlock(*Child) ? ReadPinAsWritten(*Pin, *Child) : nullptr)
			{
				Pin->SubPins.push_back(SubPin);
			}
			else
			{
				KeepEntry(Pin->KeptText, Block, Entry);
			}
		}
		return Pin;
	}

	void ClearDefaultValues(URigVMPin& Pin)
	{
		Pin.DefaultValue.clear();
		for (URigVMPin* SubPin : Pin.SubPins)
		{
			ClearDefaultValues(*SubPin);
		}
	}

	/** Reads what the text says of a pin its unit declares: the default values of it and its sub-pins, and lines to keep. Its direction and type are the unit's. */
	void ReadDeclaredPin(URigVMPin& Pin, const FCopyPasteObject& Block)
	{
		KeepAttributes(Pin.KeptText, Block);
		for (const FCopyPasteLayoutEntry& Entry : Block.Layout)
		{
			if (Entry.Kind == ECopyPasteEntry::Property)
			{
				const FCopyPasteProperty& Property = Block.Properties[Entry.Index];
				if (Property.Name == RigVMTextNames::DefaultValue)
				{
					Pin.DefaultValue = ReadString(Property.Value);
				}
				else if (Property.Name != RigVMTextNames::Direction && Property.Name != RigVMTextNames::CPPType && Property.Name != RigVMTextNames::CPPTypeObjectPath
					&& Property.Name != RigVMTextNames::SubPins)
				{
					KeepEntry(Pin.KeptText, Block, Entry);
				}
				continue;
			}
			const FCopyPasteObject* Child = Entry.Kind == ECopyPasteEntry::Child ? &Block.Children[Entry.Index] : nullptr;
			if (URigVMPin* SubPin = Child != nullptr && IsPinBlock(*Child) ? Pin.FindSubPin(Child->Name) : nullptr)
			{
				ReadDeclaredPin(*SubPin, *Child);
			}
			else
			{
				KeepEntry(Pin.KeptText, Block, Entry);
			}
		}
	}

	struct FTextLink
	{
		std::string SourcePinPath;
		std::string TargetPinPath;
	};

	std::optional<FTextLink> ReadLink(const FCopyPasteObject& Block)
	{
		const FCopyPasteProperty* Source = Block.FindProperty(RigVMTextNames::SourcePinPath);
		const FCopyPasteProperty* Target = Block.FindProperty(RigVMTextNames::TargetPinPath);
		if (Source == nullptr || Target == nullptr)
		{
			return std::nullopt;
		}
		return FTextLink{ReadString(Source->Value), ReadString(Target->Value)};
	}
}

bool URigVMController::CanImportNodesFromText(std::string_view Text) const
{
	if (Graph == nullptr)
	{
		return false;
	}
	bool bAny = false;
	ReadCopyPasteText(Text, [&bAny](FCopyPasteObject&& Object) {
		bool bOpaque = false;
		bAny = bAny || ResolveNodeClass(Object.Class, bOpaque) != nullptr;
	});
	return bAny;
}

std::vector<std::string> URigVMController::ImportNodesFromText(std::string_view Text, bool bSetupUndoRedo)
{
	(void)bSetupUndoRedo;
	if (Graph == nullptr)
	{
		return {};
	}
	std::vector<std::string> Created;
	/** The text's node names and the names their nodes got. */
	std::unordered_map<std::string, std::string> PastedNames;
	std::vector<FTextLink> Links;
	ReadCopyPasteText(Text, [&](FCopyPasteObject&& Object) {
		if (IsClassText(Object.Class, RigVMTextNames::LinkClass))
		{
			if (std::optional<FTextLink> Link = ReadLink(Object))
			{
				Links.push_back(std::move(*Link));
			}
			return;
		}
		if (URigVMNode* Node = PasteNode(Object))
		{
			PastedNames.emplace(Object.Name, Node->GetName());
			Created.push_back(Node->GetName());
		}
	});

	// A link end names a pasted node by the name it had in the text, or a node the graph had already.
	const auto ResolvePin = [&](std::string_view PinPath) -> URigVMPin* {
		const std::size_t Dot = PinPath.find('.');
		if (Dot == std::string_view::npos)
		{
			return nullptr;
		}
		const auto Pasted = PastedNames.find(std::string(PinPath.substr(0, Dot)));
		const URigVMNode* Node = Graph->FindNodeByName(Pasted != PastedNames.end() ? std::string_view(Pasted->second) : PinPath.substr(0, Dot));
		return Node != nullptr ? Node->FindPin(PinPath.substr(Dot + 1)) : nullptr;
	};
	for (const FTextLink& Link : Links)
	{
		AddLink(ResolvePin(Link.SourcePinPath), ResolvePin(Link.TargetPinPath));
	}
	return Created;
}

URigVMNode* URigVMController::PasteNode(const FCopyPasteObject& Object)
{
	bool bOpaque = false;
	UClass* Class = ResolveNodeClass(Object.Class, bOpaque);
	if (Class == nullptr)
	{
		return nullptr;
	}
	const bool bUnitNode = !bOpaque && Class->IsChildOf<URigVMUnitNode>();
	const FCopyPasteProperty* StructProperty = bUnitNode ? Object.FindProperty(RigVMTextNames::ScriptStruct) : nullptr;
	// A path that could not be written back inside the reference's quotes stays in its line as it came.
	std::string StructPath = StructProperty != nullptr ? ReadReferencePath(StructProperty->Value) : std::string();
	const bool bKeepStructLine = std::ranges::any_of(StructPath, [](char Character) { return Character == '"' || Character == '\'' || Character == '\\' || static_cast<unsigned char>(Character) < 0x20; });
	if (bKeepStructLine)
	{
		StructPath.clear();
	}
	const FRigUnitDeclaration* Unit = FindRigUnitDeclaration(StructPath);
	const std::string_view StructName = std::string_view(StructPath).substr(StructPath.rfind('.') == std::string::npos ? 0 : StructPath.rfind('.') + 1);
	const std::string FallbackName = IsValidRigVMName(StructName) ? std::string(StructName) : Class->GetName();

	URigVMNode* Node = CreateNode(*Class, Object.Name, FallbackName);
	if (Node == nullptr)
	{
		return nullptr;
	}
	if (bOpaque)
	{
		Node->KeptClassPath = Object.Class;
	}
	URigVMUnitNode* UnitNode = bUnitNode ? Cast<URigVMUnitNode>(Node) : nullptr;
	if (UnitNode != nullptr)
	{
		UnitNode->ScriptStructPath = StructPath;
	}
	if (Unit != nullptr)
	{
		for (const FRigUnitPinDeclaration& Declared : Unit->Pins)
		{
			if (URigVMPin* Pin = CreateRigVMPin(*Node, Declared.Name, Declared.Direction, Declared.CPPType, Declared.DefaultValue))
			{
				Node->Pins.push_back(Pin);
			}
		}
	}
	const std::size_t DeclaredPins = Node->Pins.size();
	std::unordered_set<const URigVMPin*> ReadDeclaredPins;

	KeepAttributes(Node->KeptText, Object);
	for (const FCopyPasteLayoutEntry& Entry : Object.Layout)
	{
		if (Entry.Kind == ECopyPasteEntry::Property)
		{
			const FCopyPasteProperty& Property = Object.Properties[Entry.Index];
			const std::optional<FVector2D> Position = Property.Name == RigVMTextNames::Position ? ReadPosition(Property.Value) : std::nullopt;
			if (Position)
			{
				Node->Position = *Position;
			}
			else if (UnitNode != nullptr && Property.Name == RigVMTextNames::MethodName)
			{
				UnitNode->MethodName = ReadString(Property.Value);
			}
			else if (!(UnitNode != nullptr && !bKeepStructLine && &Property == StructProperty) && !(!bOpaque && Property.Name == RigVMTextNames::Pins))
			{
				KeepEntry(Node->KeptText, Object, Entry);
			}
			continue;
		}
		const FCopyPasteObject* Child = Entry.Kind == ECopyPasteEntry::Child && IsPinBlock(Object.Children[Entry.Index]) ? &Object.Children[Entry.Index] : nullptr;
		const auto DeclaredEnd = Node->Pins.begin() + static_cast<std::ptrdiff_t>(DeclaredPins);
		const auto Declared = Child != nullptr ? std::find_if(Node->Pins.begin(), DeclaredEnd, [Child](const URigVMPin* Pin) { return Pin->GetName() == Child->Name; }) : DeclaredEnd;
		if (Declared != DeclaredEnd && ReadDeclaredPins.insert(*Declared).second)
		{
			URigVMPin& Pin = **Declared;
			const std::optional<FRigVMValue> DeclaredValue = ReadRigVMPinValue(Pin);
			ClearDefaultValues(Pin);
			ReadDeclaredPin(Pin, *Child);
			// Text without a readable value leaves the unit's default.
			const std::optional<FRigVMValue> TextValue = ReadRigVMPinValue(Pin);
			if (const std::optional<FRigVMValue>& Value = TextValue ? TextValue : DeclaredValue)
			{
				WriteRigVMPinValue(Pin, *Value);
			}
		}
		else if (URigVMPin* Pin = Child != nullptr ? ReadPinAsWritten(*Node, *Child) : nullptr)
		{
			Node->Pins.push_back(Pin);
		}
		else
		{
			KeepEntry(Node->KeptText, Object, Entry);
		}
	}
	return Node;
}
