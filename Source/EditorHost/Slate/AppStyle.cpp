#include "Slate/AppStyle.h"

#include "Slate/EditorStyles.h"
#include "Slate/SlateStyle.h"

const ISlateStyle& FAppStyle::Get()
{
	return EditorStyles::GetEditorStyle();
}

const std::string& FAppStyle::GetAppStyleSetName()
{
	return Get().GetStyleSetName();
}

const FSlateBrush* FAppStyle::GetBrush(std::string_view BrushName)
{
	return Get().GetBrush(BrushName);
}
