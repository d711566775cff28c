#include "Editor/Factories/CustomizableTextObjectFactory.h"

#include "Editor/Factories/TextObjectTree.h"
#include "Editor/Factories/TextPropertyImport.h"
#include "Graph/CopyPasteTextLines.h"
#include "Objects/Class.h"
#include "Objects/Object.h"

namespace
{
	/** The line as it stood in the text, without its indentation. */
	std::string LineText(const FCopyPasteProperty& Property)
	{
		std::string Line;
		CopyPasteLines::AppendProperty(Line, Property);
		return Line;
	}

	std::string LineText(const FCopyPasteCustomProperty& Custom)
	{
		std::string Line;
		CopyPasteLines::AppendCustomProperty(Line, Custom.Kind, Custom.Text);
		return Line;
	}

	void KeepOrDrop(UObject& Object, const std::string& Line, FObjectTextImportContext& Context)
	{
		if (!Object.KeepTextLine(Line))
		{
			Context.Warn(Object.GetName() + ": line " + Line + " is read by nothing of class " + Object.GetClass()->GetName() + "; dropped");
		}
	}

	/** A property line: a native member of the object, else a reflected property, else kept as written. */
	void ImportLine(UObject& Object, const FCopyPasteProperty& Property, FObjectTextImportContext& Context)
	{
		const FObjectTextLine Line{Property.Name, Property.ArrayIndex, Property.Value};
		if (Object.ImportTextMember(Line, Context) || ImportReflectedPropertyLine(Object, Line, Context))
		{
			return;
		}
		KeepOrDrop(Object, LineText(Property), Context);
	}

	/** Every line of the object's blocks, in the order written. */
	void ImportLines(UObject& Object, const FCopyPasteObject& Block, FObjectTextImportContext& Context)
	{
		for (const FCopyPasteLayoutEntry& Entry : Block.Layout)
		{
			switch (Entry.Kind)
			{
			case ECopyPasteEntry::Property:
				ImportLine(Object, Block.Properties[Entry.Index], Context);
				break;
			case ECopyPasteEntry::CustomProperty:
				KeepOrDrop(Object, LineText(Block.CustomProperties[Entry.Index]), Context);
				break;
			case ECopyPasteEntry::OtherLine:
				KeepOrDrop(Object, Block.OtherLines[Entry.Index], Context);
				break;
			case ECopyPasteEntry::Child:
			case ECopyPasteEntry::ChildDefinition:
				break;
			}
		}
	}
}

void FCustomizableTextObjectFactory::ProcessBuffer(UObject* InParent, EObjectFlags Flags, std::string_view TextBuffer)
{
	Warnings.clear();
	if (InParent == nullptr)
	{
		Warn("no object to paste into");
		return;
	}
	const FCopyPasteParse Parse = ParseCopyPasteText(TextBuffer);
	for (const FCopyPasteWarning& Warning : Parse.Warnings)
	{
		Warn("line " + std::to_string(Warning.Line) + ": " + Warning.Message);
	}
	FTextObjectTree Tree(Flags, [this](UClass* Class, bool& bOmitSubObjects) { return CanCreateClass(Class, bOmitSubObjects); }, Warnings);
	Tree.Build(Parse.Document.Objects, *InParent);
	// Lines are read once every object exists, so a reference finds its object wherever it stands.
	for (const FTextObjectTree::FEntry& Entry : Tree.GetEntries())
	{
		for (const FCopyPasteObject* const Block : Entry.Blocks)
		{
			ImportLines(*Entry.Object, *Block, Tree);
		}
	}
	const std::vector<UObject*> TopLevelObjects = Tree.GetTopLevelObjects();
	PostImportObjects(TopLevelObjects);
	for (UObject* const Object : TopLevelObjects)
	{
		ProcessConstructedObject(Object);
	}
}

bool FCustomizableTextObjectFactory::CanCreateObjectsFromText(std::string_view TextBuffer) const
{
	bool bCanCreate = false;
	ReadCopyPasteText(TextBuffer, [&](FCopyPasteObject&& Object) {
		bool bOmitSubObjects = false;
		UClass* const Class = bCanCreate || Object.Class.empty() ? nullptr : ResolveTextObjectClass(Object.Class);
		bCanCreate = bCanCreate || (Class != nullptr && !Class->HasAnyClassFlags(CLASS_Abstract) && CanCreateClass(Class, bOmitSubObjects));
	});
	return bCanCreate;
}

void FCustomizableTextObjectFactory::PostImportObjects([[maybe_unused]] const std::vector<UObject*>& TopLevelObjects)
{
}
