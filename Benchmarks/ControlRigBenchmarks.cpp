#include "../Source/KorvaneConnector/Private/Endpoints/ControlRigEndpoints.h"
#include "ControlRig/ControlRigBlueprint.h"
#include "ControlRig/RigHierarchy.h"
#include "ControlRig/RigVMController.h"
#include "ControlRig/RigVMGraph.h"
#include "Core/Guid.h"
#include "Core/JsonSerializer.h"
#include "Core/Log.h"
#include "Core/Paths.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/Package.h"
#include "Runtime/EditorHost.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace
{
	constexpr int BoneCount = 200;
	constexpr int NullCount = 100;
	constexpr int ControlCount = 200;
	constexpr int GraphNodeCount = 300;
	constexpr int SnapshotSize = 512;

	/**
	 * An editor on a project holding the demo's mannequin (mesh, skeleton, materials) and its rigs,
	 * copied from the demo project; the folder is removed when it goes.
	 */
	class FRigBenchmarkEditor
	{
	public:
		FRigBenchmarkEditor()
			: Dir(UserTempDir() + "KorvaneRigBench-" + FGuid::NewGuid().ToString() + "/")
		{
			FLog::SetStderrEnabled(false);
			const std::string Demo = std::string(KORVANE_SOURCE_DIR) + "/Samples/DemoProject/";
			for (const char* Folder : {"Content/Characters", "Content/Rigs"})
			{
				std::filesystem::create_directories(Dir + Folder);
				std::filesystem::copy(Demo + Folder, Dir + Folder, std::filesystem::copy_options::recursive);
			}
			std::ofstream(Dir + "RigBench.uproject") << "{}";
			FEditorHostOptions Options;
			Options.ProjectDir = Dir;
			Options.HttpPort = 0;
			std::string Error;
			Host = FEditorHost::Create(Options, Error);
			if (!Host)
			{
				throw std::runtime_error(Error);
			}
		}
		~FRigBenchmarkEditor()
		{
			Host.reset();
			std::filesystem::remove_all(Dir);
		}
		FRigBenchmarkEditor(const FRigBenchmarkEditor&) = delete;
		FRigBenchmarkEditor& operator=(const FRigBenchmarkEditor&) = delete;

	private:
		std::string Dir;
		std::unique_ptr<FEditorHost> Host;
	};

	/**
	 * A rig in memory at /Game/Bench/CR_Bench: 200 bones (a spine of 20 and 18 chains of 10 off
	 * it), 100 nulls and 200 controls over them, and a forwards solve of 300 nodes: the event, then
	 * pairs of a GetTransform feeding a SetTransform down the execution chain, and one spare node.
	 */
	void MakeBenchmarkRig()
	{
		UPackage* const Package = CreatePackage("/Game/Bench/CR_Bench");
		UControlRigBlueprint* const Blueprint = NewObject<UControlRigBlueprint>(Package, "CR_Bench");
		URigHierarchy& Hierarchy = *Blueprint->Hierarchy;
		FTransform Step;
		Step.Translation = {0.0, 0.0, 10.0};
		for (int Bone = 0; Bone < BoneCount; ++Bone)
		{
			const int Parent = Bone < 20 ? Bone - 1 : (Bone % 10 == 0 ? (Bone / 10) - 1 : Bone - 1);
			const FRigElementKey ParentKey = Parent < 0 ? FRigElementKey{} : FRigElementKey{ERigElementType::Bone, "bone_" + std::to_string(Parent)};
			Hierarchy.AddElement({ERigElementType::Bone, "bone_" + std::to_string(Bone)}, ParentKey, Step);
		}
		for (int Null = 0; Null < NullCount; ++Null)
		{
			Hierarchy.AddElement({ERigElementType::Null, "space_" + std::to_string(Null)}, {ERigElementType::Bone, "bone_" + std::to_string(Null * 2)}, Step);
		}
		FRigControlSettings Settings;
		Settings.ShapeName = "Circle_Thin";
		Settings.ShapeColor = {0.2f, 0.6f, 1.0f, 1.0f};
		for (int Control = 0; Control < ControlCount; ++Control)
		{
			Hierarchy.AddControl({ERigElementType::Control, "ctrl_" + std::to_string(Control)}, {ERigElementType::Null, "space_" + std::to_string(Control / 2)}, Settings,
				Step);
		}

		URigVMGraph* const Graph = Blueprint->AddModel("RigVMModel");
		URigVMController* const Controller = Blueprint->GetController(Graph);
		Controller->AddUnitNodeFromStructPath("/Script/ControlRig.RigUnit_BeginExecution", "Execute", {}, "Begin");
		std::string Previous = "Begin";
		for (int Pair = 0; Pair < (GraphNodeCount - 1) / 2; ++Pair)
		{
			const std::string Get = "Get_" + std::to_string(Pair);
			const std::string Set = "Set_" + std::to_string(Pair);
			Controller->AddUnitNodeFromStructPath("/Script/ControlRig.RigUnit_GetTransform", "Execute", {}, Get);
			Controller->AddUnitNodeFromStructPath("/Script/ControlRig.RigUnit_SetTransform", "Execute", {}, Set);
			Controller->SetPinDefaultValue(Get + ".Item.Name", "ctrl_" + std::to_string(Pair));
			Controller->SetPinDefaultValue(Set + ".Item.Name", "bone_" + std::to_string(Pair));
			Controller->AddLink(Get + ".Transform", Set + ".Value");
			Controller->AddLink(Previous + ".ExecuteContext", Set + ".ExecuteContext");
			Previous = Set;
		}
		Controller->AddUnitNodeFromStructPath("/Script/RigVM.RigVMFunction_MathFloatAdd", "Execute", {}, "Spare");
	}

	std::string PathBody(std::string_view Path)
	{
		FJsonObject Body;
		Body.SetStringField("path", Path);
		return FJsonSerializer::SerializeCondensed(Body);
	}

	/** POST /korvane/controlrigs/hierarchy of a 500-element rig, as the route handler runs it. */
	void BM_ControlRigHierarchy500Elements(benchmark::State& State)
	{
		const FRigBenchmarkEditor Editor;
		MakeBenchmarkRig();
		const std::string Body = PathBody("/Game/Bench/CR_Bench.CR_Bench");
		double Count = 0;
		for (auto _ : State)
		{
			const std::shared_ptr<FJsonObject> Response = GetControlRigHierarchy(Body);
			Count = Response->TryGetNumberField("count").value_or(0);
			if (Count != BoneCount + NullCount + ControlCount)
			{
				State.SkipWithError(("the hierarchy is not whole: " + FJsonSerializer::SerializeCondensed(*Response).substr(0, 500)).c_str());
				break;
			}
		}
		State.counters["elements"] = Count;
	}
	BENCHMARK(BM_ControlRigHierarchy500Elements)->Unit(benchmark::kMillisecond);

	/** POST /korvane/controlrig/read of that rig: the 300 nodes' copy-paste text, the variables and the 500 elements. */
	void BM_ControlRigRead300Nodes(benchmark::State& State)
	{
		const FRigBenchmarkEditor Editor;
		MakeBenchmarkRig();
		const std::string Body = PathBody("/Game/Bench/CR_Bench.CR_Bench");
		double Nodes = 0;
		std::size_t TextBytes = 0;
		for (auto _ : State)
		{
			const std::shared_ptr<FJsonObject> Response = ReadControlRig(Body);
			const std::shared_ptr<FJsonValueArray> Graphs = Response->TryGetArrayField("graphs");
			if (Response->TryGetBoolField("success") != true || !Graphs || Graphs->size() != 1)
			{
				State.SkipWithError(("the read failed: " + FJsonSerializer::SerializeCondensed(*Response).substr(0, 500)).c_str());
				break;
			}
			Nodes = Graphs->front().TryGetObject()->TryGetNumberField("nodeCount").value_or(0);
			TextBytes = Graphs->front().TryGetObject()->TryGetStringField("text").value_or("").size();
		}
		State.counters["nodes"] = Nodes;
		State.counters["textBytes"] = static_cast<double>(TextBytes);
	}
	BENCHMARK(BM_ControlRigRead300Nodes)->Unit(benchmark::kMillisecond);

	/**
	 * POST /korvane/controlrig/snapshot of the demo mannequin rig at 512²: the forwards solve, the
	 * posed mesh and six control shapes, and eight views rendered, read back and JPEG-encoded.
	 */
	void BM_ControlRigSnapshot512EightViews(benchmark::State& State)
	{
		const FRigBenchmarkEditor Editor;
		const std::string Body = R"({"path":"/Game/Rigs/CR_Mannequin.CR_Mannequin","size":)" + std::to_string(SnapshotSize) + "}";
		double Views = 0;
		for (auto _ : State)
		{
			const std::shared_ptr<FJsonObject> Response = GetControlRigSnapshot(Body);
			Views = Response->TryGetNumberField("count").value_or(0);
			if (Views != 8)
			{
				State.SkipWithError(("the snapshot did not render every view: " + FJsonSerializer::SerializeCondensed(*Response).substr(0, 500)).c_str());
				break;
			}
			State.PauseTiming();
			CollectGarbage();
			State.ResumeTiming();
		}
		State.counters["views"] = Views;
	}
	BENCHMARK(BM_ControlRigSnapshot512EightViews)->Unit(benchmark::kMillisecond);
}
