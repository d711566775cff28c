#include "Objects/PropertyExportText.h"

#include "Core/TextHelpers.h"
#include "Graph/CopyPasteTextValue.h"
#include "Graph/NodeTitleNames.h"
#include "Objects/Property.h"
#include "Objects/PropertyTextScalars.h"
#include "Objects/PropertyTextType.h"
#include "Objects/ScriptStruct.h"

#include <algorithm>
#include <cctype>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace
{
	/** Structures nest at most this deep; a database structure that holds itself ends here. */
	constexpr int MaxNesting = 32;

	bool IsStruct(const FPropertyTextType& Type)
	{
		return Type.Kind == EPropertyTextKind::Struct && Type.Struct != nullptr;
	}

	/** A structure's members in field order, their types, and the value each holds in a default-constructed structure. */
	struct FStructInfo
	{
		std::vector<const FProperty*> Properties;
		std::vector<FPropertyTextType> Types;
		std::vector<std::string> Defaults;

		std::optional<std::size_t> Find(std::string_view Name) const
		{
			for (std::size_t Index = 0; Index < Properties.size(); ++Index)
			{
				if (Text::EqualsIgnoreCase(Properties[Index]->GetName(), Name))
				{
					return Index;
				}
			}
			return std::nullopt;
		}
	};

	std::optional<std::string> Import(const FPropertyTextType& Type, std::string_view Current, std::string_view Text, int Depth);
	std::string DefaultValue(const FPropertyTextType& Type, int Depth);

	std::string WriteStruct(const FStructInfo& Members, const std::vector<std::string>& Values)
	{
		std::string Text = "(";
		for (std::size_t Index = 0; Index < Values.size(); ++Index)
		{
			Text += (Index == 0 ? "" : ",") + Members.Properties[Index]->GetName() + "=" + Values[Index];
		}
		return Text + ")";
	}

	/**
	 * The members of a structure of the process-wide class database, worked out once: the
	 * database never changes, and a style structure's defaults nest brushes, colours and margins.
	 */
	const FStructInfo& GetStructInfo(const UScriptStruct& Struct, int Depth)
	{
		static std::mutex Mutex;
		static std::unordered_map<const UScriptStruct*, FStructInfo> Infos;
		{
			const std::lock_guard Lock(Mutex);
			if (const auto Found = Infos.find(&Struct); Found != Infos.end())
			{
				return Found->second;
			}
		}
		static thread_local std::vector<const UScriptStruct*> InProgress;
		static const FStructInfo Unknown;
		if (std::find(InProgress.begin(), InProgress.end(), &Struct) != InProgress.end())
		{
			return Unknown;
		}
		InProgress.push_back(&Struct);
		FStructInfo Info;
		Info.Properties = Struct.GetAllProperties();
		for (const FProperty* Property : Info.Properties)
		{
			Info.Types.push_back(GetPropertyTextType(*Property));
		}
		for (std::size_t Index = 0; Index < Info.Properties.size(); ++Index)
		{
			const FPropertyTextType& Type = Info.Types[Index];
			const std::string& Declared = Info.Properties[Index]->GetDefaultValueText();
			std::string Default = DefaultValue(Type, Depth + 1);
			std::optional<std::string> Value = Declared.empty() ? std::nullopt : Import(Type, Default, Declared, Depth + 1);
			Info.Defaults.push_back(Value ? std::move(*Value) : std::move(Default));
		}
		InProgress.pop_back();
		const std::lock_guard Lock(Mutex);
		return Infos.try_emplace(&Struct, std::move(Info)).first->second;
	}

	std::string DefaultValue(const FPropertyTextType& Type, int Depth)
	{
		if (IsStruct(Type))
		{
			return Depth > MaxNesting ? std::string("()") : WriteStruct(GetStructInfo(*Type.Struct, Depth), GetStructInfo(*Type.Struct, Depth).Defaults);
		}
		if (Type.Kind == EPropertyTextKind::Array)
		{
			return "()";
		}
		return DefaultScalarText(Type);
	}

	/**
	 * Sets the members a structure text names onto Values; nothing when Text is no structure
	 * text or names a member the structure does not have, or a value that is not one of its member.
	 */
	bool ImportMembers(const FStructInfo& Members, std::vector<std::string>& Values, std::string_view Text, int Depth)
	{
		const FCopyPasteValue Parsed = ParseCopyPasteValue(Text::TrimWhitespace(Text));
		if (Parsed.Kind != FCopyPasteValue::EKind::List)
		{
			return false;
		}
		for (const FCopyPasteValueItem& Item : Parsed.Items)
		{
			const std::optional<std::size_t> Index = Item.Key ? Members.Find(*Item.Key) : std::nullopt;
			if (!Index)
			{
				return false;
			}
			std::optional<std::string> Value = Import(Members.Types[*Index], Values[*Index], WriteCopyPasteValue(Item.Value), Depth + 1);
			if (!Value)
			{
				return false;
			}
			Values[*Index] = std::move(*Value);
		}
		return true;
	}

	/** The elements of an array text, each as written; nothing when Text is not a list of plain items. */
	std::optional<std::vector<std::string>> ArrayElements(std::string_view Text)
	{
		std::vector<std::string> Elements;
		if (Text::TrimWhitespace(Text).empty())
		{
			return Elements;
		}
		const FCopyPasteValue Parsed = ParseCopyPasteValue(Text::TrimWhitespace(Text));
		if (Parsed.Kind != FCopyPasteValue::EKind::List)
		{
			return std::nullopt;
		}
		for (const FCopyPasteValueItem& Item : Parsed.Items)
		{
			if (Item.Key)
			{
				return std::nullopt;
			}
			Elements.push_back(WriteCopyPasteValue(Item.Value));
		}
		return Elements;
	}

	std::optional<std::string> Import(const FPropertyTextType& Type, std::string_view Current, std::string_view Text, int Depth)
	{
		if (Depth > MaxNesting)
		{
			return std::nullopt;
		}
		if (IsStruct(Type))
		{
			const FStructInfo& Members = GetStructInfo(*Type.Struct, Depth);
			std::vector<std::string> Values = Members.Defaults;
			ImportMembers(Members, Values, Current, Depth);
			if (!ImportMembers(Members, Values, Text, Depth))
			{
				return std::nullopt;
			}
			return WriteStruct(Members, Values);
		}
		if (Type.Kind == EPropertyTextKind::Array)
		{
			const std::optional<std::vector<std::string>> Elements = ArrayElements(Text);
			if (!Elements)
			{
				return std::nullopt;
			}
			const FPropertyTextType ElementType = GetPropertyTextType(Type.ElementType, {});
			const std::string ElementDefault = DefaultValue(ElementType, Depth + 1);
			std::string Result = "(";
			for (std::size_t Index = 0; Index < Elements->size(); ++Index)
			{
				const std::optional<std::string> Element = Import(ElementType, ElementDefault, (*Elements)[Index], Depth + 1);
				if (!Element)
				{
					return std::nullopt;
				}
				Result += (Index == 0 ? "" : ",") + *Element;
			}
			return Result + ")";
		}
		return ImportScalarText(Type, Text);
	}

	/** The members of a structure value, missing ones at their defaults; nothing when the text is no value of it. */
	std::optional<std::vector<std::string>> ReadMembers(const FStructInfo& Members, std::string_view Text, int Depth)
	{
		std::vector<std::string> Values = Members.Defaults;
		if (!Text::TrimWhitespace(Text).empty() && !ImportMembers(Members, Values, Text, Depth))
		{
			return std::nullopt;
		}
		return Values;
	}

	bool Identical(const FPropertyTextType& Type, std::string_view A, std::string_view B, int Depth)
	{
		if (Depth > MaxNesting)
		{
			return Text::TrimWhitespace(A) == Text::TrimWhitespace(B);
		}
		if (IsStruct(Type))
		{
			const FStructInfo& Members = GetStructInfo(*Type.Struct, Depth);
			const std::optional<std::vector<std::string>> ValuesA = ReadMembers(Members, A, Depth);
			const std::optional<std::vector<std::string>> ValuesB = ReadMembers(Members, B, Depth);
			if (!ValuesA || !ValuesB)
			{
				return !ValuesA && !ValuesB && Text::TrimWhitespace(A) == Text::TrimWhitespace(B);
			}
			for (std::size_t Index = 0; Index < ValuesA->size(); ++Index)
			{
				if (!Identical(Members.Types[Index], (*ValuesA)[Index], (*ValuesB)[Index], Depth + 1))
				{
					return false;
				}
			}
			return true;
		}
		if (Type.Kind == EPropertyTextKind::Array)
		{
			const std::optional<std::vector<std::string>> ElementsA = ArrayElements(A);
			const std::optional<std::vector<std::string>> ElementsB = ArrayElements(B);
			if (!ElementsA || !ElementsB)
			{
				return !ElementsA && !ElementsB && Text::TrimWhitespace(A) == Text::TrimWhitespace(B);
			}
			if (ElementsA->size() != ElementsB->size())
			{
				return false;
			}
			const FPropertyTextType ElementType = GetPropertyTextType(Type.ElementType, {});
			for (std::size_t Index = 0; Index < ElementsA->size(); ++Index)
			{
				if (!Identical(ElementType, (*ElementsA)[Index], (*ElementsB)[Index], Depth + 1))
				{
					return false;
				}
			}
			return true;
		}
		return AreScalarTextsIdentical(Type, A, B);
	}

	/** A value written whole in the editor's form: bDelimited quotes names and strings, as inside a structure. */
	std::string ExportWhole(const FPropertyTextType& Type, std::string_view Value, bool bDelimited, int Depth)
	{
		std::optional<std::string> Canonical = Import(Type, DefaultValue(Type, Depth), Value, Depth);
		if (!Canonical)
		{
			return std::string(Text::TrimWhitespace(Value));
		}
		return bDelimited ? *Canonical : UndelimitScalarText(Type, *Canonical);
	}

	std::string ExportDelta(const FPropertyTextType& Type, std::string_view Value, std::string_view Delta, bool bDelimited, int Depth)
	{
		if (Identical(Type, Value, Delta, Depth))
		{
			return std::string();
		}
		if (IsStruct(Type) && !Type.Struct->IsAtomic() && Depth <= MaxNesting)
		{
			const FStructInfo& Members = GetStructInfo(*Type.Struct, Depth);
			const std::optional<std::vector<std::string>> Values = ReadMembers(Members, Value, Depth);
			const std::optional<std::vector<std::string>> Deltas = ReadMembers(Members, Delta, Depth);
			if (Values && Deltas)
			{
				std::string Text;
				for (std::size_t Index = 0; Index < Values->size(); ++Index)
				{
					const std::string Member = ExportDelta(Members.Types[Index], (*Values)[Index], (*Deltas)[Index], true, Depth + 1);
					if (!Member.empty())
					{
						Text += (Text.empty() ? "" : ",") + Members.Properties[Index]->GetName() + "=" + Member;
					}
				}
				return "(" + Text + ")";
			}
		}
		if (Type.Kind == EPropertyTextKind::Array && Depth <= MaxNesting)
		{
			const FPropertyTextType ElementType = GetPropertyTextType(Type.ElementType, {});
			const std::optional<std::vector<std::string>> Elements = ArrayElements(Value);
			const std::optional<std::vector<std::string>> Deltas = ArrayElements(Delta);
			if (Elements && Deltas && IsStruct(ElementType) && !ElementType.Struct->IsAtomic())
			{
				const std::string ElementDefault = DefaultValue(ElementType, Depth + 1);
				std::string Text = "(";
				for (std::size_t Index = 0; Index < Elements->size(); ++Index)
				{
					const std::string_view ElementDelta = Index < Deltas->size() ? std::string_view((*Deltas)[Index]) : std::string_view(ElementDefault);
					const std::string Element = ExportDelta(ElementType, (*Elements)[Index], ElementDelta, true, Depth + 1);
					Text += (Index == 0 ? "" : ",") + (Element.empty() ? std::string("()") : Element);
				}
				return Text + ")";
			}
		}
		return ExportWhole(Type, Value, bDelimited, Depth);
	}
}

std::string ExportPropertyTextDelta(const FProperty& Property, std::string_view ValueText, std::string_view DeltaText, EPropertyExportFlags Flags)
{
	return ExportDelta(GetPropertyTextType(Property), ValueText, DeltaText, Flags == EPropertyExportFlags::Delimited, 0);
}

bool ArePropertyValuesIdentical(const FProperty& Property, std::string_view A, std::string_view B)
{
	return Identical(GetPropertyTextType(Property), A, B, 0);
}

std::optional<std::string> ImportPropertyText(const FProperty& Property, std::string_view CurrentText, std::string_view Text)
{
	return Import(GetPropertyTextType(Property), CurrentText, Text, 0);
}

bool IsObjectReferenceProperty(const FProperty& Property)
{
	return GetPropertyTextType(Property).Kind == EPropertyTextKind::Object;
}

std::optional<std::string> GetObjectReferencePath(const FProperty& Property, std::string_view ValueText)
{
	if (!IsObjectReferenceProperty(Property))
	{
		return std::nullopt;
	}
	return ReferencedObjectPath(Text::TrimWhitespace(ValueText));
}
