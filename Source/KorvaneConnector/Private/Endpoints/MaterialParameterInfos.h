#pragma once

#include "Materials/Material.h"

#include <vector>

/**
 * The parameter infos of one kind, in the host's order, through one of the
 * material interface's GetAll*ParameterInfo queries, e.g.
 * ListParameterInfos<&UMaterialInterface::GetAllScalarParameterInfo>(Material).
 */
template <auto GetAllParameterInfo>
std::vector<FMaterialParameterInfo> ListParameterInfos(const UMaterialInterface& Material)
{
	std::vector<FMaterialParameterInfo> Infos;
	std::vector<FGuid> Ids;
	(Material.*GetAllParameterInfo)(Infos, Ids);
	return Infos;
}
