#include "Meshes/Gltf/GltfAccessors.h"

#include <tiny_gltf.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

namespace
{
	// Refuses accessors whose decoded size would be unreasonable before any memory is taken.
	constexpr uint64_t MaxAccessorValues = uint64_t(1) << 26;
	// The glTF 2.0 standard's largest vertex stride.
	constexpr uint64_t MaxByteStride = 252;

	int32_t ComponentBytes(int ComponentType)
	{
		switch (ComponentType)
		{
		case TINYGLTF_COMPONENT_TYPE_BYTE:
		case TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE:
			return 1;
		case TINYGLTF_COMPONENT_TYPE_SHORT:
		case TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT:
			return 2;
		case TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT:
		case TINYGLTF_COMPONENT_TYPE_FLOAT:
			return 4;
		default:
			return 0;
		}
	}

	int32_t TypeComponents(int Type)
	{
		switch (Type)
		{
		case TINYGLTF_TYPE_SCALAR:
			return 1;
		case TINYGLTF_TYPE_VEC2:
			return 2;
		case TINYGLTF_TYPE_VEC3:
			return 3;
		case TINYGLTF_TYPE_VEC4:
			return 4;
		case TINYGLTF_TYPE_MAT4:
			return 16;
		default:
			return 0;
		}
	}

	double ReadComponent(const unsigned char* Source, int ComponentType, bool bNormalized)
	{
		switch (ComponentType)
		{
		case TINYGLTF_COMPONENT_TYPE_BYTE:
		{
			int8_t Value;
			std::memcpy(&Value, Source, 1);
			return bNormalized ? std::max(Value / 127.0, -1.0) : Value;
		}
		case TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE:
			return bNormalized ? *Source / 255.0 : *Source;
		case TINYGLTF_COMPONENT_TYPE_SHORT:
		{
			int16_t Value;
			std::memcpy(&Value, Source, 2);
			return bNormalized ? std::max(Value / 32767.0, -1.0) : Value;
		}
		case TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT:
		{
			uint16_t Value;
			std::memcpy(&Value, Source, 2);
			return bNormalized ? Value / 65535.0 : Value;
		}
		case TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT:
		{
			uint32_t Value;
			std::memcpy(&Value, Source, 4);
			return Value;
		}
		default:
		{
			float Value;
			std::memcpy(&Value, Source, 4);
			return Value;
		}
		}
	}

	/** A checked window of a buffer: Count elements of ElementBytes, Stride apart. */
	struct FStridedBytes
	{
		const unsigned char* Data = nullptr;
		uint64_t Stride = 0;
	};

	TGltfResult<FStridedBytes> ResolveView(const tinygltf::Model& Model, int32_t ViewIndex, uint64_t ByteOffset, uint64_t Count, uint64_t ElementBytes, bool bAllowStride, std::string_view What)
	{
		const std::string Name(What);
		if (ViewIndex < 0 || static_cast<std::size_t>(ViewIndex) >= Model.bufferViews.size())
		{
			return MakeGltfError("%s refers to missing buffer view %d", Name.c_str(), ViewIndex);
		}
		const tinygltf::BufferView& View = Model.bufferViews[ViewIndex];
		if (View.buffer < 0 || static_cast<std::size_t>(View.buffer) >= Model.buffers.size())
		{
			return MakeGltfError("buffer view %d refers to missing buffer %d", ViewIndex, View.buffer);
		}
		const std::vector<unsigned char>& Buffer = Model.buffers[View.buffer].data;
		if (View.byteOffset > Buffer.size() || View.byteLength > Buffer.size() - View.byteOffset)
		{
			return MakeGltfError("buffer view %d reads past the end of buffer %d (%zu bytes)", ViewIndex, View.buffer, Buffer.size());
		}
		const uint64_t Stride = (bAllowStride && View.byteStride != 0) ? View.byteStride : ElementBytes;
		if (Stride < ElementBytes || Stride > MaxByteStride)
		{
			return MakeGltfError("buffer view %d has a stride of %zu bytes, which does not suit %s", ViewIndex, View.byteStride, Name.c_str());
		}
		// Offsets are within the buffer, counts and strides bounded: this sum cannot wrap.
		if (ByteOffset > View.byteLength || ByteOffset + (Count - 1) * Stride + ElementBytes > View.byteLength)
		{
			return MakeGltfError("%s reads past the end of buffer view %d", Name.c_str(), ViewIndex);
		}
		return FStridedBytes{Buffer.data() + View.byteOffset + ByteOffset, Stride};
	}

	struct FDecoded
	{
		std::vector<double> Values;
		std::size_t Count = 0;
		int ComponentType = 0;
	};

