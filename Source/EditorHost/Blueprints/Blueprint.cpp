#include "Blueprints/Blueprint.h"

#include "Core/Text.h"

#include <algorithm>

std::vector<UEdGraph*> UBlueprint::GetAllGraphs() const
{
	std::vector<UEdGraph*> Graphs;
	Graphs.reserve(UbergraphPages.size() + FunctionGraphs.size() + MacroGraphs.size());
	Graphs.insert(Graphs.end(), UbergraphPages.begin(), UbergraphPages.end());
	Graphs.insert(Graphs.end(), FunctionGraphs.begin(), FunctionGraphs.end());
	Graphs.insert(Graphs.end(), MacroGraphs.begin(), MacroGraphs.end());
	return Graphs;
}

FBPVariableDescription* UBlueprint::FindVariable(std::string_view VarName)
{
	return const_cast<FBPVariableDescription*>(std::as_const(*this).FindVariable(VarName));
}

const FBPVariableDescription* UBlueprint::FindVariable(std::string_view VarName) const
{
	// Variable names are names: the editor compares them without regard to case.
	const auto Found = std::find_if(NewVariables.begin(), NewVariables.end(), [VarName](const FBPVariableDescription& Variable) { return Text::EqualsIgnoreCase(Variable.VarName, VarName); });
	return Found == NewVariables.end() ? nullptr : &*Found;
}
