#include "Editor/Factories/TextObjectTree.h"

#include "Graph/NodeTitleNames.h"
#include "Objects/Class.h"
#include "Objects/ClassDatabase.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/ObjectInternals.h"

#include <utility>

namespace
{
	/** The text's name when the outer has room for it, else a free one like it (or after the class, for a name no object may have). */
	std::string PastedObjectName(const UObject& Outer, std::string_view TextName, const UClass& Class)
	{
		if (!FObjectInternals::IsValidObjectName(TextName))
		{
			return MakeUniqueObjectName(&Outer, &Class);
		}
		return MakeUniqueObjectName(&Outer, TextName);
	}

	std::string Quoted(std::string_view Text)
	{
		return "\"" + std::string(Text) + "\"";
	}
}

UClass* ResolveTextObjectClass(std::string_view ClassText)
{
	const FClassDatabase& Database = FClassDatabase::Get();
	if (!ClassText.starts_with('/'))
	{
		return Database.FindClassByName(ClassText);
	}
	if (ClassText.starts_with("/Script/"))
	{
		return Database.FindClass(ClassText);
	}
	return Cast<UClass>(StaticLoadObject(UClass::StaticClass(), ClassText));
}

FTextObjectTree::FTextObjectTree(EObjectFlags InFlags, FClassFilter InCanCreate, std::vector<std::string>& InWarnings)
	: Flags(InFlags)
	, CanCreate(std::move(InCanCreate))
	, Warnings(InWarnings)
{
}

void FTextObjectTree::Build(const std::vector<FCopyPasteObject>& Blocks, UObject& Outer)
{
	for (const FCopyPasteObject& Block : Blocks)
	{
		BuildBlock(Block, Outer, std::nullopt);
	}
}

std::vector<UObject*> FTextObjectTree::GetTopLevelObjects() const
{
	std::vector<UObject*> Objects;
	for (const FEntry& Entry : Entries)
	{
		if (!Entry.Parent)
		{
			Objects.push_back(Entry.Object);
		}
	}
	return Objects;
}

std::unordered_map<std::string_view, std::size_t>& FTextObjectTree::ScopeOf(std::optional<std::size_t> Parent)
{
	return Parent ? Entries[*Parent].ChildrenByName : TopLevelByName;
}

void FTextObjectTree::BuildBlock(const FCopyPasteObject& Block, UObject& Outer, std::optional<std::size_t> Parent)
{
	if (Block.Class.empty())
	{
		// `Begin Object Name=...` without a class re-opens an object made earlier in the same scope.
		const auto& Scope = ScopeOf(Parent);
		const auto Found = Scope.find(Block.Name);
		if (Found == Scope.end())
		{
			Warn("object " + Quoted(Block.Name) + " has no class and names no object made before it; skipped");
			return;
		}
		Entries[Found->second].Blocks.push_back(&Block);
		BuildChildren(Block, Found->second);
		return;
	}
	UClass* const Class = ResolveTextObjectClass(Block.Class);
	if (Class == nullptr || Class->HasAnyClassFlags(CLASS_Abstract))
	{
		Warn("object " + Quoted(Block.Name) + " has " + (Class == nullptr ? "an unknown" : "the abstract") + " class " + Block.Class + "; skipped with everything inside it");
		return;
	}
	bool bOmitSubObjects = false;
	if (!Parent && !CanCreate(Class, bOmitSubObjects))
	{
		Warn("object " + Quoted(Block.Name) + " of class " + Block.Class + " is not made by this paste; skipped with everything inside it");
		return;
	}
	UObject* const Object = StaticConstructObject(Class, &Outer, PastedObjectName(Outer, Block.Name, *Class), Flags);
	if (Object == nullptr)
	{
		Warn("object " + Quoted(Block.Name) + " of class " + Block.Class + " could not be made; skipped");
		return;
	}
	const std::size_t Index = Entries.size();
	Entries.push_back({Object, Block.Name, Parent, {&Block}, {}});
	EntryOfObject.emplace(Object, Index);
	ScopeOf(Parent).emplace(Block.Name, Index);
	if (!bOmitSubObjects)
	{
		BuildChildren(Block, Index);
	}
}

void FTextObjectTree::BuildChildren(const FCopyPasteObject& Block, std::size_t Entry)
{
	for (const FCopyPasteObject& Child : Block.Children)
	{
		BuildBlock(Child, *Entries[Entry].Object, Entry);
	}
}

std::optional<std::size_t> FTextObjectTree::FindNameFrom(std::optional<std::size_t> Start, std::string_view Name) const
{
	for (std::optional<std::size_t> Level = Start; Level; Level = Entries[*Level].Parent)
	{
		const FEntry& Entry = Entries[*Level];
		if (Entry.TextName == Name)
		{
			return *Level;
		}
		if (const auto Found = Entry.ChildrenByName.find(Name); Found != Entry.ChildrenByName.end())
		{
			return Found->second;
		}
	}
	const auto Found = TopLevelByName.find(Name);
	return Found != TopLevelByName.end() ? std::optional(Found->second) : std::nullopt;
}

std::optional<std::size_t> FTextObjectTree::FindDottedFrom(std::optional<std::size_t> Start, std::string_view DottedName) const
{
	std::size_t Dot = DottedName.find('.');
	std::optional<std::size_t> Current = FindNameFrom(Start, DottedName.substr(0, Dot));
	while (Current && Dot != std::string_view::npos)
	{
		DottedName.remove_prefix(Dot + 1);
		Dot = DottedName.find('.');
		const auto& Children = Entries[*Current].ChildrenByName;
		const auto Found = Children.find(DottedName.substr(0, Dot));
		Current = Found != Children.end() ? std::optional(Found->second) : std::nullopt;
	}
	return Current;
}

std::optional<std::size_t> FTextObjectTree::FindByFullPath(std::string_view Path) const
{
	// "/Package.Asset:Outer.Object": what follows the package names objects from the asset down.
	// The text's objects were copied from somewhere else, so the longest tail naming a top-level
	// object of the text and its sub-objects is the one meant.
	const std::size_t Colon = Path.rfind(':');
	const std::size_t Start = Colon != std::string_view::npos ? Colon : Path.find('.');
	for (std::string_view Names = Start != std::string_view::npos ? Path.substr(Start + 1) : std::string_view(); !Names.empty();)
	{
		if (const std::optional<std::size_t> Found = FindDottedFrom(std::nullopt, Names))
		{
			return Found;
		}
		const std::size_t Dot = Names.find('.');
		Names = Dot != std::string_view::npos ? Names.substr(Dot + 1) : std::string_view();
	}
	return std::nullopt;
}

UObject* FTextObjectTree::ResolveReference(const UObject& From, std::string_view ReferenceText)
{
	const std::string Path = ReferencedObjectPath(ReferenceText);
	if (Path.empty())
	{
		return nullptr;
	}
	const auto FromEntry = EntryOfObject.find(&From);
	const std::optional<std::size_t> Start = FromEntry != EntryOfObject.end() ? std::optional(FromEntry->second) : std::nullopt;
	const std::optional<std::size_t> Found = Path.starts_with('/') ? FindByFullPath(Path) : FindDottedFrom(Start, Path);
	if (!Found)
	{
		Warn(From.GetName() + ": " + std::string(ReferenceText) + " names no object of the pasted text; left unset");
		return nullptr;
	}
	return Entries[*Found].Object;
}

void FTextObjectTree::Warn(std::string Message)
{
	Warnings.push_back(std::move(Message));
}