	TGltfResult<FDecoded> Decode(const tinygltf::Model& Model, int32_t Index, int32_t Components, std::string_view What)
	{
		const std::string Name(What);
		if (Index < 0 || static_cast<std::size_t>(Index) >= Model.accessors.size())
		{
			return MakeGltfError("%s refers to missing accessor %d", Name.c_str(), Index);
		}
		const tinygltf::Accessor& Accessor = Model.accessors[Index];
		const int32_t Bytes = ComponentBytes(Accessor.componentType);
		if (Bytes == 0 || TypeComponents(Accessor.type) != Components)
		{
			return MakeGltfError("accessor %d (%s) has the wrong type or component type", Index, Name.c_str());
		}
		if (Components == 16 && Accessor.componentType != TINYGLTF_COMPONENT_TYPE_FLOAT)
		{
			return MakeGltfError("accessor %d (%s) is a matrix of integers", Index, Name.c_str());
		}
		if (Accessor.count == 0 || Accessor.count > MaxAccessorValues / Components)
		{
			return MakeGltfError("accessor %d (%s) has %zu elements", Index, Name.c_str(), Accessor.count);
		}
		FDecoded Result;
		Result.Count = Accessor.count;
		Result.ComponentType = Accessor.componentType;
		Result.Values.assign(Accessor.count * Components, 0.0);
		const uint64_t ElementBytes = uint64_t(Bytes) * Components;
		if (Accessor.bufferView >= 0)
		{
			const auto Window = ResolveView(Model, Accessor.bufferView, Accessor.byteOffset, Accessor.count, ElementBytes, true, What);
			if (!Window)
			{
				return Window.Error();
			}
			for (std::size_t Element = 0; Element < Accessor.count; ++Element)
			{
				const unsigned char* Source = Window->Data + Element * Window->Stride;
				for (int32_t Component = 0; Component < Components; ++Component)
				{
					Result.Values[Element * Components + Component] = ReadComponent(Source + Component * Bytes, Accessor.componentType, Accessor.normalized);
				}
			}
		}
		if (Accessor.sparse.isSparse)
		{
			const auto& Sparse = Accessor.sparse;
			const int32_t IndexBytes = ComponentBytes(Sparse.indices.componentType);
			if (Sparse.count <= 0 || static_cast<std::size_t>(Sparse.count) > Accessor.count || IndexBytes == 0 || Sparse.indices.componentType == TINYGLTF_COMPONENT_TYPE_FLOAT
				|| Sparse.indices.componentType == TINYGLTF_COMPONENT_TYPE_BYTE || Sparse.indices.componentType == TINYGLTF_COMPONENT_TYPE_SHORT
				|| Sparse.indices.byteOffset < 0 || Sparse.values.byteOffset < 0)
			{
				return MakeGltfError("accessor %d (%s) has a malformed sparse section", Index, Name.c_str());
			}
			const auto Indices = ResolveView(Model, Sparse.indices.bufferView, Sparse.indices.byteOffset, Sparse.count, IndexBytes, false, What);
			if (!Indices)
			{
				return Indices.Error();
			}
			const auto Values = ResolveView(Model, Sparse.values.bufferView, Sparse.values.byteOffset, Sparse.count, ElementBytes, false, What);
			if (!Values)
			{
				return Values.Error();
			}
			for (int32_t Entry = 0; Entry < Sparse.count; ++Entry)
			{
				const auto Target = static_cast<std::size_t>(ReadComponent(Indices->Data + Entry * IndexBytes, Sparse.indices.componentType, false));
				if (Target >= Accessor.count)
				{
					return MakeGltfError("accessor %d (%s) has a sparse index %zu past its %zu elements", Index, Name.c_str(), Target, Accessor.count);
				}
				for (int32_t Component = 0; Component < Components; ++Component)
				{
					Result.Values[Target * Components + Component] = ReadComponent(Values->Data + Entry * ElementBytes + Component * Bytes, Accessor.componentType, Accessor.normalized);
				}
			}
		}
		return Result;
	}
}

TGltfResult<FGltfFloatElements> ReadGltfFloats(const tinygltf::Model& Model, int32_t Index, int32_t Components, std::string_view What)
{
	auto Decoded = Decode(Model, Index, Components, What);
	if (!Decoded)
	{
		return Decoded.Error();
	}
	FGltfFloatElements Result;
	Result.Count = Decoded->Count;
	Result.Values.reserve(Decoded->Values.size());
	for (const double Value : Decoded->Values)
	{
		if (!std::isfinite(Value) || std::abs(Value) > std::numeric_limits<float>::max())
		{
			return MakeGltfError("accessor %d (%s) holds a value that is not a finite number", Index, std::string(What).c_str());
		}
		Result.Values.push_back(static_cast<float>(Value));
	}
	return Result;
}

TGltfResult<FGltfIntegerElements> ReadGltfIntegers(const tinygltf::Model& Model, int32_t Index, int32_t Components, uint8_t MaxBytes, std::string_view What)
{
	auto Decoded = Decode(Model, Index, Components, What);
	if (!Decoded)
	{
		return Decoded.Error();
	}
	const bool bUnsigned = Decoded->ComponentType == TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE || Decoded->ComponentType == TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT
		|| Decoded->ComponentType == TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT;
	const auto Bytes = static_cast<uint8_t>(ComponentBytes(Decoded->ComponentType));
	if (!bUnsigned || Bytes > MaxBytes || Model.accessors[Index].normalized)
	{
		return MakeGltfError("accessor %d (%s) must hold unsigned integers of at most %d bits", Index, std::string(What).c_str(), MaxBytes * 8);
	}
	FGltfIntegerElements Result;
	Result.Count = Decoded->Count;
	Result.ComponentBytes = Bytes;
	Result.Values.assign(Decoded->Values.begin(), Decoded->Values.end());
	return Result;
}
