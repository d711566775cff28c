#include "ControlRig/ControlRigBlueprint.h"

#include "Assets/CopyPasteTextJsonLines.h"
#include "ControlRig/ModularRigModelJson.h"
#include "ControlRig/RigHierarchy.h"
#include "ControlRig/RigHierarchyJson.h"
#include "ControlRig/RigVMController.h"
#include "ControlRig/RigVMGraph.h"
#include "Core/JsonObject.h"
#include "Core/LogHost.h"

namespace
{
	/** The array at Key; absent reads as nothing, anything else as nothing with a warning. */
	std::shared_ptr<FJsonValueArray> ReadArrayField(const FJsonObject& File, std::string_view Key, std::vector<std::string>& OutWarnings)
	{
		const FJsonValue* const Value = File.TryGetField(Key);
		if (Value == nullptr)
		{
			return nullptr;
		}
		std::shared_ptr<FJsonValueArray> Array = Value->TryGetArray();
		if (!Array)
		{
			OutWarnings.push_back("\"" + std::string(Key) + "\" is not an array; it is left out");
		}
		return Array;
	}

	void AppendUnread(FJsonValueArray& Entries, const FJsonValueArray& Unread)
	{
		Entries.insert(Entries.end(), Unread.begin(), Unread.end());
	}

	/** Sets the array at Key, or removes the key when there is nothing to write. */
	void SetOrRemoveArray(FJsonObject& OutFile, std::string_view Key, FJsonValueArray Entries)
	{
		if (Entries.empty())
		{
			OutFile.RemoveField(Key);
		}
		else
		{
			OutFile.SetArrayField(Key, std::move(Entries));
		}
	}
}

void UControlRigBlueprint::LoadRigGraph(URigVMGraph& Graph, const FJsonValue& Lines, std::vector<std::string>& OutWarnings)
{
	const std::shared_ptr<FJsonValueArray> LineArray = Lines.TryGetArray();
	if (!LineArray)
	{
		OutWarnings.push_back("the nodes of graph " + Graph.GetName() + " are not an array of lines; the graph is empty");
		return;
	}
	const std::string Text = JoinCopyPasteTextLines(*LineArray, "a node line of graph " + Graph.GetName(), OutWarnings);
	URigVMController* const Controller = GetController(&Graph);
	if (Text.empty() || Controller == nullptr)
	{
		return;
	}
	if (Controller->ImportNodesFromText(Text).empty())
	{
		OutWarnings.push_back("no node of graph " + Graph.GetName() + " could be pasted; its lines are kept as written");
		UnreadEntries.GraphNodeLines[Graph.GetName()] = Lines;
	}
}

FJsonValueArray UControlRigBlueprint::SaveRigGraphNodes(const URigVMGraph& Graph) const
{
	const URigVMController* const Controller = GetController(&Graph);
	if (Graph.GetNodes().empty() || Controller == nullptr)
	{
		const auto Kept = UnreadEntries.GraphNodeLines.find(Graph.GetName());
		const std::shared_ptr<FJsonValueArray> Lines = Kept != UnreadEntries.GraphNodeLines.end() ? Kept->second.TryGetArray() : nullptr;
		return Lines ? *Lines : FJsonValueArray();
	}
	std::vector<std::string> NodeNames;
	NodeNames.reserve(Graph.GetNodes().size());
	for (const URigVMNode* const Node : Graph.GetNodes())
	{
		NodeNames.push_back(Node->GetName());
	}
	return SplitCopyPasteTextLines(Controller->ExportNodesToText(NodeNames));
}

