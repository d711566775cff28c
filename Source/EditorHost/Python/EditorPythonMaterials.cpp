#include "Python/EditorPythonMaterials.h"

#include "Python/EditorAssetLibrary.h"
#include "Python/EditorPythonObjects.h"

#include "Graph/CopyPasteTextValue.h"
#include "Graph/NodeTitleNames.h"
#include "Materials/Material.h"
#include "Materials/MaterialEditingLibrary.h"
#include "Materials/MaterialExpressions.h"
#include "Materials/MaterialFunction.h"
#include "Materials/MaterialGraphPins.h"
#include "Materials/MaterialShared.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/Package.h"
#include "Objects/PackageName.h"
#include "Textures/Texture.h"

#include <pybind11/stl.h>

#include <algorithm>
#include <charconv>
#include <array>
#include <optional>
#include <string>
#include <vector>

namespace py = pybind11;

namespace
{
	/** The material property inputs by their engine names without the MP_ prefix, in EMaterialProperty order. */
	constexpr std::array<std::string_view, MP_MAX> PropertyNames = {"EmissiveColor", "Opacity", "OpacityMask", "DiffuseColor",
		"SpecularColor", "BaseColor", "Metallic", "Specular", "Roughness", "Anisotropy", "Normal", "Tangent", "WorldPositionOffset",
		"WorldDisplacement_DEPRECATED", "TessellationMultiplier_DEPRECATED", "SubsurfaceColor", "CustomData0", "CustomData1",
		"AmbientOcclusion", "Refraction", "CustomizedUVs0", "CustomizedUVs1", "CustomizedUVs2", "CustomizedUVs3", "CustomizedUVs4",
		"CustomizedUVs5", "CustomizedUVs6", "CustomizedUVs7", "PixelDepthOffset", "ShadingModel", "FrontMaterial", "SurfaceThickness",
		"Displacement", "MaterialAttributes", "CustomOutput"};

	std::optional<EMaterialProperty> PropertyByName(std::string_view Name)
	{
		const auto Found = std::ranges::find(PropertyNames, Name);
		return Found != PropertyNames.end() ? std::optional(static_cast<EMaterialProperty>(Found - PropertyNames.begin())) : std::nullopt;
	}

	py::list WrapAll(const auto& Objects)
	{
		py::list Wrapped;
		for (UObject* const Object : Objects)
		{
			Wrapped.append(EditorPythonObjects::Wrap(Object));
		}
		return Wrapped;
	}

	/** The name of the output an input reads, or empty for the default output. */
	std::string OutputNameOf(const FExpressionInput& Input)
	{
		if (Input.Expression == nullptr)
		{
			return {};
		}
		const std::vector<FExpressionOutput> Outputs = Input.Expression->GetOutputs();
		return Input.OutputIndex >= 0 && static_cast<std::size_t>(Input.OutputIndex) < Outputs.size() ? Outputs[Input.OutputIndex].OutputName : std::string();
	}

	py::object CreateMaterial(std::string_view FolderPath, std::string_view Name)
	{
		const std::string PackageName = std::string(FolderPath) + "/" + std::string(Name);
		if (!FPackageName::IsValidPath(FolderPath) || !FPackageName::IsValidLongPackageName(PackageName))
		{
			throw py::value_error("not a valid asset path: '" + PackageName + "'");
		}
		if (EditorAssetLibrary::DoesAssetExist(PackageName))
		{
			throw py::value_error("an asset already exists at '" + PackageName + "'");
		}
		UPackage* const Package = CreatePackage(PackageName);
		return EditorPythonObjects::Wrap(Package != nullptr ? NewObject<UMaterial>(Package, Name, RF_Public | RF_Standalone) : nullptr);
	}

	/**
	 * Marks a removed expression as garbage and moves it out of the material, so its name is free for
	 * a new expression at once; whatever still points at it (a graph node) stays valid until collected.
	 */
	void RetireExpression(UMaterialExpression& Expression)
	{
		Expression.MarkAsGarbage();
		Expression.Rename(nullptr, GetTransientPackage(), REN_DontCreateRedirectors | REN_DoNotDirty | REN_NonTransactional);
	}

