#include "Endpoints/MaterialTextureBundle.h"

#include "Endpoints/MaterialParameterInfos.h"
#include "Endpoints/TextureScriptEndpoints.h"
#include "KorvaneLog.h"
#include "ScriptHandoff.h"

#include "Core/Base64.h"
#include "Core/DateTime.h"
#include "Core/FileSystem.h"
#include "Core/JsonSerializer.h"
#include "Core/Paths.h"
#include "Core/Text.h"
#include "Materials/Material.h"
#include "Materials/MaterialExpressions.h"
#include "Textures/Texture2D.h"

#include <array>
#include <string>
#include <vector>

namespace
{
	/** One hour in ticks of 100 ns. */
	constexpr int64_t StaleBundleFileTicks = 36'000'000'000;

	/** Texture object paths in the order first seen, each once (compared without regard to case). */
	class FTextureSet
	{
	public:
		void Add(const UTexture* Texture)
		{
			const UTexture2D* const Texture2D = Cast<UTexture2D>(Texture);
			if (Texture2D == nullptr)
			{
				return;
			}
			std::string Path = Texture2D->GetPathName();
			if (IsEngineContentPath(Path))
			{
				return;
			}
			for (const std::string& Known : Paths)
			{
				if (Text::EqualsIgnoreCase(Known, Path))
				{
					return;
				}
			}
			Paths.push_back(std::move(Path));
		}

		const std::vector<std::string>& GetPaths() const { return Paths; }

	private:
		std::vector<std::string> Paths;
	};

	FTextureSet GatherTextures(const UMaterialInterface& Material)
	{
		FTextureSet Set;
		for (const FMaterialParameterInfo& Info : ListParameterInfos<&UMaterialInterface::GetAllTextureParameterInfo>(Material))
		{
			UTexture* Texture = nullptr;
			Material.GetTextureParameterValue(Info, Texture);
			Set.Add(Texture);
		}
		std::vector<UTexture*> Used;
		Material.GetUsedTextures(Used);
		for (const UTexture* const Texture : Used)
		{
			Set.Add(Texture);
		}
		if (const UMaterial* const BaseMaterial = Cast<UMaterial>(&Material))
		{
			std::vector<UMaterialExpressionTextureBase*> Expressions;
			BaseMaterial->GetAllExpressionsInMaterialAndFunctionsOfType(Expressions);
			for (const UMaterialExpressionTextureBase* const Expression : Expressions)
			{
				Set.Add(Expression->GetTexture());
			}
			UE_LOG(LogKorvane, Log, "Editor walk found %d texture expressions (engine textures filtered)", static_cast<int>(Expressions.size()));
		}
		return Set;
	}

	std::string BundleDir()
	{
		return FPaths::Combine(UserTempDir(), "KorvaneBundle");
	}

	void DeleteStaleBundleFiles(const std::string& Dir)
	{
		IPlatformFile& PlatformFile = FPlatformFileManager::Get().GetPlatformFile();
		const int64_t Cutoff = FDateTime::UtcNow().GetTicks() - StaleBundleFileTicks;
		std::vector<std::string> Files;
		PlatformFile.FindFiles(Files, Dir, "");
		for (const std::string& File : Files)
		{
			const std::optional<FDateTime> Stamp = PlatformFile.GetTimeStamp(File);
			if (Stamp && Stamp->GetTicks() < Cutoff)
			{
				PlatformFile.DeleteFile(File);
			}
		}
	}

	/** The manifest's name of a texture: its originalName, else the file name without a final ".tga" in any case. */
	std::string ManifestOriginalName(const std::string& OriginalName, const std::string& FileName)
	{
		if (!OriginalName.empty())
		{
			return OriginalName;
		}
		return Text::EndsWithIgnoreCase(FileName, ".tga") ? FileName.substr(0, FileName.size() - 4) : FileName;
	}

	struct FBundleRecord
	{
		std::string FileName;
		std::string FilePath;
		std::shared_ptr<FJsonObject> ManifestEntry;
	};

