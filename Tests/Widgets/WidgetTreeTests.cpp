#include "Assets/AssetFiles.h"
#include "Objects/ClassDatabase.h"
#include "Objects/ObjectGlobals.h"
#include "Objects/Package.h"
#include "Objects/PropertyValues.h"
#include "Widgets/PanelSlot.h"
#include "Widgets/PanelWidget.h"
#include "Widgets/WidgetTree.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
	class WidgetTree : public ::testing::Test
	{
	protected:
		FTestEditor Editor{HostOnly()};
		UWidgetTree* Tree = NewObject<UWidgetTree>(CreatePackage("/Game/Tests/Tree"), "WidgetTree");

		UWidget* Make(std::string_view ClassName, std::string_view Name)
		{
			UWidget* const Widget = Tree->ConstructWidget(FClassDatabase::Get().FindClass("/Script/UMG." + std::string(ClassName)), Name);
			EXPECT_NE(Widget, nullptr) << ClassName;
			return Widget;
		}

		UPanelWidget* MakePanel(std::string_view ClassName, std::string_view Name) { return Cast<UPanelWidget>(Make(ClassName, Name)); }

		std::vector<std::string> AllNames() const
		{
			std::vector<UWidget*> Widgets;
			Tree->GetAllWidgets(Widgets);
			std::vector<std::string> Names;
			for (const UWidget* Widget : Widgets)
			{
				Names.push_back(Widget->GetName());
			}
			return Names;
		}

		/** Every slot of the panel points back at it and at a content that points at the slot. */
		static void ExpectConsistent(const UPanelWidget& Panel)
		{
			for (const UPanelSlot* Slot : Panel.GetSlots())
			{
				ASSERT_NE(Slot, nullptr);
				EXPECT_EQ(Slot->Parent.Get(), &Panel);
				ASSERT_NE(Slot->Content.Get(), nullptr);
				EXPECT_EQ(Slot->Content->Slot.Get(), Slot);
				EXPECT_EQ(Slot->Content->GetParent(), &Panel);
				EXPECT_EQ(Slot->GetOuter(), &Panel) << "slots live inside their panel";
			}
		}
	};
}

TEST_F(WidgetTree, WidgetsAreMadeAsTheTypeOfTheirNearestBoundClass)
{
	EXPECT_NE(Cast<UPanelWidget>(Make("CanvasPanel", "Canvas")), nullptr);
	EXPECT_NE(Cast<UPanelWidget>(Make("VerticalBox", "Box")), nullptr);
	EXPECT_NE(Cast<UContentWidget>(Make("Button", "Button")), nullptr);
	EXPECT_NE(Cast<UContentWidget>(Make("Border", "Border")), nullptr);
	UWidget* const Text = Make("TextBlock", "Label");
	EXPECT_EQ(Cast<UPanelWidget>(Text), nullptr);
	EXPECT_TRUE(Text->IsA<UWidget>());
	EXPECT_EQ(Text->GetOuter(), Tree);
	EXPECT_EQ(Tree->FindWidget("Label"), Text);
	EXPECT_EQ(Tree->FindWidget("Nope"), nullptr);
}

TEST_F(WidgetTree, ConstructWidgetRefusesTakenNamesAndClassesThatAreNoConcreteWidgets)
{
	Make("TextBlock", "Label");
	EXPECT_EQ(Tree->ConstructWidget(FClassDatabase::Get().FindClass("/Script/UMG.TextBlock"), "Label"), nullptr) << "a taken name is not replaced";
	EXPECT_EQ(Tree->ConstructWidget(FClassDatabase::Get().FindClass("/Script/UMG.TextBlock"), "Bad Name"), nullptr);
	EXPECT_EQ(Tree->ConstructWidget(UWidget::StaticClass()), nullptr) << "Widget is abstract";
	EXPECT_EQ(Tree->ConstructWidget(FClassDatabase::Get().FindClass("/Script/Engine.Actor")), nullptr);
	EXPECT_EQ(Tree->ConstructWidget(nullptr), nullptr);
	UWidget* const Unnamed = Tree->ConstructWidget(FClassDatabase::Get().FindClass("/Script/UMG.TextBlock"));
	ASSERT_NE(Unnamed, nullptr);
	EXPECT_EQ(Unnamed->GetName(), "TextBlock_0");
	EXPECT_EQ(AllNames(), (std::vector<std::string>{"Label", "TextBlock_0"}));
}

