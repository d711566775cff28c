#include "Python/EditorPythonModule.h"

#include "Python/EditorAssetLibrary.h"
#include "Python/EditorPythonBlueprints.h"
#include "Python/EditorPythonMaterials.h"
#include "Python/EditorPythonTextures.h"
#include "Python/EditorPythonObjects.h"
#include "Python/EditorPythonScriptCallables.h"
#include "Python/EditorPythonToolsets.h"
#include "Python/EditorPythonWidgets.h"
#include "Python/LogPython.h"

#include "Core/Paths.h"
#include "Objects/Class.h"
#include "Objects/PackageName.h"
#include "Runtime/PluginManager.h"

#include <pybind11/stl.h>

namespace py = pybind11;

namespace
{
	void DefineLog(py::module_& Module)
	{
		Module.def("log", [](std::string_view Message) { FLog::Write(LogPython, ELogVerbosity::Log, Message); }, py::arg("message"),
			"Writes a line to the editor's log (LogPython, verbosity Log).");
		Module.def("log_warning", [](std::string_view Message) { FLog::Write(LogPython, ELogVerbosity::Warning, Message); }, py::arg("message"),
			"Writes a warning to the editor's log.");
		Module.def("log_error", [](std::string_view Message) { FLog::Write(LogPython, ELogVerbosity::Error, Message); }, py::arg("message"),
			"Writes an error to the editor's log.");
	}

	void DefinePaths(py::module_& Module)
	{
		Module.def("get_project_dir", &FPaths::ProjectDir, "The project folder (absolute, forward slashes, trailing slash).");
		Module.def("get_content_dir", &FPaths::ProjectContentDir, "The project's Content folder.");
		Module.def("get_intermediate_dir", &FPaths::ProjectIntermediateDir, "The project's Intermediate folder.");
		Module.def(
			"get_plugin_dir",
			[](std::string_view PluginName) -> std::optional<std::string> {
				const std::shared_ptr<IPlugin> Plugin = IPluginManager::Get().FindPlugin(PluginName);
				return Plugin ? std::optional<std::string>(Plugin->GetBaseDir()) : std::nullopt;
			},
			py::arg("plugin_name"), "The folder of a plug-in the editor knows, or None.");
	}

	/** A folder path a script passed; ValueError when it is not one. */
	std::string_view CheckedFolderPath(std::string_view FolderPath)
	{
		if (!FPackageName::IsValidPath(FolderPath))
		{
			throw py::value_error("not a content folder path: '" + std::string(FolderPath) + "'");
		}
		return FolderPath;
	}

	void DefineAssets(py::module_& Module)
	{
		Module.def("load_asset", [](std::string_view AssetPath) { return EditorPythonObjects::Wrap(EditorAssetLibrary::LoadAsset(AssetPath)); },
			py::arg("asset_path"), "The asset at an object or package path, loaded on first use; None when there is none.");
		Module.def("does_asset_exist", &EditorAssetLibrary::DoesAssetExist, py::arg("asset_path"),
			"Whether the asset registry lists an asset at that path (never loads).");
		Module.def(
			"list_assets",
			[](std::string_view FolderPath, const py::object& ClassFilter, bool bRecursive) {
				const UClass* Class = ClassFilter.is_none() ? nullptr : &EditorPythonObjects::ToClass(ClassFilter);
				return EditorAssetLibrary::ListAssets(CheckedFolderPath(FolderPath), Class, bRecursive);
			},
			py::arg("folder_path") = "/Game", py::arg("asset_class") = py::none(), py::arg("recursive") = true,
			"The object paths of the assets in a folder (and below it when recursive), of a class or its subclasses; never loads.");
		Module.def(
			"save_asset",
			[](const py::object& Asset) {
				UObject* Object = py::isinstance<py::str>(Asset) ? EditorAssetLibrary::LoadAsset(Asset.cast<std::string>())
																 : &EditorPythonObjects::ToObject(Asset);
				return EditorAssetLibrary::SaveLoadedAsset(Object);
			},
			py::arg("asset"), "Saves an asset (an Object or an asset path) to its file; False when it cannot be saved.");
	}

	void DefineClasses(py::module_& Module)
	{
		Module.def(
			"find_class",
			[](std::string_view PathOrName) { return EditorPythonObjects::Wrap(EditorPythonObjects::FindClass(PathOrName)); },
			py::arg("class_path_or_name"), "The class at '/Script/Engine.Actor', or the first class named 'Actor'; None when unknown.");
	}

	py::module_ CreateEditorModule()
	{
		static py::module_::module_def Definition;
		py::module_ Module = py::module_::create_extension_module("editor", "The editor, as Python scripts see it.", &Definition);
		DefineLog(Module);
		DefinePaths(Module);
		EditorPythonObjects::DefineTypes(Module);
		DefineAssets(Module);
		DefineClasses(Module);
		EditorPythonBlueprints::DefineFunctions(Module);
		EditorPythonMaterials::DefineFunctions(Module);
		EditorPythonMaterialInstances::DefineFunctions(Module);
		EditorPythonTextures::DefineFunctions(Module);
		EditorPythonWidgets::DefineFunctions(Module);
		EditorPythonScriptCallables::DefineTypes(Module);
		EditorPythonToolsets::DefineFunctions(Module);
		return Module;
	}

	PyObject* InitEditorModule()
	{
		try
		{
			return CreateEditorModule().release().ptr();
		}
		catch (py::error_already_set& Error)
		{
			Error.restore();
		}
		catch (const std::exception& Error)
		{
			PyErr_SetString(PyExc_ImportError, Error.what());
		}
		return nullptr;
	}
}

void RegisterEditorPythonModule()
{
	for (const _inittab* Entry = PyImport_Inittab; Entry->name != nullptr; ++Entry)
	{
		if (std::string_view(Entry->name) == "editor")
		{
			return;
		}
	}
	PyImport_AppendInittab("editor", &InitEditorModule);
}
