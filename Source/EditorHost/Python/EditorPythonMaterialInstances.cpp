#include "Python/EditorPythonMaterials.h"

#include "Python/EditorAssetLibrary.h"
#include "Python/EditorPythonObjects.h"

#include "Materials/MaterialExpressions.h"
#include "Materials/MaterialInstance.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/Package.h"
#include "Objects/PackageName.h"
#include "Textures/Texture.h"

#include <pybind11/stl.h>

#include <array>
#include <optional>
#include <string>

namespace py = pybind11;

namespace
{
	constexpr std::array<std::string_view, 3> AssociationNames = {"LayerParameter", "BlendParameter", "GlobalParameter"};

	FMaterialParameterInfo MakeParameterInfo(std::string_view Name, std::string_view Association, int32_t Index)
	{
		const auto Found = std::ranges::find(AssociationNames, Association);
		if (Found == AssociationNames.end())
		{
			throw py::value_error("unknown parameter association '" + std::string(Association) + "'");
		}
		const auto Kind = static_cast<EMaterialParameterAssociation>(Found - AssociationNames.begin());
		return {std::string(Name), Kind, Kind == GlobalParameter ? -1 : Index};
	}

	UMaterialInstanceConstant& ToInstance(py::handle Value)
	{
		UMaterialInstanceConstant* const Instance = Cast<UMaterialInstanceConstant>(&EditorPythonObjects::ToObject(Value));
		if (Instance == nullptr)
		{
			throw py::type_error("expected a Material Instance Constant");
		}
		return *Instance;
	}

	UMaterialInterface* ToOptionalParent(const py::object& Value)
	{
		return Value.is_none() ? nullptr : &EditorPythonMaterials::ToMaterialInterface(Value);
	}

	/** A texture given as an editor.Object, an asset path or None. */
	UTexture* ToOptionalTexture(const py::object& Value)
	{
		if (Value.is_none())
		{
			return nullptr;
		}
		UObject* const Object = py::isinstance<py::str>(Value) ? EditorAssetLibrary::LoadAsset(Value.cast<std::string>()) : &EditorPythonObjects::ToObject(Value);
		UTexture* const Texture = Cast<UTexture>(Object);
		if (Texture == nullptr)
		{
			throw py::value_error("not a texture");
		}
		return Texture;
	}

	FLinearColor ToColor(const py::object& Value)
	{
		const std::vector<float> Channels = Value.cast<std::vector<float>>();
		if (Channels.size() != 3 && Channels.size() != 4)
		{
			throw py::value_error("a colour has 3 or 4 channels");
		}
		return {Channels[0], Channels[1], Channels[2], Channels.size() == 4 ? Channels[3] : 1.0f};
	}

	py::object CreateInstance(std::string_view FolderPath, std::string_view Name, const py::object& Parent, const py::object& InstanceClass)
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
		UClass& Class = InstanceClass.is_none() ? *UMaterialInstanceConstant::StaticClass() : EditorPythonObjects::ToClass(InstanceClass);
		if (!Class.IsChildOf<UMaterialInstanceConstant>())
		{
			throw py::value_error(Class.GetName() + " is not a material instance constant class");
		}
		UMaterialInterface* const ParentMaterial = ToOptionalParent(Parent);
		UPackage* const Package = CreatePackage(PackageName);
		UMaterialInstanceConstant* const Instance = Package != nullptr ? NewObject<UMaterialInstanceConstant>(Package, &Class, Name, RF_Public | RF_Standalone) : nullptr;
		if (Instance != nullptr)
		{
			Instance->Parent = ParentMaterial;
		}
		return EditorPythonObjects::Wrap(Instance);
	}

	py::dict DescribeParameter(std::string_view Kind, const FMaterialParameterInfo& Info, py::object Value)
	{
		py::dict Described;
		Described["kind"] = std::string(Kind);
		Described["name"] = Info.Name;
		Described["association"] = std::string(AssociationNames.at(Info.Association));
		Described["index"] = Info.Index;
		Described["value"] = std::move(Value);
		return Described;
	}

	/** Every parameter with its value (an instance's override, else the default), scalar, vector, texture, then static switch. */
	py::list GetParameters(const UMaterialInterface& Material)
	{
		py::list Parameters;
		std::vector<FMaterialParameterInfo> Infos;
		std::vector<FGuid> Ids;
		Material.GetAllScalarParameterInfo(Infos, Ids);
		for (const FMaterialParameterInfo& Info : Infos)
		{
			float Value = 0.0f;
			Material.GetScalarParameterValue(Info, Value);
			Parameters.append(DescribeParameter("scalar", Info, py::float_(Value)));
		}
		Infos.clear();
		Ids.clear();
		Material.GetAllVectorParameterInfo(Infos, Ids);
		for (const FMaterialParameterInfo& Info : Infos)
		{
			FLinearColor Value;
			Material.GetVectorParameterValue(Info, Value);
			Parameters.append(DescribeParameter("vector", Info, py::make_tuple(Value.R, Value.G, Value.B, Value.A)));
		}
		Infos.clear();
		Ids.clear();
		Material.GetAllTextureParameterInfo(Infos, Ids);
		for (const FMaterialParameterInfo& Info : Infos)
		{
			UTexture* Value = nullptr;
			Material.GetTextureParameterValue(Info, Value);
			Parameters.append(DescribeParameter("texture", Info, EditorPythonObjects::Wrap(Value)));
		}
		Infos.clear();
		Ids.clear();
		Material.GetAllStaticSwitchParameterInfo(Infos, Ids);
		for (const FMaterialParameterInfo& Info : Infos)
		{
			bool bValue = false;
			FGuid ExpressionGuid;
			Material.GetStaticSwitchParameterValue(Info, bValue, ExpressionGuid);
			Parameters.append(DescribeParameter("static_switch", Info, py::bool_(bValue)));
		}
		return Parameters;
	}

	/** Sets the default of the Material's own parameter expression of that kind and name; false when it has none. */
	bool SetParameterDefault(UMaterial& Material, std::string_view Kind, std::string_view Name, const py::object& Value)
	{
		bool bSet = false;
		for (UMaterialExpression* const Expression : Material.GetExpressions())
		{
			if (auto* const Scalar = Cast<UMaterialExpressionScalarParameter>(Expression); Scalar != nullptr && Kind == "scalar" && Scalar->GetParameterName() == Name)
			{
				Scalar->SetDefaultValue(Value.cast<float>());
				bSet = true;
			}
			else if (auto* const Vector = Cast<UMaterialExpressionVectorParameter>(Expression); Vector != nullptr && Kind == "vector" && Vector->GetParameterName() == Name)
			{
				Vector->SetDefaultValue(ToColor(Value));
				bSet = true;
			}
			else if (auto* const Texture = Cast<UMaterialExpressionTextureSampleParameter>(Expression); Texture != nullptr && Kind == "texture" && Texture->GetParameterName() == Name)
			{
				Texture->SetTexture(ToOptionalTexture(Value));
				bSet = true;
			}
			else if (auto* const Switch = Cast<UMaterialExpressionStaticBoolParameter>(Expression); Switch != nullptr && Kind == "static_switch" && Switch->GetParameterName() == Name)
			{
				Switch->SetDefaultValue(Value.cast<bool>());
				bSet = true;
			}
		}
		if (bSet)
		{
			Material.MarkPackageDirty();
		}
		return bSet;
	}
}