TEST_F(WidgetTree, AddChildMakesTheSlotClassOfThePanel)
{
	const std::vector<std::pair<std::string, std::string>> Expected{
		{"CanvasPanel", "CanvasPanelSlot"}, {"VerticalBox", "VerticalBoxSlot"}, {"HorizontalBox", "HorizontalBoxSlot"},
		{"Overlay", "OverlaySlot"}, {"GridPanel", "GridSlot"}, {"UniformGridPanel", "UniformGridSlot"}, {"Button", "ButtonSlot"},
		{"Border", "BorderSlot"}, {"SizeBox", "SizeBoxSlot"}, {"ScrollBox", "ScrollBoxSlot"}, {"WrapBox", "WrapBoxSlot"},
		{"WidgetSwitcher", "WidgetSwitcherSlot"}, {"CheckBox", "PanelSlot"}, {"NamedSlot", "PanelSlot"}};
	for (const auto& [PanelClass, SlotClass] : Expected)
	{
		UPanelWidget* const Panel = MakePanel(PanelClass, PanelClass + "_Panel");
		ASSERT_NE(Panel, nullptr) << PanelClass;
		UPanelSlot* const Slot = Panel->AddChild(Make("TextBlock", PanelClass + "_Child"));
		ASSERT_NE(Slot, nullptr) << PanelClass;
		EXPECT_EQ(Slot->GetClass()->GetName(), SlotClass) << PanelClass;
		ExpectConsistent(*Panel);
	}
}

TEST_F(WidgetTree, ChildrenKeepTheirOrderAndAContentWidgetTakesOne)
{
	UPanelWidget* const Box = MakePanel("VerticalBox", "Box");
	UWidget* const A = Make("TextBlock", "A");
	UWidget* const B = Make("Image", "B");
	ASSERT_NE(Box->AddChild(A), nullptr);
	ASSERT_NE(Box->AddChild(B), nullptr);
	EXPECT_EQ(Box->GetChildrenCount(), 2);
	EXPECT_EQ(Box->GetChildAt(0), A);
	EXPECT_EQ(Box->GetChildAt(1), B);
	EXPECT_EQ(Box->GetChildAt(2), nullptr);
	EXPECT_EQ(Box->GetChildAt(-1), nullptr);
	EXPECT_EQ(Box->GetChildIndex(B), 1);

	UPanelWidget* const Button = MakePanel("Button", "Button");
	ASSERT_NE(Button->AddChild(Make("TextBlock", "Caption")), nullptr);
	EXPECT_EQ(Button->AddChild(Make("TextBlock", "Second")), nullptr) << "a button holds one child";
	EXPECT_EQ(Tree->FindWidget("Second")->Slot.Get(), nullptr);
	EXPECT_EQ(Button->GetChildrenCount(), 1);
}

TEST_F(WidgetTree, AddChildRefusesThePanelItselfAndItsAncestors)
{
	UPanelWidget* const Outer = MakePanel("CanvasPanel", "Outer");
	UPanelWidget* const Middle = MakePanel("Overlay", "Middle");
	UPanelWidget* const Inner = MakePanel("Border", "Inner");
	ASSERT_NE(Outer->AddChild(Middle), nullptr);
	ASSERT_NE(Middle->AddChild(Inner), nullptr);
	EXPECT_EQ(Inner->AddChild(Inner), nullptr);
	EXPECT_EQ(Inner->AddChild(Outer), nullptr);
	EXPECT_EQ(Inner->AddChild(Middle), nullptr);
	EXPECT_EQ(Inner->AddChild(nullptr), nullptr);
	EXPECT_EQ(Middle->GetParent(), Outer) << "a refused move changes nothing";
	ExpectConsistent(*Outer);
	ExpectConsistent(*Middle);
}

