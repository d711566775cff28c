#include "Editor/ExtensibilityManager.h"

#include "Slate/MultiBoxExtender.h"

#include <algorithm>

void FExtensibilityManager::AddExtender(std::shared_ptr<FExtender> Extender)
{
	if (Extender != nullptr && std::find(Extenders.begin(), Extenders.end(), Extender) == Extenders.end())
	{
		Extenders.push_back(std::move(Extender));
	}
}

void FExtensibilityManager::RemoveExtender(const std::shared_ptr<FExtender>& Extender)
{
	std::erase(Extenders, Extender);
}

std::shared_ptr<FExtender> FExtensibilityManager::GetAllExtenders() const
{
	return FExtender::Combine(Extenders);
}
