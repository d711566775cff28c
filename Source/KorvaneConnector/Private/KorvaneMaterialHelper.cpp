#include "KorvaneMaterialHelper.h"
#include "KorvaneLog.h"

#include "Materials/Material.h"
#include "Materials/MaterialExpressions.h"

namespace
{
	template <typename TExpression>
	void DiscardAll(std::vector<TExpression*>& Expressions)
	{
		for (TExpression* const Expression : Expressions)
		{
			if (Expression != nullptr)
			{
				Expression->Modify();
				Expression->MarkAsGarbage();
			}
		}
		Expressions.clear();
	}
}

int32_t UKorvaneMaterialHelper::ForceClearMaterialGraph(UMaterial* Material)
{
	if (Material == nullptr)
	{
		UE_LOG(LogKorvane, Warning, "ForceClearMaterialGraph called with null Material");
		return 0;
	}

	Material->PreEditChange(nullptr);
	UMaterial::FMaterialExpressionCollection& Collection = Material->GetExpressionCollection();
	const auto Removed = static_cast<int32_t>(Collection.Expressions.size());
	DiscardAll(Collection.Expressions);
	DiscardAll(Collection.EditorComments);

	for (int Property = MP_EmissiveColor; Property < MP_MAX; ++Property)
	{
		if (FExpressionInput* const Input = Material->GetExpressionInputForProperty(static_cast<EMaterialProperty>(Property)))
		{
			Input->Expression = nullptr;
		}
	}

	Material->PostEditChange();
	Material->MarkPackageDirty();
	UE_LOG(LogKorvane, Log, "ForceClearMaterialGraph removed %d expressions from %s", Removed, Material->GetName().c_str());
	return Removed;
}