TEST_F(WidgetTree, MovingAChildTakesItOutOfItsOldPanel)
{
	UPanelWidget* const Left = MakePanel("VerticalBox", "Left");
	UPanelWidget* const Right = MakePanel("HorizontalBox", "Right");
	UWidget* const A = Make("TextBlock", "A");
	UWidget* const B = Make("TextBlock", "B");
	Left->AddChild(A);
	Left->AddChild(B);
	UPanelSlot* const OldSlot = A->Slot;
	const TWeakObjectPtr<UPanelSlot> OldSlotWeak(OldSlot);

	UPanelSlot* const NewSlot = Right->AddChild(A);
	ASSERT_NE(NewSlot, nullptr);
	EXPECT_EQ(NewSlot->GetClass()->GetName(), "HorizontalBoxSlot");
	EXPECT_EQ(A->GetParent(), Right);
	EXPECT_EQ(Left->GetChildrenCount(), 1);
	EXPECT_EQ(Left->GetChildAt(0), B);
	EXPECT_TRUE(OldSlotWeak.IsStale()) << "the old slot is destroyed";
	ExpectConsistent(*Left);
	ExpectConsistent(*Right);

	EXPECT_TRUE(Right->RemoveChild(A));
	EXPECT_FALSE(Right->RemoveChild(A));
	EXPECT_FALSE(Right->RemoveChild(B)) << "B is Left's child";
	EXPECT_EQ(A->Slot.Get(), nullptr);
	EXPECT_EQ(A->GetParent(), nullptr);
	EXPECT_EQ(Right->GetChildrenCount(), 0);
}

TEST_F(WidgetTree, GetAllWidgetsListsTheRootHierarchyDepthFirstThenTheRest)
{
	UWidget* const Loose = Make("TextBlock", "Loose");
	UPanelWidget* const Root = MakePanel("CanvasPanel", "Root");
	UPanelWidget* const Box = MakePanel("VerticalBox", "Box");
	UWidget* const Late = Make("Image", "Late");
	UPanelWidget* const Button = MakePanel("Button", "Button");
	Root->AddChild(Box);
	Root->AddChild(Late);
	Box->AddChild(Button);
	Button->AddChild(Make("TextBlock", "Caption"));
	Tree->RootWidget = Root;
	EXPECT_EQ(AllNames(), (std::vector<std::string>{"Root", "Box", "Button", "Caption", "Late", "Loose"}));
	ASSERT_NE(Loose, nullptr);

	// A loop written by hand (a slot naming an ancestor) is walked once.
	Button->Slots.push_back(Box->Slots.front());
	EXPECT_EQ(AllNames(), (std::vector<std::string>{"Root", "Box", "Button", "Caption", "Late", "Loose"}));
	Button->Slots.pop_back();
}

TEST_F(WidgetTree, AWidgetMovedOutOfTheTreeLeavesNoLinksBehind)
{
	UPanelWidget* const Root = MakePanel("CanvasPanel", "Root");
	UPanelWidget* const Box = MakePanel("VerticalBox", "Box");
	UWidget* const Label = Make("TextBlock", "Label");
	UWidget* const Icon = Make("Image", "Icon");
	Root->AddChild(Box);
	Root->AddChild(Icon);
	Box->AddChild(Label);
	Tree->RootWidget = Root;

	// A panel that leaves takes its slots with it; its children stay in the tree, unattached.
	ASSERT_TRUE(Box->Rename(nullptr, GetTransientPackage(), REN_DontCreateRedirectors | REN_NonTransactional));
	EXPECT_EQ(Root->GetChildrenCount(), 1);
	EXPECT_EQ(Root->GetChildAt(0), Icon);
	EXPECT_EQ(Box->Slot.Get(), nullptr);
	EXPECT_EQ(Box->GetChildrenCount(), 0);
	EXPECT_EQ(Label->Slot.Get(), nullptr);
	EXPECT_EQ(AllNames(), (std::vector<std::string>{"Root", "Icon", "Label"}));
	ExpectConsistent(*Root);

	// The root that leaves is no longer the root.
	ASSERT_TRUE(Root->Rename(nullptr, GetTransientPackage(), REN_DontCreateRedirectors | REN_NonTransactional));
	EXPECT_EQ(Tree->RootWidget.Get(), nullptr);
	EXPECT_EQ(Icon->Slot.Get(), nullptr);
	EXPECT_EQ(AllNames(), (std::vector<std::string>{"Label", "Icon"})) << "without a root, in creation order";

	// A rename inside the tree changes nothing of the hierarchy.
	UPanelWidget* const Overlay = MakePanel("Overlay", "Overlay");
	Overlay->AddChild(Icon);
	ASSERT_TRUE(Icon->Rename("Picture", nullptr));
	EXPECT_EQ(Icon->GetParent(), Overlay);
	EXPECT_EQ(Tree->FindWidget("Picture"), Icon);
}

