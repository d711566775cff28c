#include "Core/Config.h"

#include "Core/FileSystem.h"
#include "Core/Text.h"

#include <charconv>
#include <vector>

FConfigCacheIni* GConfig = nullptr;
std::string GEditorPerProjectIni;

namespace
{
	enum class EIniLineKind
	{
		/** Blank lines, comments and anything else that is kept verbatim. */
		Verbatim,
		Section,
		KeyValue
	};

	/** One line of an ini file. Sections and keys are trimmed; the raw text is what gets written back. */
	struct FIniLine
	{
		EIniLineKind Kind = EIniLineKind::Verbatim;
		std::string Raw;
		std::string Name;
		std::string Value;
	};

	std::string_view Trim(std::string_view Text)
	{
		constexpr std::string_view Whitespace = " \t\r\n";
		const std::size_t First = Text.find_first_not_of(Whitespace);
		if (First == std::string_view::npos)
		{
			return {};
		}
		return Text.substr(First, Text.find_last_not_of(Whitespace) - First + 1);
	}

	FIniLine ParseLine(std::string_view Raw)
	{
		FIniLine Line{EIniLineKind::Verbatim, std::string(Raw), {}, {}};
		const std::string_view Content = Trim(Raw);
		if (Content.empty() || Content.front() == ';' || Content.front() == '#')
		{
			return Line;
		}
		if (Content.front() == '[' && Content.back() == ']')
		{
			Line.Kind = EIniLineKind::Section;
			Line.Name = Trim(Content.substr(1, Content.size() - 2));
			return Line;
		}
		const std::size_t Equals = Content.find('=');
		if (Equals != std::string_view::npos)
		{
			Line.Kind = EIniLineKind::KeyValue;
			Line.Name = Trim(Content.substr(0, Equals));
			Line.Value = Trim(Content.substr(Equals + 1));
		}
		return Line;
	}

	bool IsNonZeroNumber(std::string_view Text)
	{
		double Number = 0.0;
		const auto [End, Error] = std::from_chars(Text.data(), Text.data() + Text.size(), Number);
		return Error == std::errc() && End == Text.data() + Text.size() && Number != 0.0;
	}
}

/**
 * A loaded ini file: its lines in file order. Section and key names compare
 * without regard to ASCII case, as the editor's config names do; a section that
 * appears more than once is one section, and the first occurrence of a key wins.
 */
struct FConfigCacheIni::FIniFile
{
	std::vector<FIniLine> Lines;
	std::string LineEnd = "\n";
	bool bDirty = false;

	void Parse(std::string_view Text)
	{
		if (Text.find("\r\n") != std::string_view::npos)
		{
			LineEnd = "\r\n";
		}
		while (!Text.empty())
		{
			const std::size_t NewLine = Text.find('\n');
			std::string_view Raw = Text.substr(0, NewLine);
			if (Raw.ends_with('\r'))
			{
				Raw.remove_suffix(1);
			}
			Lines.push_back(ParseLine(Raw));
			Text.remove_prefix(NewLine == std::string_view::npos ? Text.size() : NewLine + 1);
		}
	}

	std::string Serialise() const
	{
		std::string Text;
		for (const FIniLine& Line : Lines)
		{
			Text.append(Line.Raw);
			Text.append(LineEnd);
		}
		return Text;
	}

	FIniLine* FindKey(std::string_view Section, std::string_view Key)
	{
		bool bInSection = false;
		for (FIniLine& Line : Lines)
		{
			if (Line.Kind == EIniLineKind::Section)
			{
				bInSection = Text::EqualsIgnoreCase(Line.Name, Section);
			}
			else if (bInSection && Line.Kind == EIniLineKind::KeyValue && Text::EqualsIgnoreCase(Line.Name, Key))
			{
				return &Line;
			}
		}
		return nullptr;
	}