bool UControlRigBlueprint::LoadAssetFields(const FJsonObject& File, std::string& OutError)
{
	if (!Super::LoadAssetFields(File, OutError))
	{
		return false;
	}
	std::vector<std::string> Warnings;
	if (const FJsonValue* const Mesh = File.TryGetField("previewMesh"))
	{
		if (const std::string* const Path = Mesh->TryGetString())
		{
			PreviewMeshPath = *Path;
		}
		else
		{
			Warnings.push_back("\"previewMesh\" is not text; the rig has no preview mesh");
		}
	}
	if (const std::shared_ptr<FJsonValueArray> Libraries = ReadArrayField(File, "shapeLibraries", Warnings))
	{
		for (const FJsonValue& Library : *Libraries)
		{
			if (const std::string* const Path = Library.TryGetString())
			{
				ShapeLibraries.push_back(*Path);
			}
			else
			{
				Warnings.push_back("a shape library is not text; it is left out");
			}
		}
	}
	if (const std::shared_ptr<FJsonValueArray> Elements = ReadArrayField(File, "hierarchy", Warnings); Elements && Hierarchy != nullptr)
	{
		ReadRigHierarchy(*Elements, *Hierarchy, Warnings, UnreadEntries.Hierarchy);
	}
	if (const std::shared_ptr<FJsonValueArray> Graphs = ReadArrayField(File, "rigGraphs", Warnings))
	{
		for (const FJsonValue& Entry : *Graphs)
		{
			const std::shared_ptr<FJsonObject> Object = Entry.TryGetObject();
			const std::optional<std::string> Name = Object ? Object->TryGetStringField("name") : std::nullopt;
			URigVMGraph* const Graph = Name ? AddModel(*Name) : nullptr;
			if (Graph == nullptr)
			{
				Warnings.push_back("a rig graph needs a \"name\" that is a valid object name no other graph or member of the rig has; it is left out");
				UnreadEntries.RigGraphs.push_back(Entry);
			}
			else if (const FJsonValue* const Nodes = Object->TryGetField("nodes"))
			{
				LoadRigGraph(*Graph, *Nodes, Warnings);
			}
		}
	}
	if (const FJsonValue* const Library = File.TryGetField("functionLibrary"))
	{
		const std::shared_ptr<FJsonObject> Object = Library->TryGetObject();
		const FJsonValue* const Nodes = Object ? Object->TryGetField("nodes") : nullptr;
		if (Object == nullptr)
		{
			Warnings.push_back("\"functionLibrary\" is not an object; the function library is empty");
		}
		else if (Nodes != nullptr && FunctionLibrary != nullptr)
		{
			LoadRigGraph(*FunctionLibrary, *Nodes, Warnings);
		}
	}
	if (const std::shared_ptr<FJsonValueArray> Modules = ReadArrayField(File, "modules", Warnings))
	{
		ReadRigModules(*Modules, ModularRigModel, Warnings, UnreadEntries.Modules);
	}
	if (const std::shared_ptr<FJsonValueArray> Connections = ReadArrayField(File, "connections", Warnings))
	{
		ReadRigConnections(*Connections, ModularRigModel, Warnings, UnreadEntries.Connections);
	}
	for (const std::string& Warning : Warnings)
	{
		UE_LOG(LogHost, Warning, "Control Rig Blueprint %s: %s", GetPathName().c_str(), Warning.c_str());
	}
	return true;
}

void UControlRigBlueprint::SaveAssetFields(FJsonObject& OutFile) const
{
	Super::SaveAssetFields(OutFile);
	if (!PreviewMeshPath.empty())
	{
		OutFile.SetStringField("previewMesh", PreviewMeshPath);
	}
	else
	{
		OutFile.RemoveField("previewMesh");
	}
	FJsonValueArray Libraries;
	for (const std::string& Path : ShapeLibraries)
	{
		Libraries.emplace_back(Path);
	}
	OutFile.SetArrayField("shapeLibraries", std::move(Libraries));

	FJsonValueArray Elements = Hierarchy != nullptr ? WriteRigHierarchy(*Hierarchy) : FJsonValueArray();
	AppendUnread(Elements, UnreadEntries.Hierarchy);
	OutFile.SetArrayField("hierarchy", std::move(Elements));

	FJsonValueArray Graphs;
	for (const URigVMGraph* const Graph : Models)
	{
		auto Entry = std::make_shared<FJsonObject>();
		Entry->SetStringField("name", Graph->GetName());
		Entry->SetArrayField("nodes", SaveRigGraphNodes(*Graph));
		Graphs.emplace_back(std::move(Entry));
	}
	AppendUnread(Graphs, UnreadEntries.RigGraphs);
	OutFile.SetArrayField("rigGraphs", std::move(Graphs));

	FJsonValueArray LibraryNodes = FunctionLibrary != nullptr ? SaveRigGraphNodes(*FunctionLibrary) : FJsonValueArray();
	if (!LibraryNodes.empty())
	{
		auto Library = std::make_shared<FJsonObject>();
		Library->SetArrayField("nodes", std::move(LibraryNodes));
		OutFile.SetObjectField("functionLibrary", std::move(Library));
	}
	else
	{
		OutFile.RemoveField("functionLibrary");
	}

	FJsonValueArray Modules = WriteRigModules(ModularRigModel);
	AppendUnread(Modules, UnreadEntries.Modules);
	SetOrRemoveArray(OutFile, "modules", std::move(Modules));
	FJsonValueArray Connections = WriteRigConnections(ModularRigModel);
	AppendUnread(Connections, UnreadEntries.Connections);
	SetOrRemoveArray(OutFile, "connections", std::move(Connections));
}
