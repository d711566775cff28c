#pragma once

#include "Graph/CopyPasteText.h"
#include "Objects/ObjectFlags.h"
#include "Objects/ObjectTextImport.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class UClass;
class UObject;

/**
 * The class a `Class=` attribute names: a script path ("/Script/UMG.Button"), the short name older
 * editors wrote ("Button"), or a Blueprint's generated class ("/Game/UI/WBP_Menu.WBP_Menu_C",
 * loaded when needed); nullptr when there is none.
 */
UClass* ResolveTextObjectClass(std::string_view ClassText);

/**
 * The objects a copy-paste text makes, as the text nests them: each with the blocks it reads its
 * lines from and the name the text calls it (which the object keeps unless that name was taken).
 * Builds them into an outer, then answers the references between them for the lines' import.
 */
class FTextObjectTree final : public FObjectTextImportContext
{
public:
	/** Whether a top-level object of the class is made, and whether its nested blocks are left out. */
	using FClassFilter = std::function<bool(UClass* Class, bool& bOmitSubObjects)>;

	struct FEntry
	{
		UObject* Object = nullptr;
		/** The name the text gives the object (viewing its block); references use it even when the object was renamed. */
		std::string_view TextName;
		std::optional<std::size_t> Parent;
		/** The object's block, then any later `Begin Object Name=...` block of the same scope that re-opens it. */
		std::vector<const FCopyPasteObject*> Blocks;
		/** The sub-objects by text name; the first of a name wins. */
		std::unordered_map<std::string_view, std::size_t> ChildrenByName;
	};

	FTextObjectTree(EObjectFlags InFlags, FClassFilter InCanCreate, std::vector<std::string>& InWarnings);

	/** Makes the objects of the top-level blocks (and their sub-objects) inside Outer, in text order. */
	void Build(const std::vector<FCopyPasteObject>& Blocks, UObject& Outer);

	/** Every object made, each before its sub-objects, in text order. */
	const std::vector<FEntry>& GetEntries() const { return Entries; }
	/** The top-level objects made, in text order. */
	std::vector<UObject*> GetTopLevelObjects() const;

	UObject* ResolveReference(const UObject& From, std::string_view ReferenceText) override;
	void Warn(std::string Message) override;

private:
	void BuildBlock(const FCopyPasteObject& Block, UObject& Outer, std::optional<std::size_t> Parent);
	void BuildChildren(const FCopyPasteObject& Block, std::size_t Entry);
	std::unordered_map<std::string_view, std::size_t>& ScopeOf(std::optional<std::size_t> Parent);
	/** The object a bare name stands for, looked up from Start outward. */
	std::optional<std::size_t> FindNameFrom(std::optional<std::size_t> Start, std::string_view Name) const;
	/** The object a dotted name ("Panel.Slot") stands for, its first part looked up from Start outward. */
	std::optional<std::size_t> FindDottedFrom(std::optional<std::size_t> Start, std::string_view DottedName) const;
	/** The object a full path ("/Engine/Transient.Tree:Panel.Slot") ends with, when the text holds it. */
	std::optional<std::size_t> FindByFullPath(std::string_view Path) const;

	EObjectFlags Flags;
	FClassFilter CanCreate;
	std::vector<std::string>& Warnings;
	std::vector<FEntry> Entries;
	std::unordered_map<std::string_view, std::size_t> TopLevelByName;
	std::unordered_map<const UObject*, std::size_t> EntryOfObject;
};