void EditorPythonMaterialInstances::DefineFunctions(py::module_& Module)
{
	Module.def("create_material_instance", &CreateInstance, py::arg("folder_path"), py::arg("name"), py::arg("parent") = py::none(),
		py::arg("instance_class") = py::none(), "A new Material Instance Constant (of the class, or a class below it) of parent, in memory.");
	Module.def("get_material_instance_parent", [](const py::object& Instance) { return EditorPythonObjects::Wrap(ToInstance(Instance).Parent); },
		py::arg("instance"), "The instance's parent, or None.");
	Module.def("set_material_instance_parent", [](const py::object& Instance, const py::object& Parent) {
		UMaterialInstanceConstant& Found = ToInstance(Instance);
		Found.Parent = ToOptionalParent(Parent);
		Found.MarkPackageDirty();
	}, py::arg("instance"), py::arg("parent"), "Gives the instance another parent (None for none).");
	Module.def("set_scalar_parameter_value", [](const py::object& Instance, std::string_view Name, float Value, std::string_view Association, int32_t Index) {
		ToInstance(Instance).SetScalarParameterValueEditorOnly(MakeParameterInfo(Name, Association, Index), Value);
	}, py::arg("instance"), py::arg("name"), py::arg("value"), py::arg("association") = "GlobalParameter", py::arg("index") = -1,
		"Overrides a scalar parameter on the instance.");
	Module.def("set_vector_parameter_value", [](const py::object& Instance, std::string_view Name, const py::object& Value, std::string_view Association, int32_t Index) {
		ToInstance(Instance).SetVectorParameterValueEditorOnly(MakeParameterInfo(Name, Association, Index), ToColor(Value));
	}, py::arg("instance"), py::arg("name"), py::arg("value"), py::arg("association") = "GlobalParameter", py::arg("index") = -1,
		"Overrides a vector parameter with (R, G, B[, A]).");
	Module.def("set_texture_parameter_value", [](const py::object& Instance, std::string_view Name, const py::object& Value, std::string_view Association, int32_t Index) {
		ToInstance(Instance).SetTextureParameterValueEditorOnly(MakeParameterInfo(Name, Association, Index), ToOptionalTexture(Value));
	}, py::arg("instance"), py::arg("name"), py::arg("texture"), py::arg("association") = "GlobalParameter", py::arg("index") = -1,
		"Overrides a texture parameter with a texture (an Object or an asset path).");
	Module.def("set_static_switch_parameter_value", [](const py::object& Instance, std::string_view Name, bool bValue, std::string_view Association, int32_t Index) {
		ToInstance(Instance).SetStaticSwitchParameterValueEditorOnly(MakeParameterInfo(Name, Association, Index), bValue);
	}, py::arg("instance"), py::arg("name"), py::arg("value"), py::arg("association") = "GlobalParameter", py::arg("index") = -1,
		"Overrides a static switch parameter.");
	Module.def("get_material_parameters", [](const py::object& Material) { return GetParameters(EditorPythonMaterials::ToMaterialInterface(Material)); },
		py::arg("material"), "Every parameter as a dict: kind, name, association, index, value (override, else default).");
	Module.def("set_parameter_default", [](const py::object& Material, std::string_view Kind, std::string_view Name, const py::object& Value) {
		return SetParameterDefault(EditorPythonMaterials::ToMaterial(Material), Kind, Name, Value);
	}, py::arg("material"), py::arg("kind"), py::arg("name"), py::arg("value"),
		"Sets the default of the Material's parameter of that kind ('scalar', 'vector', 'texture', 'static_switch') and name; False when there is none.");
}
