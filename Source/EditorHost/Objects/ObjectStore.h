#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class UObject;
class UPackage;

/** Told about assets that come into being in memory and about packages written to disk. */
class IObjectStoreListener
{
public:
	virtual ~IObjectStoreListener() = default;
	/** A new asset was created in memory (not loaded from its file). */
	virtual void OnAssetCreated(UObject& Asset) = 0;
	/** The package holding Asset was written to its file. */
	virtual void OnPackageSaved(UPackage& Package, UObject& Asset) = 0;
};

/**
 * The editor's packages: every package created or loaded while the host runs,
 * and the transient package "/Engine/Transient" for objects that are never
 * saved. The editor host owns one; NewObject, FindObject and the loaders reach
 * it through Get(). Script packages (the engine's classes) are not here: they
 * belong to the class database.
 */
class FObjectStore
{
public:
	FObjectStore();
	~FObjectStore();
	FObjectStore(const FObjectStore&) = delete;
	FObjectStore& operator=(const FObjectStore&) = delete;

	/** The live store; there is exactly one while a host runs. */
	static FObjectStore& Get();

	UPackage* FindPackage(std::string_view PackageName) const;
	/** The package of that name, created (empty, in memory) when it does not exist; nullptr for an invalid name. */
	UPackage* CreatePackage(std::string_view PackageName);
	UPackage* GetTransientPackage() const { return TransientPackage; }
	/** Destroys the package and everything in it at once; false when there is no such package. */
	bool DestroyPackage(std::string_view PackageName);
	/** Every package, in no particular order. */
	std::vector<UPackage*> GetPackages() const;

	/** Destroys every object marked as garbage (and everything inside it); weak pointers to them stop resolving. */
	void CollectGarbage();

	void AddListener(IObjectStoreListener& Listener);
	void RemoveListener(IObjectStoreListener& Listener);
	void BroadcastAssetCreated(UObject& Asset) const;
	void BroadcastPackageSaved(UPackage& Package, UObject& Asset) const;

private:
	struct FNameHash
	{
		using is_transparent = void;
		std::size_t operator()(std::string_view Name) const noexcept { return std::hash<std::string_view>{}(Name); }
	};

	std::unordered_map<std::string, std::unique_ptr<UPackage>, FNameHash, std::equal_to<>> Packages;
	UPackage* TransientPackage = nullptr;
	std::vector<IObjectStoreListener*> Listeners;
};
