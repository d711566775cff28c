#pragma once

#include "Slate/MultiBox.h"
#include "Slate/MultiBoxExtender.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class ISlateStyle;

/** Whether the user may rearrange a toolbar; this editor's toolbars are fixed. */
struct FMultiBoxCustomization
{
	static const FMultiBoxCustomization None;
};

/**
 * What FMenuBuilder and FToolBarBuilder share: entries go into the open section (or into an
 * unnamed one when none is open), and extensions of the builder's extender run at each
 * section's hook. An extension that begins and ends a section of its own hook does not run
 * itself again.
 */
class FMultiBoxBuilder
{
public:
	FMultiBoxBuilder(EMultiBoxType InType, std::shared_ptr<FExtender> InExtender, const ISlateStyle* InStyleSet);
	virtual ~FMultiBoxBuilder() = default;

	/** Ends the open section and begins one named ExtensionHook (Before-hooked extensions run first). */
	void BeginSection(std::string ExtensionHook, const TAttribute<FText>& InHeadingText = TAttribute<FText>());
	/** Ends the open section; After-hooked extensions of its hook run then. */
	void EndSection();
	void AddSeparator(std::string ExtensionHook = {});

	/** The toolbar or menu built so far (an open section counts as ended). */
	std::shared_ptr<FMultiBox> GetMultiBox();
	/** The widget showing it. */
	std::shared_ptr<SWidget> MakeWidget();

protected:
	/** Adds the block to the open section; Before- and After-hooked extensions of ExtensionHook run around it. */
	void AddBlock(FMultiBlock Block, std::string_view ExtensionHook);
	/** Runs the builder's extensions hooked there on this builder. */
	virtual void RunExtensions(const FExtender& Extender, std::string_view Hook, EExtensionHook::Position Position) = 0;

private:
	void ApplyHook(std::string_view Hook, EExtensionHook::Position Position);
	FMultiBoxSection& CurrentSection();

	std::shared_ptr<FMultiBox> MultiBox;
	std::shared_ptr<FExtender> Extender;
	/** The hooks (with their positions) whose extensions are running, so an extension does not run itself again. */
	std::vector<std::pair<std::string, EExtensionHook::Position>> HooksBeingApplied;
	bool bSectionOpen = false;
	/** Whether the last section holds entries added outside any section. */
	bool bLooseSection = false;
};

/** Builds a menu (a drop-down's content): entries with label, tooltip, icon and action. */
class FMenuBuilder : public FMultiBoxBuilder
{
public:
	FMenuBuilder(bool bInShouldCloseWindowAfterMenuSelection, std::shared_ptr<const FUICommandList> InCommandList,
		std::shared_ptr<FExtender> InExtender = nullptr, bool bCloseSelfOnly = false, const ISlateStyle* InStyleSet = nullptr);

	void AddMenuEntry(const TAttribute<FText>& InLabel, const TAttribute<FText>& InToolTip, const FSlateIcon& InIcon, const FUIAction& UIAction,
		std::string InExtensionHook = {}, EUserInterfaceActionType UserInterfaceActionType = EUserInterfaceActionType::Button);
	void AddMenuSeparator(std::string InExtensionHook = {}) { AddSeparator(std::move(InExtensionHook)); }

	bool ShouldCloseWindowAfterMenuSelection() const { return bShouldCloseWindowAfterMenuSelection; }

protected:
	void RunExtensions(const FExtender& Extender, std::string_view Hook, EExtensionHook::Position Position) override;

private:
	bool bShouldCloseWindowAfterMenuSelection;
};

/** Builds a toolbar: buttons and combo buttons in sections. */
class FToolBarBuilder : public FMultiBoxBuilder
{
public:
	FToolBarBuilder(std::shared_ptr<const FUICommandList> InCommandList, const FMultiBoxCustomization& InCustomization,
		std::shared_ptr<FExtender> InExtender = nullptr, bool bForceSmallIcons = false);

	void AddToolBarButton(const FUIAction& InAction, std::string InExtensionHook = {}, const TAttribute<FText>& InLabelOverride = TAttribute<FText>(),
		const TAttribute<FText>& InToolTipOverride = TAttribute<FText>(), const TAttribute<FSlateIcon>& InIconOverride = TAttribute<FSlateIcon>(),
		EUserInterfaceActionType UserInterfaceActionType = EUserInterfaceActionType::Button);
	/**
	 * A combo button: InAction runs on its main part (a split button) unless bInSimpleComboBox,
	 * and InMenuContentGenerator builds its drop-down.
	 */
	void AddComboButton(const FUIAction& InAction, const FOnGetContent& InMenuContentGenerator, const TAttribute<FText>& InLabelOverride = TAttribute<FText>(),
		const TAttribute<FText>& InToolTipOverride = TAttribute<FText>(), const TAttribute<FSlateIcon>& InIconOverride = TAttribute<FSlateIcon>(),
		bool bInSimpleComboBox = false);

protected:
	void RunExtensions(const FExtender& Extender, std::string_view Hook, EExtensionHook::Position Position) override;
};
