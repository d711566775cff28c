#include "Materials/MaterialNodeText.h"

#include "Graph/NodeTitleNames.h"
#include "Materials/MaterialExpression.h"
#include "Objects/ClassDatabase.h"

#include <algorithm>

namespace
{
	/** Where the object path of a reference stands in its text: inside its quotes, or the whole text when unquoted. */
	struct FPathSpan
	{
		std::size_t Start;
		std::size_t Length;
	};

	FPathSpan FindPathSpan(std::string_view Reference)
	{
		FPathSpan Span{0, Reference.size()};
		const std::size_t Open = Reference.find('\'');
		const std::size_t Close = Reference.rfind('\'');
		if (Open != std::string_view::npos && Close > Open)
		{
			Span = {Open + 1, Close - Open - 1};
		}
		if (Span.Length >= 2 && Reference[Span.Start] == '"' && Reference[Span.Start + Span.Length - 1] == '"')
		{
			Span = {Span.Start + 1, Span.Length - 2};
		}
		return Span;
	}
}

namespace MaterialNodeText
{
	UClass* ResolveExpressionClass(std::string_view ClassText)
	{
		const FClassDatabase& Database = FClassDatabase::Get();
		UClass* const Class = ClassText.starts_with('/') ? Database.FindClass(ClassText) : Database.FindClassByName(ClassText);
		if (Class == nullptr || !Class->IsChildOf<UMaterialExpression>() || Class->HasAnyClassFlags(CLASS_Abstract))
		{
			return nullptr;
		}
		return Class;
	}

	const FCopyPasteObject* FindExpressionObject(const FCopyPasteObject& NodeObject, std::string_view ReferenceProperty)
	{
		if (const FCopyPasteProperty* const Reference = NodeObject.FindProperty(ReferenceProperty))
		{
			if (const FCopyPasteObject* const Named = NodeObject.FindChild(ReferencedObjectName(Reference->Value)))
			{
				return Named;
			}
		}
		const auto Found = std::ranges::find_if(NodeObject.Children, [](const FCopyPasteObject& Child) { return ResolveExpressionClass(Child.Class) != nullptr; });
		return Found != NodeObject.Children.end() ? &*Found : nullptr;
	}

	std::optional<FPastedReference> ParsePastedReference(std::string_view ReferenceText)
	{
		const std::string Path = ReferencedObjectPath(ReferenceText);
		const std::size_t Last = Path.find_last_of(".:");
		if (Last == std::string::npos || Last == 0 || Last + 1 == Path.size())
		{
			return std::nullopt;
		}
		const std::size_t BeforeNode = Path.find_last_of(".:", Last - 1);
		const std::size_t NodeStart = BeforeNode == std::string::npos ? 0 : BeforeNode + 1;
		return FPastedReference{Path.substr(NodeStart, Last - NodeStart), Path.substr(Last + 1)};
	}

	std::string RenameReferencedObject(std::string_view Reference, std::string_view NewName)
	{
		const FPathSpan Span = FindPathSpan(Reference);
		const std::string_view Path = Reference.substr(Span.Start, Span.Length);
		const std::size_t Separator = Path.find_last_of(".:");
		const std::size_t NameStart = Span.Start + (Separator == std::string_view::npos ? 0 : Separator + 1);
		return std::string(Reference.substr(0, NameStart)) + std::string(NewName) + std::string(Reference.substr(Span.Start + Span.Length));
	}

	std::string MakeObjectReference(std::string_view ClassPath, std::string_view ObjectPath)
	{
		return std::string(ClassPath) + "'\"" + std::string(ObjectPath) + "\"'";
	}

	std::optional<std::string> ChildExportPath(std::string_view NodeExportPath, std::string_view ChildClassPath, std::string_view ChildName)
	{
		const std::size_t ClassEnd = NodeExportPath.find('\'');
		if (ClassEnd == std::string_view::npos)
		{
			return std::nullopt;
		}
		const FPathSpan Span = FindPathSpan(NodeExportPath);
		if (Span.Start <= ClassEnd || Span.Length == 0)
		{
			return std::nullopt;
		}
		const std::size_t ClassStart = NodeExportPath.front() == '"' ? 1 : 0;
		return std::string(NodeExportPath.substr(0, ClassStart)) + std::string(ChildClassPath) + std::string(NodeExportPath.substr(ClassEnd, Span.Start + Span.Length - ClassEnd))
			+ "." + std::string(ChildName) + std::string(NodeExportPath.substr(Span.Start + Span.Length));
	}

	const std::string* FindExportPath(const std::vector<FCopyPasteAttribute>& Attributes)
	{
		const auto Found = std::ranges::find(Attributes, std::string_view("ExportPath"), &FCopyPasteAttribute::Key);
		return Found != Attributes.end() && Found->Value ? &*Found->Value : nullptr;
	}

	void SetExportPath(std::vector<FCopyPasteAttribute>& Attributes, std::string Value)
	{
		const auto Found = std::ranges::find(Attributes, std::string_view("ExportPath"), &FCopyPasteAttribute::Key);
		if (Found != Attributes.end())
		{
			Found->Value = std::move(Value);
		}
		else
		{
			Attributes.push_back({"ExportPath", std::move(Value)});
		}
	}
}