	std::vector<FBundleRecord> ReadBundleRecords(const FJsonValueArray& Results, int64_t& OutTotalBytes)
	{
		IPlatformFile& PlatformFile = FPlatformFileManager::Get().GetPlatformFile();
		std::vector<FBundleRecord> Records;
		for (const FJsonValue& Value : Results)
		{
			const std::shared_ptr<FJsonObject> Entry = Value.TryGetObject();
			if (!Entry || Entry->TryGetBoolField("success") != true)
			{
				continue;
			}
			const std::string FilePath = Entry->TryGetStringField("filePath").value_or(std::string());
			const std::string FileName = Entry->TryGetStringField("filename").value_or(std::string());
			const std::string Path = Entry->TryGetStringField("path").value_or(std::string());
			const std::string OriginalName = ManifestOriginalName(Entry->TryGetStringField("originalName").value_or(std::string()), FileName);
			if (FilePath.empty() || FileName.empty())
			{
				continue;
			}
			const int64_t Size = PlatformFile.FileSize(FilePath);
			if (Size <= 0)
			{
				UE_LOG(LogKorvane, Warning, "Exported TGA missing or empty: %s", FilePath.c_str());
				continue;
			}
			OutTotalBytes += Size;
			auto Manifest = std::make_shared<FJsonObject>();
			Manifest->SetStringField("file", "assets/" + FileName);
			Manifest->SetStringField("originalPath", Path);
			Manifest->SetStringField("originalName", OriginalName);
			Manifest->SetStringField("format", "TGA");
			if (const std::shared_ptr<FJsonObject> Settings = Entry->TryGetObjectField("settings"))
			{
				Manifest->SetObjectField("settings", Settings);
			}
			Records.push_back({FileName, FilePath, std::move(Manifest)});
		}
		return Records;
	}
}

bool IsEngineContentPath(std::string_view Path)
{
	static constexpr std::array<std::string_view, 6> EnginePrefixes = {
		"/Engine/", "/EngineMaterials/", "/EngineDebugMaterials/", "/EditorResources/", "/Engine/EditorResources/", "/EngineMeshes/"};
	for (const std::string_view Prefix : EnginePrefixes)
	{
		if (Text::StartsWithIgnoreCase(Path, Prefix))
		{
			return true;
		}
	}
	return false;
}

