#include "Materials/MaterialExpression.h"

#include "Objects/Class.h"

#include <array>
#include <span>
#include <string_view>

// The outputs the engine's expression constructors make, by class (the nearest class in the
// table answers for the classes below it). A class not in the table has one unnamed output.
namespace
{
	struct FOutputsOfClass
	{
		std::string_view ClassName;
		std::span<const FExpressionOutput> Outputs;
	};

	const std::array<FExpressionOutput, 6> TextureSampleOutputs = {{
		{"RGB", 1, 1, 1, 1, 0},
		{"R", 1, 1, 0, 0, 0},
		{"G", 1, 0, 1, 0, 0},
		{"B", 1, 0, 0, 1, 0},
		{"A", 1, 0, 0, 0, 1},
		{"RGBA", 1, 1, 1, 1, 1},
	}};
	const std::array<FExpressionOutput, 3> Constant2VectorOutputs = {{
		{"", 1, 1, 1, 0, 0},
		{"R", 1, 1, 0, 0, 0},
		{"G", 1, 0, 1, 0, 0},
	}};
	const std::array<FExpressionOutput, 4> Constant3VectorOutputs = {{
		{"", 1, 1, 1, 1, 0},
		{"R", 1, 1, 0, 0, 0},
		{"G", 1, 0, 1, 0, 0},
		{"B", 1, 0, 0, 1, 0},
	}};
	const std::array<FExpressionOutput, 5> Constant4VectorOutputs = {{
		{"", 1, 1, 1, 1, 1},
		{"R", 1, 1, 0, 0, 0},
		{"G", 1, 0, 1, 0, 0},
		{"B", 1, 0, 0, 1, 0},
		{"A", 1, 0, 0, 0, 1},
	}};
	const std::array<FExpressionOutput, 5> VectorParameterOutputs = {{
		{"", 1, 1, 1, 1, 0},
		{"R", 1, 1, 0, 0, 0},
		{"G", 1, 0, 1, 0, 0},
		{"B", 1, 0, 0, 1, 0},
		{"A", 1, 0, 0, 0, 1},
	}};
	const std::array<FExpressionOutput, 3> WorldPositionOutputs = {{
		{"XYZ", 1, 1, 1, 1, 0},
		{"XY", 1, 1, 1, 0, 0},
		{"Z", 1, 0, 0, 1, 0},
	}};
	const std::array<FExpressionOutput, 5> VertexColorOutputs = {{
		{"", 1, 1, 1, 1, 0},
		{"R", 1, 1, 0, 0, 0},
		{"G", 1, 0, 1, 0, 0},
		{"B", 1, 0, 0, 1, 0},
		{"A", 1, 0, 0, 0, 1},
	}};
	const std::array<FExpressionOutput, 1> SingleOutput = {{{}}};

	const std::array<FOutputsOfClass, 10> OutputTable = {{
		{"MaterialExpressionTextureObjectParameter", SingleOutput},
		{"MaterialExpressionTextureSample", TextureSampleOutputs},
		{"MaterialExpressionConstant2Vector", Constant2VectorOutputs},
		{"MaterialExpressionConstant3Vector", Constant3VectorOutputs},
		{"MaterialExpressionConstant4Vector", Constant4VectorOutputs},
		{"MaterialExpressionVectorParameter", VectorParameterOutputs},
		{"MaterialExpressionWorldPosition", WorldPositionOutputs},
		{"MaterialExpressionVertexColor", VertexColorOutputs},
		// A function's output expression passes its value out of the function and has no pin of its own.
		{"MaterialExpressionFunctionOutput", {}},
		{"MaterialExpression", SingleOutput},
	}};
}

std::vector<FExpressionOutput> UMaterialExpression::GetOutputs() const
{
	for (const UClass* Class = GetClass(); Class != nullptr; Class = Class->GetSuperClass())
	{
		for (const FOutputsOfClass& Entry : OutputTable)
		{
			if (Entry.ClassName == Class->GetName())
			{
				return {Entry.Outputs.begin(), Entry.Outputs.end()};
			}
		}
	}
	return {FExpressionOutput{}};
}
