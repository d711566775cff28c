#pragma once

/**
 * Who added a tool-menu entry or section (a module object, typically), so that everything it
 * added can be removed at once with UToolMenus::UnregisterOwner.
 */
struct FToolMenuOwner
{
	FToolMenuOwner() = default;
	FToolMenuOwner(const void* InPointer) : Pointer(InPointer) {}

	bool IsSet() const { return Pointer != nullptr; }
	friend bool operator==(const FToolMenuOwner&, const FToolMenuOwner&) = default;

	const void* Pointer = nullptr;
};

/**
 * Makes Owner the owner of every tool-menu entry and section added while it lives (scopes
 * nest; the innermost wins).
 */
class FToolMenuOwnerScoped
{
public:
	explicit FToolMenuOwnerScoped(FToolMenuOwner InOwner);
	~FToolMenuOwnerScoped();
	FToolMenuOwnerScoped(const FToolMenuOwnerScoped&) = delete;
	FToolMenuOwnerScoped& operator=(const FToolMenuOwnerScoped&) = delete;

	/** The owner of the innermost live scope, or none. */
	static FToolMenuOwner GetCurrentOwner();
};