TEST_F(WidgetTree, EmptyingTheTreeAsAnOverwriteDoes)
{
	UPanelWidget* const Root = MakePanel("CanvasPanel", "Root");
	UPanelWidget* const Box = MakePanel("VerticalBox", "Box");
	Root->AddChild(Box);
	Box->AddChild(Make("TextBlock", "A"));
	Box->AddChild(Make("TextBlock", "B"));
	Make("Image", "Unattached");
	Tree->RootWidget = Root;

	std::vector<UWidget*> Widgets;
	Tree->GetAllWidgets(Widgets);
	for (UWidget* const Widget : Widgets)
	{
		ASSERT_TRUE(Widget->Rename(nullptr, GetTransientPackage(), REN_DontCreateRedirectors | REN_NonTransactional));
	}
	Tree->RootWidget = nullptr;
	EXPECT_TRUE(AllNames().empty());
	EXPECT_TRUE(Tree->GetInnerObjects().empty());
	for (UWidget* const Widget : Widgets)
	{
		EXPECT_EQ(Widget->GetOuter(), GetTransientPackage());
		EXPECT_EQ(Widget->Slot.Get(), nullptr) << Widget->GetName();
		if (const UPanelWidget* const Panel = Cast<UPanelWidget>(Widget))
		{
			EXPECT_EQ(Panel->GetChildrenCount(), 0) << Widget->GetName();
		}
	}
	// The tree is free for a new hierarchy of the same names.
	EXPECT_NE(Tree->ConstructWidget(FClassDatabase::Get().FindClass("/Script/UMG.CanvasPanel"), "Root"), nullptr);
}

TEST_F(WidgetTree, DestroyedWidgetsAndSlotsAreNotPointedAt)
{
	UPanelWidget* const Root = MakePanel("CanvasPanel", "Root");
	UPanelWidget* const Box = MakePanel("VerticalBox", "Box");
	UWidget* const Label = Make("TextBlock", "Label");
	UWidget* const Icon = Make("Image", "Icon");
	Root->AddChild(Box);
	Root->AddChild(Icon);
	Box->AddChild(Label);
	Tree->RootWidget = Root;
	UPanelSlot* const IconSlot = Icon->Slot;

	// A destroyed child: its slot stays in the panel, empty.
	Icon->MarkAsGarbage();
	CollectGarbage();
	EXPECT_EQ(IconSlot->Content.Get(), nullptr);
	EXPECT_EQ(Root->GetChildAt(1), nullptr);

	// A destroyed slot leaves its panel's list and its content.
	IconSlot->MarkAsGarbage();
	CollectGarbage();
	EXPECT_EQ(Root->GetChildrenCount(), 1);

	// A destroyed panel: its children have no slot any more; a destroyed root is no root.
	Box->MarkAsGarbage();
	CollectGarbage();
	EXPECT_EQ(Label->Slot.Get(), nullptr);
	EXPECT_EQ(Label->GetParent(), nullptr);
	EXPECT_EQ(Root->GetChildAt(0), nullptr) << "the box's slot in the root stays, empty";
	Root->MarkAsGarbage();
	CollectGarbage();
	EXPECT_EQ(Tree->RootWidget.Get(), nullptr);
	EXPECT_EQ(AllNames(), (std::vector<std::string>{"Label"}));
}

TEST_F(WidgetTree, IsVariableIsTheReflectedProperty)
{
	UWidget* const Label = Make("TextBlock", "Label");
	EXPECT_FALSE(Label->GetIsVariable());
	Label->SetIsVariable(true);
	EXPECT_TRUE(Label->GetIsVariable());
	EXPECT_EQ(GetPropertyValueText(*Label, "bIsVariable"), "True");
}
