#include "Materials/MaterialGraph.h"
#include "Materials/MaterialGraphPins.h"

#include <string>

void UMaterialGraphNode_Root::AllocateDefaultPins()
{
	while (!GetPins().empty())
	{
		RemovePin(*GetPins().back());
	}
	for (const FMaterialRootPin& RootPin : GetMaterialRootPins(Material))
	{
		FMaterialPinSpec Spec;
		Spec.PinName = RootPin.DisplayName;
		Spec.PinCategory = std::string(MaterialPinCategory::MaterialInput);
		Spec.PinSubCategory = std::to_string(static_cast<int>(RootPin.Property));
		CreateMaterialPin(*this, Spec);
	}
}

void UMaterialGraphNode_Root::PostPasteNode(const FEdGraphPastedNodes&)
{
	const UMaterialGraph* const Graph = GetMaterialGraph();
	Material = Graph != nullptr ? Graph->Material : nullptr;
	if (GetPins().empty() && Graph != nullptr)
	{
		AllocateDefaultPins();
	}
}
