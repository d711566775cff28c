#include "../Source/KorvaneConnector/Private/Endpoints/MaterialEndpoints.h"
#include "../Source/KorvaneConnector/Private/Endpoints/MaterialExport.h"
#include "../Source/KorvaneConnector/Private/Endpoints/MaterialPasteDeploy.h"
#include "BenchmarkEditor.h"
#include "GeneratedProject.h"

#include "Blueprints/BlueprintEditorUtils.h"
#include "Core/JsonSerializer.h"
#include "Materials/Material.h"
#include "Materials/MaterialEditingLibrary.h"
#include "Materials/MaterialExpressions.h"
#include "Materials/MaterialFunction.h"
#include "Materials/MaterialGraph.h"
#include "Objects/Class.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/Package.h"
#include "Textures/Texture.h"

#include <benchmark/benchmark.h>

#include <array>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace
{
	/**
	 * The material is 100 blocks of ten expressions, each block wired by fifteen connections, and
	 * the static switch of every fourth block by two more (a switch compiles only with both branches).
	 */
	constexpr int BlockCount = 100;
	constexpr int TextureCount = 10;
	constexpr std::string_view BenchFolder = "/Game/Bench";

	/** One connection as it was made, by the names the editing library and the desktop app use. */
	struct FWire
	{
		UMaterialExpression* From = nullptr;
		std::string FromOutput;
		UMaterialExpression* To = nullptr;
		std::string ToInput;
	};

	/** One link to a material property input, by the desktop app's pin name. */
	struct FResultWire
	{
		UMaterialExpression* From = nullptr;
		EMaterialProperty Property = MP_MAX;
		std::string PinName;
	};

	struct FBenchMaterial
	{
		UMaterial* Material = nullptr;
		std::vector<FWire> Wires;
		std::vector<FResultWire> ResultWires;
	};

	template <typename T>
	T* NewBenchAsset(std::string_view Name, std::string_view ClassPath)
	{
		UPackage* const Package = CreatePackage(std::string(BenchFolder) + "/" + std::string(Name));
		return NewObject<T>(Package, FindEngineClassChecked(ClassPath), Name, RF_Public | RF_Standalone);
	}

	/** MF_Blend: two scalar inputs, Base and Detail, and one output reading Base. */
	UMaterialFunction* MakeBlendFunction()
	{
		auto* const Function = NewBenchAsset<UMaterialFunction>("MF_Blend", "/Script/Engine.MaterialFunction");
		for (const std::string_view Name : {"Base", "Detail"})
		{
			UMaterialExpression* const Input = NewMaterialExpression(Function, "/Script/Engine.MaterialExpressionFunctionInput");
			Input->Function = Function;
			Input->SetKeptPropertyText("InputName", std::string(1, '"').append(Name).append(1, '"'));
			Input->SetKeptPropertyText("InputType", "FunctionInput_Scalar");
			Input->SetKeptPropertyText("Id", FGuid::NewGuid().ToString());
			Function->FunctionExpressions.push_back(Input);
		}
		UMaterialExpression* const Output = NewMaterialExpression(Function, "/Script/Engine.MaterialExpressionFunctionOutput");
		Output->Function = Function;
		Output->GetInput(0)->Connect(0, *Function->FunctionExpressions.front());
		Function->FunctionExpressions.push_back(Output);
		return Function;
	}

	class FBenchMaterialBuilder
	{
	public:
		explicit FBenchMaterialBuilder(std::string_view Name)
		{
			Result.Material = NewBenchAsset<UMaterial>(Name, "/Script/Engine.Material");
			for (int Index = 0; Index < TextureCount; ++Index)
			{
				Textures[Index] = NewBenchAsset<UTexture>("T_Bench_" + std::to_string(Index), "/Script/Engine.Texture2D");
			}
			BlendFunction = MakeBlendFunction();
		}

		/**
		 * Each block: a parameter (scalar, vector, 2D texture and static switch in turn), a texture
		 * coordinate feeding a texture sample, a one-minus of the parameter, multiply, add, a lerp
		 * that also reads the block before, custom code with two inputs, a power (a call of MF_Blend
		 * in every tenth block) and a closing multiply.
		 */
		FBenchMaterial Build() &&
		{
			UMaterialExpression* Previous = nullptr;
			for (int Block = 0; Block < BlockCount; ++Block)
			{
				Previous = AddBlock(Block, Previous);
			}
			Connect(Previous, "", MP_BaseColor, "BaseColor");
			Connect(FirstOfKind[0], "", MP_Roughness, "Roughness");
			Connect(FirstOfKind[1], "", MP_EmissiveColor, "EmissiveColor");
			Connect(FirstOfKind[2], "R", MP_Metallic, "Metallic");
			return std::move(Result);
		}

	private:
		UMaterialExpression* Add(std::string_view ClassPath, int Block, int Slot)
		{
			UMaterialExpression* const Expression =
				UMaterialEditingLibrary::CreateMaterialExpression(Result.Material, FindEngineClassChecked(ClassPath), -3200 + Slot * 320, Block * 240);
			if (Expression == nullptr)
			{
				throw std::runtime_error("cannot create " + std::string(ClassPath));
			}
			return Expression;
		}

		void Connect(UMaterialExpression* From, std::string_view FromOutput, UMaterialExpression* To, std::string_view ToInput)
		{
			if (!UMaterialEditingLibrary::ConnectMaterialExpressions(From, FromOutput, To, ToInput))
			{
				throw std::runtime_error("cannot connect " + From->GetName() + " to " + To->GetName() + "." + std::string(ToInput));
			}
			Result.Wires.push_back({From, std::string(FromOutput), To, std::string(ToInput)});
		}

		void Connect(UMaterialExpression* From, std::string_view FromOutput, EMaterialProperty Property, std::string_view PinName)
		{
			if (!UMaterialEditingLibrary::ConnectMaterialProperty(From, FromOutput, Property))
			{
				throw std::runtime_error("cannot connect " + From->GetName() + " to " + std::string(PinName));
			}
			Result.ResultWires.push_back({From, Property, std::string(PinName)});
		}

		UMaterialExpression* AddParameter(int Block)
		{
			static constexpr std::array<std::string_view, 4> Classes = {"/Script/Engine.MaterialExpressionScalarParameter",
				"/Script/Engine.MaterialExpressionVectorParameter", "/Script/Engine.MaterialExpressionTextureSampleParameter2D",
				"/Script/Engine.MaterialExpressionStaticSwitchParameter"};
			const int Kind = Block % 4;
			UMaterialExpression* const Parameter = Add(Classes[Kind], Block, 0);
			FMaterialParameterFields::SetParameterName(*Parameter, "Param_" + std::to_string(Block));
			if (auto* const Scalar = Cast<UMaterialExpressionScalarParameter>(Parameter))
			{
				Scalar->SetDefaultValue(static_cast<float>(Block) / BlockCount);
			}
			else if (auto* const Vector = Cast<UMaterialExpressionVectorParameter>(Parameter))
			{
				Vector->SetDefaultValue({1.0f, static_cast<float>(Block) / BlockCount, 0.25f, 1.0f});
			}
			else if (auto* const Texture = Cast<UMaterialExpressionTextureSampleParameter>(Parameter))
			{
				Texture->SetTexture(Textures[Block % TextureCount]);
			}
			else if (auto* const Switch = Cast<UMaterialExpressionStaticSwitchParameter>(Parameter))
			{
				Switch->SetDefaultValue(Block % 8 == 3);
			}
			if (FirstOfKind[Kind] == nullptr)
			{
				FirstOfKind[Kind] = Parameter;
			}
			return Parameter;
		}

		UMaterialExpression* AddBlock(int Block, UMaterialExpression* Previous)
		{
			UMaterialExpression* const Parameter = AddParameter(Block);
			const std::string_view ParameterOutput = Cast<UMaterialExpressionTextureSampleParameter>(Parameter) != nullptr ? "R" : "";

			UMaterialExpression* const Coordinate = Add("/Script/Engine.MaterialExpressionTextureCoordinate", Block, 1);
			auto* const Sample = Cast<UMaterialExpressionTextureSample>(Add("/Script/Engine.MaterialExpressionTextureSample", Block, 2));
			Sample->SetTexture(Textures[(Block * 3) % TextureCount]);
			Connect(Coordinate, "", Sample, "UVs");
			if (Parameter->IsA<UMaterialExpressionStaticSwitchParameter>())
			{
				Connect(Sample, "R", Parameter, "True");
				Connect(Sample, "G", Parameter, "False");
			}

			UMaterialExpression* const OneMinus = Add("/Script/Engine.MaterialExpressionOneMinus", Block, 3);
			Connect(Parameter, ParameterOutput, OneMinus, "");

			UMaterialExpression* const Multiply = Add("/Script/Engine.MaterialExpressionMultiply", Block, 4);
			Connect(Sample, "RGB", Multiply, "A");
			Connect(Parameter, ParameterOutput, Multiply, "B");

			UMaterialExpression* const Sum = Add("/Script/Engine.MaterialExpressionAdd", Block, 5);
			Connect(Multiply, "", Sum, "A");
			Connect(OneMinus, "", Sum, "B");

			UMaterialExpression* const Lerp = Add("/Script/Engine.MaterialExpressionLinearInterpolate", Block, 6);
			Connect(Sum, "", Lerp, "A");
			Connect(Previous != nullptr ? Previous : Sample, "", Lerp, "B");
			Connect(OneMinus, "", Lerp, "Alpha");

			auto* const Custom = Cast<UMaterialExpressionCustom>(Add("/Script/Engine.MaterialExpressionCustom", Block, 7));
			Custom->SetCode("float3 Mixed = lerp(A, B, 0.5);\r\nreturn Mixed * " + std::to_string(Block + 1) + ".0;");
			Custom->SetKeptPropertyText("Description", "\"Mix " + std::to_string(Block) + "\"");
			Custom->Inputs = {FExpressionInput{.InputName = "A"}, FExpressionInput{.InputName = "B"}};
			Connect(Lerp, "", Custom, "A");
			Connect(Parameter, ParameterOutput, Custom, "B");

			UMaterialExpression* Shaped = nullptr;
			if (Block % 10 == 9)
			{
				auto* const Call = Cast<UMaterialExpressionMaterialFunctionCall>(Add("/Script/Engine.MaterialExpressionMaterialFunctionCall", Block, 8));
				Call->SetMaterialFunction(BlendFunction);
				Connect(Custom, "", Call, "Base");
				Connect(OneMinus, "", Call, "Detail");
				Shaped = Call;
			}
			else
			{
				Shaped = Add("/Script/Engine.MaterialExpressionPower", Block, 8);
				Connect(Custom, "", Shaped, "Base");
				Connect(OneMinus, "", Shaped, "Exp");
			}

			UMaterialExpression* const Closing = Add("/Script/Engine.MaterialExpressionMultiply", Block, 9);
			Connect(Shaped, "", Closing, "A");
			Connect(Sample, "A", Closing, "B");
			return Closing;
		}

		FBenchMaterial Result;
		std::array<UTexture*, TextureCount> Textures{};
		UMaterialFunction* BlendFunction = nullptr;
		/** The first parameter of each kind, which the material's property inputs read. */
		std::array<UMaterialExpression*, 4> FirstOfKind{};
	};

	/** The generated material with its 1,000 expressions and 1,550 connections, in /Game/Bench. */
	FBenchMaterial BuildBenchMaterial(std::string_view Name)
	{
		FBenchMaterial Built = FBenchMaterialBuilder(Name).Build();
		if (Built.Material->GetExpressions().size() != 10u * BlockCount || Built.Wires.size() != 15u * BlockCount + 2u * (BlockCount / 4))
		{
			throw std::runtime_error("the generated material does not have 1,000 expressions and 1,550 connections");
		}
		return Built;
	}

	/**
	 * SerializeMaterial, PopulateNodeTextures and PopulateNodeCustomCode of the 1,000-expression
	 * material, as the send builds its payload (100 parameters of the four kinds, 125 textured
	 * samples, 100 custom code expressions, 10 function calls), the answer freed each run.
	 */
	void BM_SerializeMaterial1000Expressions(benchmark::State& State)
	{
		const FBenchmarkEditor Editor;
		const FBenchMaterial Bench = BuildBenchMaterial("M_Serialize");
		std::size_t Textures = 0;
		std::size_t CustomCode = 0;
		std::size_t Parameters = 0;
		for (auto _ : State)
		{
			const std::shared_ptr<FJsonObject> Payload = SerializeMaterial(Bench.Material);
			PopulateNodeTextures(Bench.Material, Payload);
			PopulateNodeCustomCode(Bench.Material, Payload);
			Textures = Payload->TryGetObjectField("nodeTextures")->Num();
			CustomCode = Payload->TryGetObjectField("nodeCustomCode")->Num();
			Parameters = 0;
			for (const std::string_view Key : {"scalarParameters", "vectorParameters", "textureParameters", "staticSwitchParameters"})
			{
				Parameters += Payload->TryGetArrayField(Key)->size();
			}
			benchmark::DoNotOptimize(Payload.get());
		}
		State.counters["parameters"] = static_cast<double>(Parameters);
		State.counters["nodeTextures"] = static_cast<double>(Textures);
		State.counters["nodeCustomCode"] = static_cast<double>(CustomCode);
	}
	BENCHMARK(BM_SerializeMaterial1000Expressions)->Unit(benchmark::kMillisecond);

	/** Where an expression's node stands: the desktop app finds pasted expressions by it first. */
	void SetPosition(FJsonObject& Entry, std::string_view Prefix, const UMaterialExpression& Expression)
	{
		Entry.SetNumberField(std::string(Prefix) + "PosX", Expression.MaterialExpressionEditorX);
		Entry.SetNumberField(std::string(Prefix) + "PosY", Expression.MaterialExpressionEditorY);
	}

	FJsonValueArray MakeConnections(const std::vector<FWire>& Wires)
	{
		FJsonValueArray Connections;
		for (const FWire& Wire : Wires)
		{
			auto Entry = std::make_shared<FJsonObject>();
			Entry->SetStringField("fromExpression", Wire.From->GetName());
			Entry->SetStringField("fromOutput", Wire.FromOutput);
			Entry->SetStringField("toExpression", Wire.To->GetName());
			Entry->SetStringField("toInput", Wire.ToInput);
			SetPosition(*Entry, "from", *Wire.From);
			SetPosition(*Entry, "to", *Wire.To);
			Connections.emplace_back(std::move(Entry));
		}
		return Connections;
	}

	FJsonValueArray MakeResultConnections(const std::vector<FResultWire>& Wires)
	{
		FJsonValueArray Connections;
		for (const FResultWire& Wire : Wires)
		{
			const FExpressionInput* const Input = Wire.From->Material->GetExpressionInputForProperty(Wire.Property);
			auto Entry = std::make_shared<FJsonObject>();
			Entry->SetStringField("pin", Wire.PinName);
			Entry->SetStringField("fromExpressionName", Wire.From->GetName());
			Entry->SetStringField("fromOutputName", Wire.From->GetOutputs().at(Input->OutputIndex).OutputName);
			SetPosition(*Entry, "from", *Wire.From);
			Connections.emplace_back(std::move(Entry));
		}
		return Connections;
	}

	/** The material's expression nodes as the editor copies them (the root left out), through its graph. */
	std::string CopyExpressionNodes(UMaterial& Material)
	{
		auto* const Graph = Cast<UMaterialGraph>(FBlueprintEditorUtils::CreateNewGraph(&Material, {}, UMaterialGraph::StaticClass(), UMaterialGraphSchema::StaticClass()));
		Graph->Material = &Material;
		Material.MaterialGraph = Graph;
		Graph->RebuildGraph();
		std::vector<const UEdGraphNode*> Nodes;
		for (const UEdGraphNode* const Node : Graph->GetNodes())
		{
			if (Cast<UMaterialGraphNode_Root>(Node) == nullptr)
			{
				Nodes.push_back(Node);
			}
		}
		return Graph->ExportNodesAsText(Nodes);
	}

	std::string PasteBody(FBenchMaterial& Source)
	{
		FJsonObject Body;
		Body.SetStringField("name", "M_Pasted");
		Body.SetStringField("path", BenchFolder);
		Body.SetBoolField("clearGraph", true);
		Body.SetStringField("clipboardText", CopyExpressionNodes(*Source.Material));
		Body.SetArrayField("connections", MakeConnections(Source.Wires));
		Body.SetArrayField("resultConnections", MakeResultConnections(Source.ResultWires));
		return FJsonSerializer::SerializeCondensed(Body);
	}

	/**
	 * POST /korvane/material/paste-t3d of the 1,000-expression material's node copy-paste text
	 * with its 1,550 connections and four result connections, as the route handler runs it:
	 * every run after the first clears the material the first one made, then pastes, wires,
	 * recompiles and reads the compile errors.
	 */
	void BM_MaterialPasteDeploy1000Expressions(benchmark::State& State)
	{
		const FBenchmarkEditor Editor;
		FBenchMaterial Source = BuildBenchMaterial("M_Source");
		const std::string Body = PasteBody(Source);
		double Imported = 0;
		double Wired = 0;
		double ResultsWired = 0;
		double CompileErrors = 0;
		for (auto _ : State)
		{
			const std::shared_ptr<FJsonObject> Response = PasteMaterialT3D(Body);
			if (Response->TryGetBoolField("success") != true || Response->HasField("expressionConnectionFailures") || Response->HasField("resultFailures"))
			{
				State.SkipWithError(("the paste failed: " + FJsonSerializer::SerializeCondensed(*Response).substr(0, 600)).c_str());
				break;
			}
			Imported = Response->TryGetNumberField("importedExpressions").value_or(0);
			Wired = Response->TryGetNumberField("expressionConnectionsWired").value_or(0);
			ResultsWired = Response->TryGetNumberField("resultConnectionsWired").value_or(0);
			const std::shared_ptr<FJsonValueArray> Errors = Response->TryGetArrayField("compileErrors");
			CompileErrors = Errors ? static_cast<double>(Errors->size()) : 0;
			State.PauseTiming();
			CollectGarbage();
			State.ResumeTiming();
		}
		State.counters["expressions"] = Imported;
		State.counters["wires"] = Wired;
		State.counters["resultWires"] = ResultsWired;
		State.counters["compileErrors"] = CompileErrors;
		State.SetBytesProcessed(static_cast<int64_t>(State.iterations() * Body.size()));
	}
	BENCHMARK(BM_MaterialPasteDeploy1000Expressions)->Unit(benchmark::kMillisecond);

	/**
	 * GET /korvane/materials on the 100,000-asset project: every Material, then every Material
	 * Instance Constant under /Game, from the registry, the condensed answer included.
	 */
	void BM_MaterialsHandler100k(benchmark::State& State)
	{
		const std::unique_ptr<FEditorHost> Host = StartBenchmarkHost();
		std::size_t Entries = 0;
		std::size_t Bytes = 0;
		for (auto _ : State)
		{
			const std::shared_ptr<FJsonObject> Answer = ListMaterials();
			const std::string Text = FJsonSerializer::SerializeCondensed(*Answer);
			Entries = Answer->TryGetArrayField("materials")->size();
			Bytes = Text.size();
			benchmark::DoNotOptimize(Text.data());
		}
		State.counters["entries"] = static_cast<double>(Entries);
		State.counters["bytes"] = static_cast<double>(Bytes);
	}
	BENCHMARK(BM_MaterialsHandler100k)->Unit(benchmark::kMillisecond);
}