	/** Removes every expression and comment and disconnects every property input. */
	void ClearMaterial(UMaterial& Material)
	{
		UMaterial::FMaterialExpressionCollection& Collection = Material.GetExpressionCollection();
		for (UMaterialExpression* const Expression : Collection.Expressions)
		{
			RetireExpression(*Expression);
		}
		for (UMaterialExpressionComment* const Comment : Collection.EditorComments)
		{
			RetireExpression(*Comment);
		}
		Collection.Empty();
		for (int Property = 0; Property < MP_MAX; ++Property)
		{
			Material.GetExpressionInputForProperty(static_cast<EMaterialProperty>(Property))->Disconnect();
		}
		Material.MarkPackageDirty();
	}

	py::object CreateExpression(const py::object& MaterialValue, const py::object& ClassValue, int32_t X, int32_t Y, const std::optional<std::string>& Name)
	{
		UMaterial& Material = EditorPythonMaterials::ToMaterial(MaterialValue);
		UClass& Class = EditorPythonObjects::ToClass(ClassValue);
		if (!Class.IsChildOf<UMaterialExpression>() || Class.HasAnyClassFlags(CLASS_Abstract))
		{
			throw py::value_error(Class.GetName() + " is not a material expression class");
		}
		if (UObject* const Taken = Name ? StaticFindObject(nullptr, &Material, *Name) : nullptr)
		{
			if (IsValid(Taken))
			{
				throw py::value_error("the material already has an object named '" + *Name + "'");
			}
			// Removed by someone else and not collected yet: it gives its name up.
			Taken->Rename(nullptr, GetTransientPackage(), REN_DontCreateRedirectors | REN_DoNotDirty | REN_NonTransactional);
		}
		UMaterialExpression* const Expression = NewObject<UMaterialExpression>(&Material, &Class, Name.value_or(std::string()));
		if (Expression == nullptr)
		{
			throw py::value_error("cannot make an expression named '" + Name.value_or(std::string()) + "'");
		}
		Expression->Material = &Material;
		Expression->MaterialExpressionEditorX = X;
		Expression->MaterialExpressionEditorY = Y;
		Expression->UpdateMaterialExpressionGuid(true, true);
		if (UMaterialExpressionComment* const Comment = Cast<UMaterialExpressionComment>(Expression))
		{
			Material.GetExpressionCollection().AddComment(Comment);
		}
		else
		{
			Material.GetExpressionCollection().AddExpression(Expression);
		}
		Material.MarkPackageDirty();
		return EditorPythonObjects::Wrap(Expression);
	}

	UMaterialExpression* FindExpression(const UMaterial& Material, std::string_view Name)
	{
		const auto& Collection = Material.GetExpressionCollection();
		for (UMaterialExpression* const Expression : Collection.Expressions)
		{
			if (Expression->GetName() == Name)
			{
				return Expression;
			}
		}
		for (UMaterialExpressionComment* const Comment : Collection.EditorComments)
		{
			if (Comment->GetName() == Name)
			{
				return Comment;
			}
		}
		return nullptr;
	}

	/** Takes the expression out of its material: links that read it are broken, and it is destroyed at the next collection. */
	bool DeleteExpression(UMaterial& Material, UMaterialExpression& Doomed)
	{
		auto& Collection = Material.GetExpressionCollection();
		const auto Before = Collection.Expressions.size() + Collection.EditorComments.size();
		std::erase(Collection.Expressions, &Doomed);
		std::erase_if(Collection.EditorComments, [&Doomed](const UMaterialExpressionComment* Comment) { return Comment == &Doomed; });
		if (Before == Collection.Expressions.size() + Collection.EditorComments.size())
		{
			return false;
		}
		for (UMaterialExpression* const Expression : Collection.Expressions)
		{
			for (int32_t Index = 0; Index < Expression->CountInputs(); ++Index)
			{
				if (FExpressionInput* const Input = Expression->GetInput(Index); Input->Expression == &Doomed)
				{
					Input->Disconnect();
				}
			}
		}
		for (int Property = 0; Property < MP_MAX; ++Property)
		{
			if (FExpressionInput* const Input = Material.GetExpressionInputForProperty(static_cast<EMaterialProperty>(Property)); Input->Expression == &Doomed)
			{
				Input->Disconnect();
			}
		}
		RetireExpression(Doomed);
		Material.MarkPackageDirty();
		return true;
	}

