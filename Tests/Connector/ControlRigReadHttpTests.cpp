#include "Connector/ControlRigHttpTestSupport.h"

#include "ControlRig/ControlRig.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/Package.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace
{
	class ControlRigReadOverHttp : public ControlRigRouteTest
	{
	protected:
		std::shared_ptr<FJsonObject> Read(std::string_view Path) { return PostPath("/korvane/controlrig/read", Path); }

		/** Rig instances in the transient package: all of them, and those not marked as garbage. */
		std::pair<int, int> CountRigInstances()
		{
			return Editor.OnGameThread([]() {
				std::pair<int, int> Counts;
				for (const UObject* Object : GetTransientPackage()->GetInnerObjects())
				{
					if (Object->IsA<UControlRig>())
					{
						++Counts.first;
						Counts.second += Object->IsGarbage() ? 0 : 1;
					}
				}
				return Counts;
			});
		}

		/** The asset's rig graph lines as one copy-paste text, as the rig editor copies them. */
		std::string AssetGraphText(std::string_view Relative, std::size_t GraphIndex)
		{
			const std::shared_ptr<FJsonObject> Asset = FJsonSerializer::DeserializeObject(Editor.Project().ReadFile(Relative));
			std::string Text;
			for (const FJsonValue& Line : *ObjectsOf(*Asset, "rigGraphs")[GraphIndex]->TryGetArrayField("nodes"))
			{
				Text += *Line.TryGetString() + "\r\n";
			}
			return Text;
		}
	};
}

TEST_F(ControlRigReadOverHttp, RigAnswersItsGraphTextVariablesMeshAndHierarchy)
{
	Start();
	const std::shared_ptr<FJsonObject> Rig = Read(MannequinRigPath);
	EXPECT_EQ(KeysOf(*Rig), (std::vector<std::string>{"name", "path", "graphs", "variables", "previewMesh", "morphTargets", "hierarchy", "success"}));
	EXPECT_EQ(Rig->TryGetBoolField("success"), true);
	EXPECT_EQ(Rig->TryGetStringField("previewMesh"), MannequinMeshPath);

	// The function library (which holds a node) is no event graph and is never listed.
	const std::vector<std::shared_ptr<FJsonObject>> Graphs = ObjectsOf(*Rig, "graphs");
	ASSERT_EQ(Graphs.size(), 1u);
	EXPECT_EQ(KeysOf(*Graphs[0]), (std::vector<std::string>{"name", "nodeCount", "text"}));
	EXPECT_EQ(Graphs[0]->TryGetStringField("name"), "RigVMModel");
	EXPECT_EQ(Graphs[0]->TryGetNumberField("nodeCount"), 10.0);
	EXPECT_EQ(Graphs[0]->TryGetStringField("text"), AssetGraphText("Content/Rigs/CR_Mannequin.asset.json", 0)) << "the graph copies as it was pasted";

	EXPECT_EQ(Condensed(*Rig->TryGetField("variables")),
		R"([{"name":"ArmReach","cppType":"float"},{"name":"bMirror","cppType":"bool"},{"name":"AimOffset","cppType":"FVector"}])");
	const std::vector<std::string> Names = NamesOf(*Rig, "hierarchy");
	EXPECT_EQ(Names.size(), 31u);
	EXPECT_EQ(ElementNamed(*Rig, "hierarchy", "head_ctrl"), ElementNamed(*PostPath("/korvane/controlrigs/hierarchy", MannequinRigPath), "elements", "head_ctrl"));
	EXPECT_EQ(CountRigInstances().first, 0) << "a rig with its own hierarchy is read without an instance";
}

TEST_F(ControlRigReadOverHttp, ModularRigAnswersItsModulesWithConnectorsTargetsOverridesAndBindings)
{
	Start();
	const std::shared_ptr<FJsonObject> Rig = Read("/Game/Rigs/CR_Modular_Mannequin.CR_Modular_Mannequin");
	EXPECT_EQ(KeysOf(*Rig), (std::vector<std::string>{"name", "path", "graphs", "variables", "previewMesh", "morphTargets", "hierarchy", "isModular",
		"modules", "success"}));
	EXPECT_EQ(Rig->TryGetBoolField("isModular"), true);
	EXPECT_EQ(NamesOf(*Rig, "hierarchy").size(), 21u) << "the connectors of its own hierarchy are no elements of the answer";
	// Prefixes come off the connector names; a primary connector has no optional or array flag.
	EXPECT_EQ(Condensed(*Rig->TryGetField("modules")),
		R"([{"name":"Spine","className":"/Game/Rigs/Modules/CR_Module_Spine.CR_Module_Spine_C",)"
		R"("connectors":[{"name":"Root","kind":"Primary","targets":[{"type":"Bone","name":"pelvis"}]}],)"
		R"("configOverrides":[{"path":"Settings.SegmentCount","value":"3"}]},)"
		R"({"name":"Arm","parent":"Spine","className":"/Game/Rigs/Modules/CR_Module_Arm.CR_Module_Arm_C",)"
		R"("connectors":[{"name":"Root","kind":"Primary","targets":[{"type":"Bone","name":"clavicle_l"}]},)"
		R"({"name":"Chest","kind":"Secondary","optional":true,"targets":[{"type":"Bone","name":"spine_03"}]},)"
		R"({"name":"Fingers","kind":"Secondary","isArray":true,"targets":[{"type":"Bone","name":"hand_l"},{"type":"Bone","name":"lowerarm_l"}]}],)"
		R"("configOverrides":[{"path":"Settings.ArmLength","value":"52.000000"},{"path":"Settings.bUseIK","value":"True"}],)"
		R"("bindings":{"ArmReach":"Spine/Reach","IkBlend":"Spine/IkBlend"}}])");
}