void BundleMaterialTextures(const UMaterialInterface* Material, const std::shared_ptr<FJsonObject>& Payload)
{
	if (Material == nullptr || !Payload)
	{
		return;
	}
	const FTextureSet Textures = GatherTextures(*Material);
	const std::string MaterialName = Material->GetName();
	if (Textures.GetPaths().empty())
	{
		UE_LOG(LogKorvane, Log, "No textures to bundle for %s", MaterialName.c_str());
		return;
	}
	UE_LOG(LogKorvane, Log, "Bundling %d textures for %s", static_cast<int>(Textures.GetPaths().size()), MaterialName.c_str());
	if (!IsPythonReady())
	{
		UE_LOG(LogKorvane, Warning, "Python not available \u2014 cannot bundle textures");
		return;
	}
	EnsureTransientDir();
	const std::string Dir = BundleDir();
	DeleteStaleBundleFiles(Dir);

	FJsonObject ExportPayload;
	FJsonValueArray Paths;
	for (const std::string& Path : Textures.GetPaths())
	{
		Paths.emplace_back(Path);
	}
	ExportPayload.SetArrayField("paths", std::move(Paths));
	ExportPayload.SetStringField("outputDir", Dir);
	const std::string SessionId = MakeTextureSessionId();
	UE_LOG(LogKorvane, Log, "BundleMaterialTextures session %s", SessionId.c_str());

	FScriptHandoffParams Params;
	Params.PayloadFileName = "_kv_texture_export_payload_" + SessionId + ".json";
	Params.ResultFileName = "_kv_texture_export_result_" + SessionId + ".json";
	Params.ScriptFileName = "_kv_texture_export.py";
	Params.PayloadText = FJsonSerializer::SerializeCondensed(ExportPayload);
	Params.bDeleteStaleResult = false;
	const FScriptHandoffOutcome Outcome = RunScriptHandoff(Params);
	IPlatformFile& PlatformFile = FPlatformFileManager::Get().GetPlatformFile();
	if (!Outcome.Succeeded())
	{
		switch (*Outcome.Failure)
		{
		case EScriptHandoffFailure::PythonNotReady:
			UE_LOG(LogKorvane, Warning, "Python not available \u2014 cannot bundle textures");
			return;
		case EScriptHandoffFailure::PayloadNotWritten:
			UE_LOG(LogKorvane, Warning, "Failed to write payload");
			return;
		case EScriptHandoffFailure::ScriptNotFound:
			UE_LOG(LogKorvane, Warning, "Texture export script not found");
			PlatformFile.DeleteFile(Outcome.Files.PayloadPath);
			return;
		case EScriptHandoffFailure::NoResultFile:
			break;
		}
		if (Outcome.bResultFileFound)
		{
			UE_LOG(LogKorvane, Warning, "Failed to read result file");
			PlatformFile.DeleteFile(Outcome.Files.ResultPath);
		}
		else
		{
			UE_LOG(LogKorvane, Warning, "Texture export script produced no result file");
		}
		PlatformFile.DeleteFile(Outcome.Files.PayloadPath);
		return;
	}
	// The hand-off removed the payload and result files once it had read the result.
	const std::shared_ptr<FJsonObject> Result = Outcome.ParseResultObject();
	if (!Result)
	{
		UE_LOG(LogKorvane, Warning, "Result JSON parse failed");
		return;
	}
	const std::shared_ptr<FJsonValueArray> Results = Result->TryGetArrayField("results");
	if (!Results)
	{
		UE_LOG(LogKorvane, Warning, "Result JSON missing 'results' array");
		return;
	}
	int64_t TotalBytes = 0;
	const std::vector<FBundleRecord> Records = ReadBundleRecords(*Results, TotalBytes);
	if (Records.empty())
	{
		UE_LOG(LogKorvane, Warning, "No textures successfully bundled");
		return;
	}

	const bool bInline = TotalBytes <= BundleInlineLimitBytes;
	auto Files = std::make_shared<FJsonObject>();
	FJsonValueArray Manifest;
	for (const FBundleRecord& Record : Records)
	{
		if (!bInline)
		{
			Record.ManifestEntry->SetStringField("diskFile", FPaths::ConvertRelativePathToFull(Record.FilePath));
			Manifest.emplace_back(Record.ManifestEntry);
			continue;
		}
		const std::optional<std::vector<uint8_t>> Bytes = FFileHelper::LoadFileToBytes(Record.FilePath);
		if (Bytes)
		{
			Files->SetStringField(Record.FileName, FBase64::Encode(*Bytes));
			Manifest.emplace_back(Record.ManifestEntry);
		}
		else
		{
			UE_LOG(LogKorvane, Warning, "Failed to read exported TGA: %s", Record.FilePath.c_str());
		}
		PlatformFile.DeleteFile(Record.FilePath);
	}
	const int NumBundled = static_cast<int>(Manifest.size());
	auto BundledAssets = std::make_shared<FJsonObject>();
	if (bInline)
	{
		BundledAssets->SetObjectField("files", Files);
	}
	BundledAssets->SetArrayField("manifest", std::move(Manifest));
	BundledAssets->SetNumberField("totalBytes", static_cast<double>(TotalBytes));
	Payload->SetObjectField("bundledAssets", BundledAssets);
	UE_LOG(LogKorvane, Log, "Bundled %d textures (%lld bytes, %s)", NumBundled, static_cast<long long>(TotalBytes), bInline ? "inline" : "disk handoff");
}