	/** Where a new key of the section goes: after its last key (or its header), or nothing when the section is absent. */
	std::optional<std::size_t> FindInsertPosition(std::string_view Section) const
	{
		std::optional<std::size_t> Position;
		bool bInSection = false;
		for (std::size_t Index = 0; Index < Lines.size(); ++Index)
		{
			const FIniLine& Line = Lines[Index];
			if (Line.Kind == EIniLineKind::Section)
			{
				bInSection = Text::EqualsIgnoreCase(Line.Name, Section);
				if (bInSection)
				{
					Position = Index + 1;
				}
			}
			else if (bInSection && Line.Kind == EIniLineKind::KeyValue)
			{
				Position = Index + 1;
			}
		}
		return Position;
	}

	void Set(std::string_view Section, std::string_view Key, std::string_view Value)
	{
		if (FIniLine* Existing = FindKey(Section, Key))
		{
			if (Existing->Value != Trim(Value))
			{
				*Existing = ParseLine(Existing->Name + "=" + std::string(Value));
				bDirty = true;
			}
			return;
		}
		FIniLine NewLine = ParseLine(std::string(Key) + "=" + std::string(Value));
		if (const std::optional<std::size_t> Position = FindInsertPosition(Section))
		{
			Lines.insert(Lines.begin() + static_cast<std::ptrdiff_t>(*Position), std::move(NewLine));
		}
		else
		{
			if (!Lines.empty() && !Trim(Lines.back().Raw).empty())
			{
				Lines.push_back(ParseLine(""));
			}
			Lines.push_back(ParseLine("[" + std::string(Section) + "]"));
			Lines.push_back(std::move(NewLine));
		}
		bDirty = true;
	}
};

FConfigCacheIni::FIniFile& FConfigCacheIni::FindOrLoad(const std::string& Filename)
{
	const auto Found = Files.find(Filename);
	if (Found != Files.end())
	{
		return *Found->second;
	}
	auto File = std::make_shared<FIniFile>();
	if (const std::optional<std::string> Text = FFileHelper::LoadFileToString(Filename))
	{
		File->Parse(*Text);
	}
	return *Files.emplace(Filename, std::move(File)).first->second;
}

std::optional<bool> FConfigCacheIni::GetBool(std::string_view Section, std::string_view Key, const std::string& Filename)
{
	const std::optional<std::string> Value = GetString(Section, Key, Filename);
	if (!Value)
	{
		return std::nullopt;
	}
	return Text::EqualsIgnoreCase(*Value, "True") || Text::EqualsIgnoreCase(*Value, "Yes") || Text::EqualsIgnoreCase(*Value, "On")
		|| IsNonZeroNumber(*Value);
}

std::optional<std::string> FConfigCacheIni::GetString(std::string_view Section, std::string_view Key, const std::string& Filename)
{
	std::lock_guard Lock(Mutex);
	const FIniLine* Line = FindOrLoad(Filename).FindKey(Section, Key);
	if (Line == nullptr)
	{
		return std::nullopt;
	}
	return Line->Value;
}

void FConfigCacheIni::SetBool(std::string_view Section, std::string_view Key, bool bValue, const std::string& Filename)
{
	SetString(Section, Key, bValue ? "True" : "False", Filename);
}

void FConfigCacheIni::SetString(std::string_view Section, std::string_view Key, std::string_view Value, const std::string& Filename)
{
	std::lock_guard Lock(Mutex);
	FindOrLoad(Filename).Set(Section, Key, Value);
}

bool FConfigCacheIni::Flush(const std::string& Filename)
{
	std::lock_guard Lock(Mutex);
	const auto Found = Files.find(Filename);
	if (Found == Files.end() || !Found->second->bDirty)
	{
		return true;
	}
	FIniFile& File = *Found->second;
	if (!FFileHelper::SaveStringToFile(File.Serialise(), Filename))
	{
		return false;
	}
	File.bDirty = false;
	return true;
}
