#include "Materials/MaterialAssetText.h"

#include "Core/JsonObject.h"
#include "Graph/CopyPasteText.h"
#include "Materials/MaterialExpression.h"

#include <unordered_map>

namespace
{
	/** The field's lines joined into one text; lines that are not text are left out with a warning. */
	std::string JoinLines(const FJsonObject& File, std::string_view Field, std::vector<std::string>& OutWarnings)
	{
		std::string Text;
		const std::shared_ptr<FJsonValueArray> Lines = File.TryGetArrayField(Field);
		if (!Lines)
		{
			if (File.HasField(Field))
			{
				OutWarnings.push_back("\"" + std::string(Field) + "\" is not an array of lines; it is left out");
			}
			return Text;
		}
		for (std::size_t Index = 0; Index < Lines->size(); ++Index)
		{
			if (const std::string* const Line = (*Lines)[Index].TryGetString())
			{
				Text.append(*Line).push_back('\n');
			}
			else
			{
				OutWarnings.push_back("line " + std::to_string(Index) + " of \"" + std::string(Field) + "\" is not text; it is left out");
			}
		}
		return Text;
	}

	/** The last name of a reference path (`Graph.Node.MaterialExpressionAdd_0` names MaterialExpressionAdd_0). */
	std::string_view LastName(std::string_view Path)
	{
		const std::size_t Separator = Path.find_last_of(".:");
		return Separator == std::string_view::npos ? Path : Path.substr(Separator + 1);
	}
}

UMaterialExpression* FindExpressionByName(const std::vector<UMaterialExpression*>& Expressions, std::string_view Name)
{
	for (UMaterialExpression* const Expression : Expressions)
	{
		if (Expression != nullptr && Expression->GetName() == Name)
		{
			return Expression;
		}
	}
	return nullptr;
}

FMaterialExpressionBlocks ReadMaterialExpressionBlocks(UObject& Owner, const FJsonObject& File, std::vector<std::string>& OutWarnings)
{
	FMaterialExpressionBlocks Blocks;
	struct FMade
	{
		UMaterialExpression* Expression;
		FCopyPasteObject Body;
	};
	std::vector<FMade> Made;
	// Every expression is made before any body is read, so a reference may name one that comes later.
	std::unordered_map<std::string, UMaterialExpression*> ByWrittenName;
	bool bLayoutTaken = false;
	for (const std::string_view Field : {std::string_view("expressions"), std::string_view("editorComments")})
	{
		FCopyPasteParse Parse = ParseCopyPasteText(JoinLines(File, Field, OutWarnings));
		for (const FCopyPasteWarning& Warning : Parse.Warnings)
		{
			OutWarnings.push_back("\"" + std::string(Field) + "\" line " + std::to_string(Warning.Line) + ": " + Warning.Message);
		}
		if (!bLayoutTaken && !Parse.Document.Objects.empty())
		{
			Blocks.Indent = Parse.Document.Layout.Indent;
			bLayoutTaken = true;
		}
		for (FCopyPasteObject& Object : Parse.Document.Objects)
		{
			UMaterialExpression* const Expression = NewMaterialExpression(&Owner, Object.Class, Object.Name);
			if (Expression == nullptr)
			{
				OutWarnings.push_back("expression \"" + Object.Name + "\" of class " + Object.Class + " cannot be made; it is left out");
				continue;
			}
			if (Expression->GetName() != Object.Name)
			{
				OutWarnings.push_back("expression name \"" + Object.Name + "\" is used twice or invalid; the expression is named " + Expression->GetName());
			}
			ByWrittenName.try_emplace(Object.Name, Expression);
			(Field == "expressions" ? Blocks.Expressions : Blocks.Comments).push_back(Expression);
			Made.push_back({Expression, std::move(Object)});
		}
	}
	const auto Resolve = [&ByWrittenName](std::string_view Reference) -> UMaterialExpression* {
		const auto Found = ByWrittenName.find(std::string(LastName(Reference)));
		return Found != ByWrittenName.end() ? Found->second : nullptr;
	};
	for (const FMade& Entry : Made)
	{
		Entry.Expression->ReadExpressionBody(Entry.Body, Resolve);
	}
	return Blocks;
}

FJsonValueArray WriteMaterialExpressionBlocks(const std::vector<UMaterialExpression*>& Expressions, std::string_view Indent)
{
	FCopyPasteLayout Layout;
	Layout.Indent = std::string(Indent);
	Layout.LineEnd = "\n";
	Layout.bEndsWithLineEnd = false;
	FCopyPasteTextWriter Writer(Layout);
	for (const UMaterialExpression* const Expression : Expressions)
	{
		if (IsValid(Expression))
		{
			Writer.WriteObject(Expression->WriteExpressionBody(EExpressionReferenceScope::Material, {}));
		}
	}
	const std::string Text = std::move(Writer).Finish();
	FJsonValueArray Lines;
	std::size_t Start = 0;
	while (Start < Text.size())
	{
		const std::size_t End = std::min(Text.find('\n', Start), Text.size());
		Lines.emplace_back(std::string_view(Text).substr(Start, End - Start));
		Start = End + 1;
	}
	return Lines;
}
