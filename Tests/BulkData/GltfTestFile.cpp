#include "BulkData/GltfTestFile.h"

#include "Core/Base64.h"

#include <cstring>

namespace
{
	std::string Join(const std::vector<std::string>& Items)
	{
		std::string Out;
		for (const std::string& Item : Items)
		{
			Out += (Out.empty() ? "" : ",") + Item;
		}
		return Out;
	}

	std::size_t Components(std::string_view Type)
	{
		return Type == "SCALAR" ? 1 : Type == "VEC2" ? 2 : Type == "VEC3" ? 3 : Type == "VEC4" ? 4 : 16;
	}
}

int FGltfTestFile::AddAccessor(const void* Data, std::size_t NumBytes, int ComponentType, std::size_t Count, std::string_view Type)
{
	const std::size_t Offset = Buffer.size();
	Buffer.resize(Offset + NumBytes);
	std::memcpy(Buffer.data() + Offset, Data, NumBytes);
	Buffer.resize((Buffer.size() + 3) / 4 * 4);
	BufferViews.push_back("{\"buffer\":0,\"byteOffset\":" + std::to_string(Offset) + ",\"byteLength\":" + std::to_string(NumBytes) + "}");
	return AddAccessorJson("{\"bufferView\":" + std::to_string(BufferViews.size() - 1) + ",\"componentType\":" + std::to_string(ComponentType) + ",\"count\":"
		+ std::to_string(Count) + ",\"type\":\"" + std::string(Type) + "\"}");
}

int FGltfTestFile::AddFloats(const std::vector<float>& Values, std::string_view Type)
{
	return AddAccessor(Values.data(), Values.size() * 4, 5126, Values.size() / Components(Type), Type);
}

int FGltfTestFile::AddUnsignedBytes(const std::vector<uint8_t>& Values, std::string_view Type)
{
	return AddAccessor(Values.data(), Values.size(), 5121, Values.size() / Components(Type), Type);
}

int FGltfTestFile::AddUnsignedShorts(const std::vector<uint16_t>& Values, std::string_view Type)
{
	return AddAccessor(Values.data(), Values.size() * 2, 5123, Values.size() / Components(Type), Type);
}

int FGltfTestFile::AddUnsignedInts(const std::vector<uint32_t>& Values, std::string_view Type)
{
	return AddAccessor(Values.data(), Values.size() * 4, 5125, Values.size() / Components(Type), Type);
}

int FGltfTestFile::AddAccessorJson(std::string Json)
{
	Accessors.push_back(std::move(Json));
	return static_cast<int>(Accessors.size()) - 1;
}

std::string FGltfTestFile::Json(std::string_view Members) const
{
	std::string Out = "{\"asset\":{\"version\":\"2.0\"}";
	if (!Members.empty())
	{
		Out += "," + std::string(Members);
	}
	if (!Buffer.empty())
	{
		Out += ",\"buffers\":[{\"byteLength\":" + std::to_string(Buffer.size() + ExtraClaimedBytes) + ",\"uri\":\"data:application/octet-stream;base64,"
			+ FBase64::Encode(std::span<const uint8_t>(Buffer)) + "\"}]";
		Out += ",\"bufferViews\":[" + Join(BufferViews) + "]";
	}
	if (!Accessors.empty())
	{
		Out += ",\"accessors\":[" + Join(Accessors) + "]";
	}
	return Out + "}";
}

std::vector<uint8_t> FGltfTestFile::Bytes(std::string_view Members) const
{
	const std::string Text = Json(Members);
	return std::vector<uint8_t>(Text.begin(), Text.end());
}