	/** The expression's kept properties as name (with `(i)` for array items) to export text, in their order. */
	py::dict GetExpressionProperties(const UMaterialExpression& Expression)
	{
		py::dict Properties;
		for (const FCopyPasteProperty& Property : Expression.GetKeptProperties().Properties)
		{
			const std::string Key = Property.ArrayIndex ? Property.Name + "(" + std::to_string(*Property.ArrayIndex) + ")" : Property.Name;
			Properties[py::str(Key)] = Property.Value;
		}
		if (const UMaterialExpressionCustom* const Custom = Cast<UMaterialExpressionCustom>(&Expression))
		{
			std::string Names;
			for (const FExpressionInput& Input : Custom->Inputs)
			{
				Names += (Names.empty() ? "(" : ",") + std::string("(InputName=") + QuoteCopyPasteString(Input.InputName) + ")";
			}
			Properties["Inputs"] = Names.empty() ? std::string("()") : Names + ")";
		}
		if (const auto* const Usage = Cast<UMaterialExpressionNamedRerouteUsage>(&Expression); Usage != nullptr && Usage->Declaration != nullptr)
		{
			Properties["Declaration"] = UMaterialExpression::WriteExpressionReference(Usage->Declaration, EExpressionReferenceScope::Material);
		}
		return Properties;
	}

	/** `((InputName="A"),(InputName="B"))` as the custom expression's input names; its links are kept where the names stay. */
	bool SetCustomInputNames(UMaterialExpressionCustom& Custom, std::string_view Text)
	{
		const FCopyPasteValue Value = ParseCopyPasteValue(Text);
		if (Value.Kind != FCopyPasteValue::EKind::List)
		{
			return false;
		}
		std::vector<FExpressionInput> Inputs;
		for (const FCopyPasteValueItem& Item : Value.Items)
		{
			const FCopyPasteValue* const Name = Item.Value.Find("InputName");
			FExpressionInput Input;
			Input.InputName = Name != nullptr ? Name->AsPlainText() : std::string();
			const auto Kept = std::ranges::find(Custom.Inputs, Input.InputName, &FExpressionInput::InputName);
			Inputs.push_back(Kept != Custom.Inputs.end() ? *Kept : Input);
		}
		Custom.Inputs = std::move(Inputs);
		return true;
	}

	/** `Name` or `Name(i)` as a property name and its array index. */
	std::pair<std::string_view, std::optional<int>> SplitArrayIndex(std::string_view Key)
	{
		const std::size_t Open = Key.find('(');
		if (Open == std::string_view::npos || !Key.ends_with(')'))
		{
			return {Key, std::nullopt};
		}
		const std::string_view Digits = Key.substr(Open + 1, Key.size() - Open - 2);
		int Index = 0;
		const auto [End, Error] = std::from_chars(Digits.data(), Digits.data() + Digits.size(), Index);
		if (Digits.empty() || Error != std::errc() || End != Digits.data() + Digits.size() || Index < 0)
		{
			return {Key, std::nullopt};
		}
		return {Key.substr(0, Open), Index};
	}

	/** Sets a property (`Name`, or `Name(i)` for an array item) from export text; false when the expression's class has no such property. */
	bool SetExpressionProperty(UMaterialExpression& Expression, std::string_view Key, std::string_view Text)
	{
		const auto [Name, ArrayIndex] = SplitArrayIndex(Key);
		if (UMaterialExpressionCustom* const Custom = Cast<UMaterialExpressionCustom>(&Expression); Custom != nullptr && Name == "Inputs")
		{
			return SetCustomInputNames(*Custom, Text);
		}
		if (auto* const Usage = Cast<UMaterialExpressionNamedRerouteUsage>(&Expression); Usage != nullptr && Name == "Declaration")
		{
			// The declaration is another expression of the same material, named by the reference.
			const std::string DeclarationName = ReferencedObjectName(Text);
			Usage->Declaration = DeclarationName.empty() ? nullptr : Cast<UMaterialExpressionNamedRerouteDeclaration>(StaticFindObject(nullptr, Expression.GetOuter(), DeclarationName));
			return DeclarationName.empty() || Usage->Declaration != nullptr;
		}
		if (Expression.GetClass()->FindPropertyByName(Name) == nullptr)
		{
			return false;
		}
		Expression.SetKeptPropertyText(Name, std::string(Text), ArrayIndex);
		if (UMaterialExpressionMaterialFunctionCall* const Call = Cast<UMaterialExpressionMaterialFunctionCall>(&Expression); Call != nullptr && Name == "MaterialFunction")
		{
			Call->SetMaterialFunction(Call->GetMaterialFunction());
		}
		if (Expression.Material != nullptr)
		{
			Expression.Material->MarkPackageDirty();
		}
		return true;
	}

