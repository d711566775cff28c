#pragma once

#include "Blueprints/Blueprint.h"
#include "ControlRig/ModularRigModel.h"
#include "Core/JsonValue.h"
#include "Objects/ObjectPtr.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class UControlRigShapeLibrary;
class URigHierarchy;
class URigVMController;
class URigVMFunctionLibrary;
class URigVMGraph;
class USkeletalMesh;

/** A rig member variable as the rig editor describes it: its name and its C++ type text ("float", "FVector", "bool"). */
struct FRigVMGraphVariableDescription
{
	std::string Name;
	std::string CPPType;
	std::string DefaultValue;
};

/**
 * A Control Rig Blueprint: a Blueprint whose class is a rig. On top of the Blueprint's
 * variables it holds its setup hierarchy, its rig graphs (top-level graphs with a controller
 * each, and a function library), the shape libraries its controls are drawn with, the preview
 * mesh the rig editor shows, and for a modular rig its modules and connections. Its generated
 * class derives from ControlRig; instances of it run the graphs. docs/PROJECT_FORMAT.md gives
 * the asset's fields.
 */
class UControlRigBlueprint : public UBlueprint
{
	DECLARE_ENGINE_CLASS(UControlRigBlueprint, UBlueprint, "/Script/ControlRigDeveloper.ControlRigBlueprint")

public:
	/** Made with the Blueprint (its "Hierarchy" sub-object). */
	TObjectPtr<URigHierarchy> Hierarchy;
	/** Object paths of the shape libraries, in order. */
	std::vector<std::string> ShapeLibraries;
	FModularRigModel ModularRigModel;

	/** Makes the hierarchy and the function library with its controller; a new rig derives from ControlRig. */
	void PostInitProperties() override;

	/** The preview mesh, loaded; nullptr when the rig has none or it does not load as a skeletal mesh. */
	USkeletalMesh* GetPreviewMesh() const;
	void SetPreviewMesh(USkeletalMesh* Mesh);
	/** The member variables with their rig C++ type text, in order. */
	std::vector<FRigVMGraphVariableDescription> GetMemberVariables() const;

	/** Every rig graph: the top-level graphs in order, then the function library, then graphs nested in nodes. */
	std::vector<URigVMGraph*> GetAllModels() const;
	/** The first top-level graph ("RigVMModel"); nullptr when there is none. */
	URigVMGraph* GetModel() const;
	URigVMFunctionLibrary* GetLocalFunctionLibrary() const;
	/** The controller that edits Graph; nullptr for a graph that has none. */
	URigVMController* GetController(const URigVMGraph* Graph) const;
	/** A new top-level graph with its controller; nullptr when the name is taken. */
	URigVMGraph* AddModel(std::string_view Name);

	/** The shape libraries of ShapeLibraries that load, in order. */
	std::vector<UControlRigShapeLibrary*> LoadShapeLibraries() const;
	/** A modular rig has at least one module. */
	bool IsModularRig() const { return !ModularRigModel.Modules.empty(); }

	bool LoadAssetFields(const FJsonObject& File, std::string& OutError) override;
	void SaveAssetFields(FJsonObject& OutFile) const override;
	void GetAssetRegistryTags(std::vector<FAssetRegistryTag>& OutTags) const override;

	/** The preview mesh's object path as the asset holds it; empty without one. */
	const std::string& GetPreviewMeshPath() const { return PreviewMeshPath; }

private:
	URigVMController* MakeController(URigVMGraph* Graph);

	/** Asset file entries that could not be read, written back as they were when the asset is saved. */
	struct FUnreadRigEntries
	{
		FJsonValueArray Hierarchy;
		FJsonValueArray RigGraphs;
		FJsonValueArray Modules;
		FJsonValueArray Connections;
		/** Per graph name, node lines nothing could be pasted from; saved again while the graph stays empty. */
		std::unordered_map<std::string, FJsonValue> GraphNodeLines;
	};

	void LoadRigGraph(URigVMGraph& Graph, const FJsonValue& Lines, std::vector<std::string>& OutWarnings);
	FJsonValueArray SaveRigGraphNodes(const URigVMGraph& Graph) const;

	std::string PreviewMeshPath;
	std::vector<URigVMGraph*> Models;
	URigVMFunctionLibrary* FunctionLibrary = nullptr;
	std::vector<URigVMController*> Controllers;
	URigVMController* FunctionLibraryController = nullptr;
	FUnreadRigEntries UnreadEntries;
};
