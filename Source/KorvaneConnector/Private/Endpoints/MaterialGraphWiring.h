#pragma once

#include "Core/JsonObject.h"
#include "Materials/MaterialTypes.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

class UMaterialExpression;

/** An expression pasted into a material, with where its graph node stands. */
struct FImportedMaterialNode
{
	UMaterialExpression* Expression = nullptr;
	int32_t PosX = 0;
	int32_t PosY = 0;
};

/** What one wiring step did: the links it made and one record per entry it could not carry out. */
struct FMaterialWiringResult
{
	int32_t Wired = 0;
	FJsonValueArray Failures;
};

/** The material property a result pin name stands for ("BaseColor", "opacityoverride", "UV3"...), any letter case. */
std::optional<EMaterialProperty> FindMaterialResultPin(std::string_view PinName);

/**
 * Links pasted expressions to each other, to the material's result pins and named reroute
 * usages to their declarations, from the arrays the desktop app sends beside the pasted text.
 * Expressions are found by their node's position first and by object name (any letter case)
 * after; named reroutes by position only. A failed entry leaves a failure record and never
 * stops the others. RelinkGraphNodes makes the material graph's pin links again from the
 * expressions (the graph's LinkGraphNodesFromMaterial).
 */
class FMaterialGraphWiring
{
public:
	FMaterialGraphWiring(std::vector<FImportedMaterialNode> InImportedNodes, std::function<void()> InRelinkGraphNodes);

	/** Fills the position lookup (a later node at a taken position wins), logs its size and relinks the graph. */
	void BuildPositionLookup();
	/** `connections`: expression outputs to expression inputs; relinks the graph once more when anything was linked. */
	FMaterialWiringResult WireExpressions(const FJsonValueArray& Connections);
	/** `resultConnections`: expression outputs to the material's property inputs. */
	FMaterialWiringResult WireResultPins(const FJsonValueArray& ResultConnections);
	/** `namedRerouteLinks`: usages to declarations, both found by position. */
	FMaterialWiringResult BindNamedReroutes(const FJsonValueArray& NamedRerouteLinks);

	std::size_t GetPositionLookupSize() const { return ExprByPosition.size(); }

private:
	static uint64_t PositionKey(int32_t PosX, int32_t PosY);
	UMaterialExpression* FindByPosition(int32_t PosX, int32_t PosY) const;
	UMaterialExpression* FindByName(std::string_view Name) const;

	std::vector<FImportedMaterialNode> ImportedNodes;
	std::function<void()> RelinkGraphNodes;
	/** Node position (x in the high half, y in the low half) to the expression of the last node there. */
	std::unordered_map<uint64_t, UMaterialExpression*> ExprByPosition;
};
