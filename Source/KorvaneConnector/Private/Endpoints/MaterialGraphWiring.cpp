#include "Endpoints/MaterialGraphWiring.h"
#include "KorvaneLog.h"

#include "Core/Text.h"
#include "Materials/MaterialEditingLibrary.h"
#include "Materials/MaterialExpression.h"
#include "Materials/MaterialExpressions.h"

#include <array>
#include <charconv>
#include <string>
#include <utility>

namespace
{
	struct FResultPinName
	{
		std::string_view Name;
		EMaterialProperty Property;
	};

	constexpr std::array<FResultPinName, 25> ResultPinNames = {{
		{"BaseColor", MP_BaseColor},
		{"Metallic", MP_Metallic},
		{"Specular", MP_Specular},
		{"Roughness", MP_Roughness},
		{"Anisotropy", MP_Anisotropy},
		{"EmissiveColor", MP_EmissiveColor},
		{"Opacity", MP_Opacity},
		{"OpacityOverride", MP_Opacity},
		{"OpacityMask", MP_OpacityMask},
		{"Normal", MP_Normal},
		{"Tangent", MP_Tangent},
		{"WorldPositionOffset", MP_WorldPositionOffset},
		{"SubsurfaceColor", MP_SubsurfaceColor},
		{"CustomData0", MP_CustomData0},
		{"CustomData1", MP_CustomData1},
		{"AmbientOcclusion", MP_AmbientOcclusion},
		{"Refraction", MP_Refraction},
		{"PixelDepthOffset", MP_PixelDepthOffset},
		{"ShadingModel", MP_ShadingModel},
		{"ShadingModelPin", MP_ShadingModel},
		{"SurfaceThickness", MP_SurfaceThickness},
		{"Displacement", MP_Displacement},
		{"FrontMaterial", MP_FrontMaterial},
		{"MaterialAttributes", MP_MaterialAttributes},
		// The user-interface domain shows the emissive input under this name.
		{"FinalColor", MP_EmissiveColor},
	}};

	constexpr int32_t CustomizedUVCount = 8;

	/**
	 * "UV0".."UV7": three characters, "UV" in any letter case, then the UV index as the editor
	 * reads a number from text (a character that is no digit reads as 0).
	 */
	std::optional<EMaterialProperty> FindCustomizedUVPin(std::string_view PinName)
	{
		if (PinName.size() != 3 || !Text::StartsWithIgnoreCase(PinName, "UV"))
		{
			return std::nullopt;
		}
		int32_t Index = 0;
		std::from_chars(PinName.data() + 2, PinName.data() + 3, Index);
		if (Index >= CustomizedUVCount)
		{
			return std::nullopt;
		}
		return static_cast<EMaterialProperty>(MP_CustomizedUVs0 + Index);
	}

	bool NameMatches(const UMaterialExpression& Expression, std::string_view Name)
	{
		return Text::EqualsIgnoreCase(Expression.GetName(), Name);
	}

	std::optional<int32_t> ReadPosition(const FJsonObject& Entry, std::string_view Key)
	{
		return Entry.TryGetInt32Field(Key);
	}

	/** A failure record: the given members in order, then `error`. */
	std::shared_ptr<FJsonObject> MakeFailure(std::initializer_list<std::pair<std::string_view, FJsonValue>> Members, std::string_view Error)
	{
		auto Record = std::make_shared<FJsonObject>();
		for (const auto& [Key, Value] : Members)
		{
			Record->SetField(Key, Value);
		}
		Record->SetStringField("error", Error);
		return Record;
	}
}

std::optional<EMaterialProperty> FindMaterialResultPin(std::string_view PinName)
{
	for (const FResultPinName& Entry : ResultPinNames)
	{
		if (Text::EqualsIgnoreCase(Entry.Name, PinName))
		{
			return Entry.Property;
		}
	}
	return FindCustomizedUVPin(PinName);
}

FMaterialGraphWiring::FMaterialGraphWiring(std::vector<FImportedMaterialNode> InImportedNodes, std::function<void()> InRelinkGraphNodes)
	: ImportedNodes(std::move(InImportedNodes)), RelinkGraphNodes(std::move(InRelinkGraphNodes))
{
}