	py::list GetExpressionInputs(UMaterialExpression& Expression)
	{
		py::list Inputs;
		for (int32_t Index = 0; Index < Expression.CountInputs(); ++Index)
		{
			const FExpressionInput& Input = *Expression.GetInput(Index);
			py::dict Described;
			// The name the editing library connects by: a function call's inputs by their own names, others by
			// their pins' short names ('' for a lone "Input", which names the first input).
			const bool bFunctionCall = Cast<UMaterialExpressionMaterialFunctionCall>(&Expression) != nullptr;
			Described["name"] = bFunctionCall ? Input.InputName : GetExpressionInputPinName(Expression, Index);
			Described["expression"] = EditorPythonObjects::Wrap(Input.Expression);
			Described["output_name"] = OutputNameOf(Input);
			Described["output_index"] = Input.OutputIndex;
			Inputs.append(Described);
		}
		return Inputs;
	}

	py::dict GetPropertyInputs(UMaterial& Material)
	{
		py::dict Inputs;
		for (int Property = 0; Property < MP_MAX; ++Property)
		{
			const FExpressionInput& Input = *Material.GetExpressionInputForProperty(static_cast<EMaterialProperty>(Property));
			if (Input.IsConnected())
			{
				Inputs[py::str(std::string(PropertyNames[Property]))] = py::make_tuple(EditorPythonObjects::Wrap(Input.Expression), OutputNameOf(Input), Input.OutputIndex);
			}
		}
		return Inputs;
	}

	std::vector<std::string> RecompileAndReadErrors(UMaterial& Material)
	{
		UMaterialEditingLibrary::RecompileMaterial(&Material);
		FinishAllShaderCompilation();
		const FMaterialResource* const Resource = Material.GetMaterialResource(GMaxRHIShaderPlatform, EMaterialQualityLevel::High);
		return Resource != nullptr ? Resource->GetCompileErrors() : std::vector<std::string>();
	}

	std::vector<std::string> ReadCompileErrors(UMaterial& Material)
	{
		const FMaterialResource* const Resource = Material.GetMaterialResource(GMaxRHIShaderPlatform, EMaterialQualityLevel::High);
		return Resource != nullptr ? Resource->GetCompileErrors() : RecompileAndReadErrors(Material);
	}

	/** The functions the material calls, directly or through other functions, and those of its attribute layers, each once. */
	std::vector<UObject*> CalledFunctions(const UMaterial& Material)
	{
		std::vector<UMaterialFunctionInterface*> Functions;
		const auto Add = [&Functions](UMaterialFunctionInterface* Function) {
			if (Function == nullptr || std::ranges::find(Functions, Function) != Functions.end())
			{
				return;
			}
			Functions.push_back(Function);
			std::vector<UMaterialFunctionInterface*> Dependent;
			Function->GetDependentFunctions(Dependent);
			for (UMaterialFunctionInterface* const Inner : Dependent)
			{
				if (std::ranges::find(Functions, Inner) == Functions.end())
				{
					Functions.push_back(Inner);
				}
			}
		};
		for (UMaterialExpression* const Expression : Material.GetExpressions())
		{
			if (const auto* const Call = Cast<UMaterialExpressionMaterialFunctionCall>(Expression))
			{
				Add(Call->GetMaterialFunction());
			}
			else if (const auto* const Layers = Cast<UMaterialExpressionMaterialAttributeLayers>(Expression))
			{
				for (UMaterialFunctionInterface* const Layer : Layers->GetLayers())
				{
					Add(Layer);
				}
				for (UMaterialFunctionInterface* const Blend : Layers->GetBlends())
				{
					Add(Blend);
				}
			}
		}
		return {Functions.begin(), Functions.end()};
	}
}

