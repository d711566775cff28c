#include "Objects/Class.h"
#include "Objects/ClassDatabase.h"
#include "Objects/PropertyExportText.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace
{
	void Fail(const char* What, std::string_view Text)
	{
		std::fprintf(stderr, "%s: %.*s\n", What, static_cast<int>(Text.size()), Text.data());
		std::abort();
	}
}

// A pasted or deployed widget may carry any text for a property. Importing it must never crash;
// a value it takes must import again to itself, be identical to itself, export against itself to
// nothing, and its delta against the class default must import back to the same value.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, std::size_t Size)
{
	constexpr std::array<std::array<const char*, 2>, 8> Properties = {{
		{"/Script/UMG.CanvasPanelSlot", "LayoutData"},
		{"/Script/UMG.HorizontalBoxSlot", "Size"},
		{"/Script/UMG.TextBlock", "Text"},
		{"/Script/UMG.TextBlock", "Font"},
		{"/Script/UMG.Button", "WidgetStyle"},
		{"/Script/UMG.GridPanel", "ColumnFill"},
		{"/Script/UMG.Widget", "DisplayLabel"},
		{"/Script/UMG.PanelSlot", "Content"},
	}};
	if (Size == 0)
	{
		return 0;
	}
	const auto& [ClassPath, PropertyName] = Properties[Data[0] % Properties.size()];
	const FProperty* Property = FClassDatabase::Get().FindClass(ClassPath)->FindPropertyByName(PropertyName);
	const std::string_view Text(reinterpret_cast<const char*>(Data + 1), Size - 1);
	const std::string& Default = Property->GetDefaultValueText();

	const std::optional<std::string> Value = ImportPropertyText(*Property, Default, Text);
	if (!Value)
	{
		return 0;
	}
	if (ImportPropertyText(*Property, Default, *Value) != Value)
	{
		Fail("an imported value does not import to itself", Text);
	}
	if (!ArePropertyValuesIdentical(*Property, *Value, *Value) || !ExportPropertyTextDelta(*Property, *Value, *Value).empty())
	{
		Fail("an imported value differs from itself", Text);
	}
	const std::string Delta = ExportPropertyTextDelta(*Property, *Value, Default, EPropertyExportFlags::Delimited);
	if (Delta.empty())
	{
		return 0;
	}
	const std::optional<std::string> Again = ImportPropertyText(*Property, Default, Delta);
	if (!Again || !ArePropertyValuesIdentical(*Property, *Again, *Value))
	{
		Fail("the delta against the default does not import back to the value", Text);
	}
	return 0;
}