uint64_t FMaterialGraphWiring::PositionKey(int32_t PosX, int32_t PosY)
{
	return (static_cast<uint64_t>(static_cast<uint32_t>(PosX)) << 32) | static_cast<uint32_t>(PosY);
}

UMaterialExpression* FMaterialGraphWiring::FindByPosition(int32_t PosX, int32_t PosY) const
{
	const auto Found = ExprByPosition.find(PositionKey(PosX, PosY));
	return Found == ExprByPosition.end() ? nullptr : Found->second;
}

UMaterialExpression* FMaterialGraphWiring::FindByName(std::string_view Name) const
{
	for (const FImportedMaterialNode& Node : ImportedNodes)
	{
		if (NameMatches(*Node.Expression, Name))
		{
			return Node.Expression;
		}
	}
	return nullptr;
}

void FMaterialGraphWiring::BuildPositionLookup()
{
	ExprByPosition.reserve(ImportedNodes.size());
	for (const FImportedMaterialNode& Node : ImportedNodes)
	{
		ExprByPosition.insert_or_assign(PositionKey(Node.PosX, Node.PosY), Node.Expression);
	}
	UE_LOG(LogKorvane, Log, "Built position lookup with %d entries", static_cast<int>(ExprByPosition.size()));
	RelinkGraphNodes();
}

FMaterialWiringResult FMaterialGraphWiring::WireExpressions(const FJsonValueArray& Connections)
{
	FMaterialWiringResult Result;
	for (const FJsonValue& Value : Connections)
	{
		const std::shared_ptr<FJsonObject> Entry = Value.TryGetObject();
		const std::optional<std::string> FromName = Entry ? Entry->TryGetStringField("fromExpression") : std::nullopt;
		const std::optional<std::string> ToName = Entry ? Entry->TryGetStringField("toExpression") : std::nullopt;
		if (!FromName || !ToName)
		{
			continue;
		}
		const std::string FromOutput = Entry->TryGetStringField("fromOutput").value_or("");
		const std::string ToInput = Entry->TryGetStringField("toInput").value_or("");
		const std::optional<int32_t> FromPosX = ReadPosition(*Entry, "fromPosX");
		const std::optional<int32_t> FromPosY = ReadPosition(*Entry, "fromPosY");
		const std::optional<int32_t> ToPosX = ReadPosition(*Entry, "toPosX");
		const std::optional<int32_t> ToPosY = ReadPosition(*Entry, "toPosY");

		UMaterialExpression* From = FromPosX && FromPosY ? FindByPosition(*FromPosX, *FromPosY) : nullptr;
		UMaterialExpression* To = ToPosX && ToPosY ? FindByPosition(*ToPosX, *ToPosY) : nullptr;
		for (auto Node = ImportedNodes.begin(); Node != ImportedNodes.end() && (From == nullptr || To == nullptr); ++Node)
		{
			if (From == nullptr && NameMatches(*Node->Expression, *FromName))
			{
				From = Node->Expression;
			}
			if (To == nullptr && NameMatches(*Node->Expression, *ToName))
			{
				To = Node->Expression;
			}
		}

		if (From == nullptr || To == nullptr)
		{
			Result.Failures.emplace_back(MakeFailure(
				{
					{"fromExpression", *FromName},
					{"toExpression", *ToName},
					{"fromPosX", FromPosX.value_or(0)},
					{"fromPosY", FromPosY.value_or(0)},
					{"toPosX", ToPosX.value_or(0)},
					{"toPosY", ToPosY.value_or(0)},
				},
				From == nullptr ? "Source expression not found in paste set" : "Target expression not found in paste set"));
		}
		else if (UMaterialEditingLibrary::ConnectMaterialExpressions(From, FromOutput, To, ToInput))
		{
			++Result.Wired;
		}
		else
		{
			Result.Failures.emplace_back(MakeFailure(
				{{"fromExpression", *FromName}, {"fromOutput", FromOutput}, {"toExpression", *ToName}, {"toInput", ToInput}},
				"ConnectMaterialExpressions returned false"));
		}
	}
	if (Result.Wired > 0)
	{
		RelinkGraphNodes();
	}
	return Result;
}

