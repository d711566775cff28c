#include "BulkData/GltfTestScenes.h"

#include <cmath>

FSkinnedTriangleScene::FSkinnedTriangleScene()
{
	const int Positions = File.AddFloats({0, 0, 0, 1, 0, 0, 0, 1, 0}, "VEC3");
	const int Normals = File.AddFloats({0, 0, 1, 0, 0, 1, 0, 0, 1}, "VEC3");
	const int Indices = File.AddUnsignedShorts({0, 1, 2}, "SCALAR");
	const int Joints = File.AddUnsignedBytes({0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0}, "VEC4");
	const int Weights = File.AddFloats({0.25f, 0.75f, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0}, "VEC4");
	const int Smile = File.AddFloats({0, 0, 0, 0, 0.1f, 0, 0, 0, 0}, "VEC3");
	const std::string Half = std::to_string(std::sqrt(0.5));
	Nodes = "\"nodes\":[{\"name\":\"Spine\",\"translation\":[0,0.5,0],\"rotation\":[0," + Half + ",0," + Half
		+ "]},{\"name\":\"Hips\",\"translation\":[0,1,0],\"children\":[0]},{\"name\":\"Body\",\"mesh\":0,\"skin\":0}]";
	Meshes = "\"meshes\":[{\"name\":\"Body\",\"extras\":{\"targetNames\":[\"Smile\"]},\"primitives\":[{\"attributes\":{\"POSITION\":" + std::to_string(Positions)
		+ ",\"NORMAL\":" + std::to_string(Normals) + ",\"JOINTS_0\":" + std::to_string(Joints) + ",\"WEIGHTS_0\":" + std::to_string(Weights)
		+ "},\"indices\":" + std::to_string(Indices) + ",\"material\":0,\"targets\":[{\"POSITION\":" + std::to_string(Smile) + "}]}]}]";
	Skins = "\"skins\":[{\"joints\":[0,1]}]";
}

std::string FSkinnedTriangleScene::Members(const std::string& Extra) const
{
	return Nodes + "," + Meshes + "," + Skins + "," + Materials + (Extra.empty() ? "" : "," + Extra);
}

FGltfFile LoadGltfText(const std::string& Json)
{
	return FGltfFile::LoadFromMemory(std::span(reinterpret_cast<const uint8_t*>(Json.data()), Json.size()), "Scene.gltf").value();
}