TEST_F(ControlRigReadOverHttp, ModularRigWithAnEmptyHierarchyAnswersWhatItsConstructionBuilds)
{
	Start();
	const std::shared_ptr<FJsonObject> Rig = Read("/Game/Rigs/CR_Modular_Empty.CR_Modular_Empty");
	EXPECT_EQ(KeysOf(*Rig), (std::vector<std::string>{"name", "path", "graphs", "variables", "hierarchyFromInstance", "hierarchy", "isModular", "modules", "success"}));
	EXPECT_EQ(Rig->TryGetBoolField("hierarchyFromInstance"), true);
	EXPECT_THAT(NamesOf(*Rig, "hierarchy"),
		ElementsAre("Spine/spine_base", "Spine/hips_ctrl", "Spine/chest", "Spine/chest_ctrl", "Arm/shoulder", "Arm/shoulder_ctrl", "Arm/hand", "Arm/hand_ik_ctrl"));
	// The arm module hangs under the spine module's chest, its primary connector's target.
	EXPECT_THAT(ElementNamed(*Rig, "hierarchy", "Arm/shoulder"), HasSubstr(R"("parent":"Spine/chest","position":[0,0,37])"));
	// Connectors come from the Blueprint's own (empty) hierarchy only.
	for (const std::shared_ptr<FJsonObject>& Module : ObjectsOf(*Rig, "modules"))
	{
		EXPECT_FALSE(Module->HasField("connectors")) << Condensed(*Module);
	}
	EXPECT_EQ(CountRigInstances(), std::make_pair(1, 0)) << "one instance was made for the read and dropped after it";
}

TEST_F(ControlRigReadOverHttp, NonModularRigWithAnEmptyHierarchyAnswersItEmptyWithoutAnInstance)
{
	const std::string Path = WriteRig("CR_Empty", R"("rigGraphs": [{"name": "RigVMModel", "nodes": []}, {"name": "Secondary", "nodes": []}])");
	Start();
	const std::shared_ptr<FJsonObject> Rig = Read(Path);
	EXPECT_EQ(Condensed(*Rig), R"({"name":"CR_Empty","path":"/Game/Tests/CR_Empty.CR_Empty","graphs":[{"name":"RigVMModel","nodeCount":0,"text":""},)"
							   R"({"name":"Secondary","nodeCount":0,"text":""}],"variables":[],"hierarchy":[],"success":true})");
	EXPECT_EQ(CountRigInstances().first, 0);
}

TEST_F(ControlRigReadOverHttp, ConnectorsAreGroupedByTheirModuleAndLoseItsPrefixInAnyLetterCase)
{
	const std::string Path = WriteRig("CR_Prefixes", R"("hierarchy": [
		{"type": "Bone", "name": "root"},
		{"type": "Connector", "name": "arm/Root", "module": "Arm", "connector": {"type": "Primary", "optional": true, "isArray": true}},
		{"type": "Connector", "name": "Armature", "module": "Arm", "connector": {"type": "Secondary"}},
		{"type": "Connector", "name": "Stray", "connector": {"type": "Secondary", "optional": true}},
		{"type": "Connector", "name": "Leg/Root", "module": "Leg"}],
		"modules": [{"name": "Arm", "class": "/Game/Rigs/Modules/CR_Module_Arm.CR_Module_Arm_C"}],
		"connections": [{"connector": {"type": "Connector", "name": "arm/Root"}, "targets": [{"type": "Bone", "name": "root"}]}])");
	Start();
	const std::shared_ptr<FJsonObject> Rig = Read(Path);
	// "Armature" does not start with "Arm/" and keeps its name; the connector of no module and that of the module the rig
	// lacks belong to no module object.
	EXPECT_EQ(Condensed(*Rig->TryGetField("modules")), R"([{"name":"Arm","className":"/Game/Rigs/Modules/CR_Module_Arm.CR_Module_Arm_C","connectors":[)"
														R"({"name":"Root","kind":"Primary","targets":[{"type":"Bone","name":"root"}]},)"
														R"({"name":"Armature","kind":"Secondary"}]}])");
	EXPECT_FALSE(Rig->HasField("hierarchyFromInstance"));
}

TEST_F(ControlRigReadOverHttp, RequestErrorsAnswerOnlyAnErrorKey)
{
	Start();
	const auto ErrorOf = [this](std::string_view Body) { return Condensed(*Post("/korvane/controlrig/read", Body)); };
	EXPECT_EQ(ErrorOf("{"), R"({"error":"Invalid JSON body"})");
	EXPECT_EQ(ErrorOf(R"({"name":"CR_Mannequin"})"), R"({"error":"Missing 'path' field"})");
	EXPECT_EQ(ErrorOf(R"({"path":"Game/Rigs/CR_Mannequin.CR_Mannequin"})"), R"({"error":"Invalid asset path"})");
	EXPECT_EQ(ErrorOf(R"({"path":"/Game/Characters/Mannequin/SKM_Mannequin.SKM_Mannequin"})"), R"({"error":"Control Rig Blueprint not found at path"})");
}
