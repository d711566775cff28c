#include "Objects/Package.h"

UObject* UPackage::FindAssetInPackage() const
{
	for (UObject* Inner : GetInnerObjects())
	{
		if (Inner->IsAsset())
		{
			return Inner;
		}
	}
	return nullptr;
}
