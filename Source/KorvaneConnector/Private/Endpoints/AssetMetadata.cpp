#include "Endpoints/AssetMetadata.h"

#include "Audio/SoundCue.h"
#include "Audio/SoundNode.h"
#include "Audio/SoundWave.h"
#include "Data/CurveFloat.h"
#include "Data/DataTable.h"
#include "Meshes/StaticMesh.h"
#include "Objects/ScriptStruct.h"

#include <vector>

// The builders of the asset kinds the host keeps in Audio/, Data/ and
// Meshes/StaticMesh. The caller has tested the asset's class; an object whose
// C++ type is not the kind's own answers the kind's keys with empty values.

std::shared_ptr<FJsonObject> BuildCurveFloatMetadata(const UObject& Curve)
{
	const UCurveFloat* CurveFloat = Cast<UCurveFloat>(&Curve);
	const FRichCurve NoCurve;
	const FRichCurve& FloatCurve = CurveFloat != nullptr ? CurveFloat->FloatCurve : NoCurve;
	float MinTime = 0.0f;
	float MaxTime = 0.0f;
	float MinValue = 0.0f;
	float MaxValue = 0.0f;
	FloatCurve.GetTimeRange(MinTime, MaxTime);
	FloatCurve.GetValueRange(MinValue, MaxValue);

	auto Metadata = std::make_shared<FJsonObject>();
	Metadata->SetNumberField("keyCount", FloatCurve.GetNumKeys());
	Metadata->SetNumberField("minTime", MinTime);
	Metadata->SetNumberField("maxTime", MaxTime);
	Metadata->SetNumberField("minValue", MinValue);
	Metadata->SetNumberField("maxValue", MaxValue);
	return Metadata;
}

std::shared_ptr<FJsonObject> BuildDataTableMetadata(const UObject& DataTable)
{
	const UDataTable* Table = Cast<UDataTable>(&DataTable);
	const UScriptStruct* RowStruct = Table != nullptr ? Table->GetRowStruct() : nullptr;

	FJsonValueArray Columns;
	if (RowStruct != nullptr)
	{
		for (const FProperty* Property : RowStruct->GetAllProperties())
		{
			auto Column = std::make_shared<FJsonObject>();
			Column->SetStringField("name", Property->GetName());
			Column->SetStringField("type", Property->GetCPPType());
			Columns.emplace_back(std::move(Column));
		}
	}

	auto Metadata = std::make_shared<FJsonObject>();
	Metadata->SetStringField("rowStruct", RowStruct != nullptr ? RowStruct->GetName() : std::string("None"));
	Metadata->SetArrayField("columns", std::move(Columns));
	Metadata->SetNumberField("rowCount", Table != nullptr ? Table->GetRows().size() : 0);
	return Metadata;
}

std::shared_ptr<FJsonObject> BuildSoundCueMetadata(const UObject& SoundCue)
{
	const USoundCue* Cue = Cast<USoundCue>(&SoundCue);
	std::vector<USoundNode*> ReachableNodes;
	if (Cue != nullptr)
	{
		USoundCue::RecursiveFindAllNodes(Cue->FirstNode, ReachableNodes);
	}

	auto Metadata = std::make_shared<FJsonObject>();
	Metadata->SetNumberField("duration", Cue != nullptr ? Cue->GetDuration() : 0.0f);
	Metadata->SetNumberField("maxDistance", Cue != nullptr ? Cue->GetMaxDistance() : 0.0f);
	Metadata->SetNumberField("nodeCount", ReachableNodes.size());
	return Metadata;
}

std::shared_ptr<FJsonObject> BuildSoundWaveMetadata(const UObject& SoundWave)
{
	const USoundWave* Wave = Cast<USoundWave>(&SoundWave);
	auto Metadata = std::make_shared<FJsonObject>();
	Metadata->SetNumberField("duration", Wave != nullptr ? Wave->GetDuration() : 0.0f);
	Metadata->SetNumberField("numChannels", Wave != nullptr ? Wave->NumChannels : 0);
	Metadata->SetNumberField("sampleRate", Wave != nullptr ? Wave->GetSampleRateForCurrentPlatform() : 0.0f);
	Metadata->SetBoolField("looping", Wave != nullptr && Wave->bLooping);
	return Metadata;
}

std::shared_ptr<FJsonObject> BuildStaticMeshMetadata(const UObject& StaticMesh)
{
	const UStaticMesh* Mesh = Cast<UStaticMesh>(&StaticMesh);
	auto Metadata = std::make_shared<FJsonObject>();
	const int32_t NumLODs = Mesh != nullptr ? Mesh->GetNumLODs() : 0;
	Metadata->SetNumberField("lodCount", NumLODs);
	if (NumLODs > 0)
	{
		const FStaticMeshLODResources& LOD = *Mesh->GetLODForExport(0);
		Metadata->SetNumberField("triangles", LOD.GetNumTriangles());
		Metadata->SetNumberField("vertices", LOD.GetNumVertices());
	}

	const FVector Size = (Mesh != nullptr ? Mesh->GetBounds().BoxExtent : FVector()) * 2.0;
	auto Bounds = std::make_shared<FJsonObject>();
	Bounds->SetNumberField("x", Size.X);
	Bounds->SetNumberField("y", Size.Y);
	Bounds->SetNumberField("z", Size.Z);
	Metadata->SetObjectField("bounds", std::move(Bounds));

	FJsonValueArray MaterialSlots;
	if (Mesh != nullptr)
	{
		for (const FStaticMaterial& Material : Mesh->GetStaticMaterials())
		{
			auto Slot = std::make_shared<FJsonObject>();
			Slot->SetStringField("slotName", Material.MaterialSlotName);
			if (!Material.MaterialInterfacePath.empty())
			{
				Slot->SetStringField("material", Material.MaterialInterfacePath);
			}
			MaterialSlots.emplace_back(std::move(Slot));
		}
	}
	Metadata->SetArrayField("materialSlots", std::move(MaterialSlots));
	return Metadata;
}
