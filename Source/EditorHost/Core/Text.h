#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

/** Text helpers with the editor's ASCII case-insensitive comparisons. */
namespace Text
{
	/** Compares ASCII letters without regard to case (FCString::Stricmp); <0, 0 or >0. */
	int Stricmp(std::string_view A, std::string_view B);
	bool EqualsIgnoreCase(std::string_view A, std::string_view B);
	bool StartsWithIgnoreCase(std::string_view Text, std::string_view Prefix);
	bool EndsWithIgnoreCase(std::string_view Text, std::string_view Suffix);
	/** Byte offset of the first match, ignoring ASCII case. */
	std::optional<std::size_t> FindIgnoreCase(std::string_view Text, std::string_view Needle);

	/** The length of UTF-8 text in UTF-16 code units (4-byte sequences count 2). */
	std::size_t Utf16Length(std::string_view Utf8);
	/** Whether the bytes are well-formed UTF-8. */
	bool IsValidUtf8(std::string_view Bytes);
}

/**
 * Display text as the editor keeps it: a localisable text remembers its namespace, key and
 * source string (the host shows the source string, as an editor running in its native
 * language does); a formatted text is the pattern with its "{0}", "{1}"... arguments put in.
 */
class FText
{
public:
	FText() = default;

	/** A text with no localisation identity (a name, a path). */
	static FText FromString(std::string String);
	/** The localisable text NSLOCTEXT(Namespace, Key, Source) stands for. */
	static FText Localized(std::string_view Namespace, std::string_view Key, std::string_view SourceString);

	/**
	 * The pattern with each "{N}" replaced by argument N; a "{N}" without an argument stays as
	 * written. The result keeps no localisation identity.
	 */
	static FText Format(const FText& Pattern, const std::vector<FText>& Arguments);
	template <typename... TArguments>
	static FText Format(const FText& Pattern, const TArguments&... Arguments)
	{
		return Format(Pattern, std::vector<FText>{Arguments...});
	}

	/** What the text shows. */
	const std::string& ToString() const { return DisplayString; }
	bool IsEmpty() const { return DisplayString.empty(); }

	/** Empty for texts made from strings or by formatting. */
	const std::string& GetNamespace() const { return Namespace; }
	const std::string& GetKey() const { return Key; }
	/** The source string of a localisable text (the pattern of a formatted one is not kept). */
	const std::string& GetSourceString() const { return SourceString; }

	bool EqualTo(const FText& Other) const { return DisplayString == Other.DisplayString; }

private:
	std::string Namespace;
	std::string Key;
	std::string SourceString;
	std::string DisplayString;
};

#define NSLOCTEXT(InNamespace, InKey, InSourceString) FText::Localized(InNamespace, InKey, InSourceString)
/** Needs LOCTEXT_NAMESPACE defined in the unit, as in the editor. */
#define LOCTEXT(InKey, InSourceString) FText::Localized(LOCTEXT_NAMESPACE, InKey, InSourceString)