FMaterialWiringResult FMaterialGraphWiring::WireResultPins(const FJsonValueArray& ResultConnections)
{
	FMaterialWiringResult Result;
	for (const FJsonValue& Value : ResultConnections)
	{
		const std::shared_ptr<FJsonObject> Entry = Value.TryGetObject();
		const std::optional<std::string> Pin = Entry ? Entry->TryGetStringField("pin") : std::nullopt;
		const std::optional<std::string> FromName = Entry ? Entry->TryGetStringField("fromExpressionName") : std::nullopt;
		if (!Pin || !FromName)
		{
			continue;
		}
		const std::string FromOutput = Entry->TryGetStringField("fromOutputName").value_or("");
		const std::optional<int32_t> FromPosX = ReadPosition(*Entry, "fromPosX");
		const std::optional<int32_t> FromPosY = ReadPosition(*Entry, "fromPosY");

		UMaterialExpression* From = FromPosX && FromPosY ? FindByPosition(*FromPosX, *FromPosY) : nullptr;
		if (From == nullptr)
		{
			From = FindByName(*FromName);
		}
		if (From == nullptr)
		{
			const std::string Error = "Source expression '" + *FromName + "' not found at (" + std::to_string(FromPosX.value_or(0)) + "," +
				std::to_string(FromPosY.value_or(0)) + ")";
			Result.Failures.emplace_back(
				MakeFailure({{"pin", *Pin}, {"fromExpression", *FromName}, {"fromPosX", FromPosX.value_or(0)}, {"fromPosY", FromPosY.value_or(0)}}, Error));
			continue;
		}

		const std::optional<EMaterialProperty> Property = FindMaterialResultPin(*Pin);
		if (!Property)
		{
			Result.Failures.emplace_back(MakeFailure({{"pin", *Pin}}, "Unknown material result pin name"));
			continue;
		}
		if (UMaterialEditingLibrary::ConnectMaterialProperty(From, FromOutput, *Property))
		{
			++Result.Wired;
		}
		else
		{
			Result.Failures.emplace_back(MakeFailure({{"pin", *Pin}, {"fromExpression", *FromName}}, "ConnectMaterialProperty returned false"));
		}
	}
	return Result;
}

FMaterialWiringResult FMaterialGraphWiring::BindNamedReroutes(const FJsonValueArray& NamedRerouteLinks)
{
	FMaterialWiringResult Result;
	for (const FJsonValue& Value : NamedRerouteLinks)
	{
		const std::shared_ptr<FJsonObject> Entry = Value.TryGetObject();
		if (!Entry)
		{
			continue;
		}
		const std::optional<int32_t> UsagePosX = ReadPosition(*Entry, "usagePosX");
		const std::optional<int32_t> UsagePosY = ReadPosition(*Entry, "usagePosY");
		const std::optional<int32_t> DeclarationPosX = ReadPosition(*Entry, "declarationPosX");
		const std::optional<int32_t> DeclarationPosY = ReadPosition(*Entry, "declarationPosY");
		if (!UsagePosX || !UsagePosY || !DeclarationPosX || !DeclarationPosY)
		{
			continue;
		}
		const auto Failure = [&](std::string_view Error) {
			Result.Failures.emplace_back(MakeFailure(
				{
					{"usagePosX", *UsagePosX},
					{"usagePosY", *UsagePosY},
					{"declarationPosX", *DeclarationPosX},
					{"declarationPosY", *DeclarationPosY},
				},
				Error));
		};

		UMaterialExpression* const UsageExpression = FindByPosition(*UsagePosX, *UsagePosY);
		UMaterialExpression* const DeclarationExpression = FindByPosition(*DeclarationPosX, *DeclarationPosY);
		if (UsageExpression == nullptr || DeclarationExpression == nullptr)
		{
			Failure(UsageExpression == nullptr ? "Usage position not in ExprByPosition" : "Declaration position not in ExprByPosition");
			continue;
		}
		auto* const Usage = Cast<UMaterialExpressionNamedRerouteUsage>(UsageExpression);
		auto* const Declaration = Cast<UMaterialExpressionNamedRerouteDeclaration>(DeclarationExpression);
		if (Usage == nullptr || Declaration == nullptr)
		{
			Failure(Usage == nullptr ? "Usage cast to UMaterialExpressionNamedRerouteUsage failed" : "Decl cast to UMaterialExpressionNamedRerouteDeclaration failed");
			continue;
		}
		Usage->Modify();
		Usage->Declaration = Declaration;
		++Result.Wired;
	}
	return Result;
}