UMaterial& EditorPythonMaterials::ToMaterial(py::handle Value)
{
	UMaterial* const Material = Cast<UMaterial>(&EditorPythonObjects::ToObject(Value));
	if (Material == nullptr)
	{
		throw py::type_error("expected a Material");
	}
	return *Material;
}

UMaterialInterface& EditorPythonMaterials::ToMaterialInterface(py::handle Value)
{
	UMaterialInterface* const Material = Cast<UMaterialInterface>(&EditorPythonObjects::ToObject(Value));
	if (Material == nullptr)
	{
		throw py::type_error("expected a Material or a Material Instance");
	}
	return *Material;
}

UMaterialExpression& EditorPythonMaterials::ToExpression(py::handle Value)
{
	UMaterialExpression* const Expression = Cast<UMaterialExpression>(&EditorPythonObjects::ToObject(Value));
	if (Expression == nullptr)
	{
		throw py::type_error("expected a material expression");
	}
	return *Expression;
}

void EditorPythonMaterials::DefineFunctions(py::module_& Module)
{
	Module.def("create_material", &CreateMaterial, py::arg("folder_path"), py::arg("name"),
		"A new, empty Material in memory at folder_path/name (save it with save_asset).");
	Module.def("clear_material", [](const py::object& Material) { ClearMaterial(ToMaterial(Material)); }, py::arg("material"),
		"Removes every expression and comment of the Material and disconnects its property inputs.");
	Module.def("get_material_settings", [](const py::object& Material) { return EditorPythonMaterialSettings::GetSettings(ToMaterial(Material)); },
		py::arg("material"), "The Material's settings, in the words of the material payload.");
	Module.def("set_material_settings", [](const py::object& Material, const py::dict& Settings) { return EditorPythonMaterialSettings::SetSettings(ToMaterial(Material), Settings); },
		py::arg("material"), py::arg("settings"), "Applies settings; returns (number applied, keys refused).");

	Module.def("get_material_expressions", [](const py::object& Material) { return WrapAll(ToMaterial(Material).GetExpressions()); },
		py::arg("material"), "The Material's expressions, in order (comments are apart).");
	Module.def("get_material_comments", [](const py::object& Material) { return WrapAll(ToMaterial(Material).GetExpressionCollection().EditorComments); },
		py::arg("material"), "The Material's editor comments, in order.");
	Module.def("create_material_expression", &CreateExpression, py::arg("material"), py::arg("expression_class"), py::arg("x") = 0, py::arg("y") = 0,
		py::arg("name") = py::none(), "A new expression (or comment) of the class in the Material at (x, y); named as asked, or uniquely.");
	Module.def("find_material_expression", [](const py::object& Material, std::string_view Name) { return EditorPythonObjects::Wrap(FindExpression(ToMaterial(Material), Name)); },
		py::arg("material"), py::arg("name"), "The Material's expression or comment of that object name, or None.");
	Module.def("delete_material_expression", [](const py::object& Material, const py::object& Expression) { return DeleteExpression(ToMaterial(Material), ToExpression(Expression)); },
		py::arg("material"), py::arg("expression"), "Removes the expression and the links that read it; False when it is not the Material's.");
	Module.def("get_expression_position", [](const py::object& Expression) {
		const UMaterialExpression& Found = ToExpression(Expression);
		return py::make_tuple(Found.MaterialExpressionEditorX, Found.MaterialExpressionEditorY);
	}, py::arg("expression"), "The expression's (x, y) in the graph.");
	Module.def("move_material_expression", [](const py::object& Expression, int32_t X, int32_t Y) {
		UMaterialExpression& Found = ToExpression(Expression);
		Found.MaterialExpressionEditorX = X;
		Found.MaterialExpressionEditorY = Y;
		Found.MarkPackageDirty();
	}, py::arg("expression"), py::arg("x"), py::arg("y"), "Moves the expression in the graph.");
	Module.def("get_expression_properties", [](const py::object& Expression) { return GetExpressionProperties(ToExpression(Expression)); },
		py::arg("expression"), "The properties the expression sets, as export text by name (array items as Name(i)).");
	Module.def("set_expression_property", [](const py::object& Expression, std::string_view Name, std::string_view Text) { return SetExpressionProperty(ToExpression(Expression), Name, Text); },
		py::arg("expression"), py::arg("name"), py::arg("text"), "Sets a property from export text; False when the class has no such property.");
	Module.def("get_expression_description", [](const py::object& Expression, std::string_view Property) -> std::string {
		const UMaterialExpression& Found = ToExpression(Expression);
		if (Property == "Desc")
		{
			return Found.Desc;
		}
		const std::optional<std::string> Text = Found.GetKeptPropertyText(Property);
		return Text ? UnquoteCopyPasteString(*Text).value_or(*Text) : std::string();
	}, py::arg("expression"), py::arg("property") = "Desc", "A text property as plain text: the description (Desc) or another, such as a comment's Text.");
	Module.def("set_expression_description", [](const py::object& Expression, std::string_view Text, std::string_view Property) {
		UMaterialExpression& Found = ToExpression(Expression);
		if (Property == "Desc")
		{
			Found.Desc = Text;
		}
		else
		{
			Found.SetKeptPropertyText(Property, QuoteCopyPasteString(Text));
		}
		Found.MarkPackageDirty();
	}, py::arg("expression"), py::arg("text"), py::arg("property") = "Desc", "Sets a text property from plain text.");
	Module.def("get_expression_inputs", [](const py::object& Expression) { return GetExpressionInputs(ToExpression(Expression)); },
		py::arg("expression"), "Each input as a dict: name, expression (or None), output_name, output_index.");
	Module.def("get_expression_outputs", [](const py::object& Expression) {
		std::vector<std::string> Names;
		for (const FExpressionOutput& Output : ToExpression(Expression).GetOutputs())
		{
			Names.push_back(Output.OutputName);
		}
		return Names;
	}, py::arg("expression"), "The names of the expression's outputs, in order ('' for the default output).");

	Module.def("connect_material_expressions", [](const py::object& From, std::string_view FromOutput, const py::object& To, std::string_view ToInput) {
		return UMaterialEditingLibrary::ConnectMaterialExpressions(&ToExpression(From), FromOutput, &ToExpression(To), ToInput);
	}, py::arg("from_expression"), py::arg("from_output"), py::arg("to_expression"), py::arg("to_input"),
		"Links an output to an input by name ('' for the first); False when a name does not exist.");
	Module.def("connect_material_property", [](const py::object& From, std::string_view FromOutput, std::string_view PropertyName) {
		const std::optional<EMaterialProperty> Property = PropertyByName(PropertyName);
		return Property && UMaterialEditingLibrary::ConnectMaterialProperty(&ToExpression(From), FromOutput, *Property);
	}, py::arg("from_expression"), py::arg("from_output"), py::arg("property"),
		"Links an output to a material property input ('BaseColor', 'EmissiveColor', ... 'CustomizedUVs0'); False when either does not exist.");
	Module.def("get_material_property_inputs", [](const py::object& Material) { return GetPropertyInputs(ToMaterial(Material)); },
		py::arg("material"), "The connected property inputs: property name to (expression, output name, output index), in property order.");

	Module.def("recompile_material", [](const py::object& Material) { return RecompileAndReadErrors(ToMaterial(Material)); },
		py::arg("material"), "Recompiles the Material; returns its compile errors (empty when it compiled).");
	Module.def("get_material_compile_errors", [](const py::object& Material) { return ReadCompileErrors(ToMaterial(Material)); },
		py::arg("material"), "The errors of the Material's last compile (compiling it first when it never was).");
	Module.def("get_used_textures", [](const py::object& Material) {
		std::vector<UTexture*> Textures;
		ToMaterialInterface(Material).GetUsedTextures(Textures);
		return WrapAll(Textures);
	}, py::arg("material"), "The textures the material or instance samples, each once.");
	Module.def("get_called_functions", [](const py::object& Material) { return WrapAll(CalledFunctions(ToMaterial(Material))); },
		py::arg("material"), "The material functions the Material calls (also through other functions and attribute layers), each once.");
}
