#include "Connector/WidgetHttpTestSupport.h"

#include "Objects/Class.h"
#include "Objects/ClassDatabase.h"
#include "Objects/PropertyExportText.h"
#include "Widgets/Widget.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <vector>

namespace
{
	/**
	 * Copies of widget selections made in real editors, kept beside the repository
	 * (../shared, or ../../shared from a worktree of it); none when neither is there.
	 */
	std::vector<std::filesystem::path> WidgetSampleFiles()
	{
		std::vector<std::filesystem::path> Files;
		for (const char* const Relative : {"/../shared/samples/copy-paste/widget", "/../../shared/samples/copy-paste/widget"})
		{
			const std::filesystem::path Dir = std::string(KORVANE_PLUGIN_DIR) + Relative;
			if (!std::filesystem::is_directory(Dir))
			{
				continue;
			}
			for (const auto& Entry : std::filesystem::directory_iterator(Dir))
			{
				if (Entry.path().extension() == ".t3d")
				{
					Files.push_back(Entry.path());
				}
			}
			break;
		}
		std::sort(Files.begin(), Files.end());
		return Files;
	}

	std::string ReadText(const std::filesystem::path& Path)
	{
		std::ifstream Stream(Path, std::ios::binary);
		std::ostringstream Text;
		Text << Stream.rdbuf();
		return Text.str();
	}

	/** The name a reference ends in: `/Script/UMG.Button'"Play"'` and `Button'"Play"'` name Play. */
	std::string ReferencedName(std::string_view Reference)
	{
		const std::size_t Close = Reference.rfind("\"'");
		const std::size_t Open = Close == std::string_view::npos ? Close : Reference.rfind("'\"", Close);
		return Open == std::string_view::npos ? std::string() : std::string(Reference.substr(Open + 2, Close - Open - 2));
	}

	/** One top-level object of a widget copy as the text states it. */
	struct FSampleObject
	{
		std::string ClassPath;
		std::string Name;
		/** Property lines of the object itself, name to value. */
		std::map<std::string, std::string> Properties;
		/** Its slots in Slots(i) order. */
		std::vector<std::string> SlotNames;
		/** Property lines of each slot definition, Parent and Content included. */
		std::map<std::string, std::map<std::string, std::string>> SlotProperties;
	};

	/** A small reader of the designer's copy: top-level objects, their own lines, their slots' lines. */
	std::vector<FSampleObject> ReadSample(const std::string& Text)
	{
		std::vector<FSampleObject> Objects;
		std::istringstream Lines(Text);
		std::string Line;
		std::string OpenSlot;
		while (std::getline(Lines, Line))
		{
			if (!Line.empty() && Line.back() == '\r')
			{
				Line.pop_back();
			}
			const std::size_t Indent = Line.find_first_not_of(' ');
			if (Indent == std::string::npos)
			{
				continue;
			}
			const std::string_view Body = std::string_view(Line).substr(Indent);
			if (Indent == 0 && Body.starts_with("Begin Object Class="))
			{
				FSampleObject Object;
				const std::size_t NameAt = Body.find(" Name=\"");
				Object.ClassPath = std::string(Body.substr(19, NameAt - 19));
				Object.Name = std::string(Body.substr(NameAt + 7, Body.find('"', NameAt + 7) - NameAt - 7));
				Objects.push_back(std::move(Object));
				continue;
			}
			if (Objects.empty() || Indent == 0)
			{
				continue;
			}
			FSampleObject& Object = Objects.back();
			if (Indent == 3 && Body.starts_with("Begin Object Name=\""))
			{
				OpenSlot = std::string(Body.substr(19, Body.find('"', 19) - 19));
				continue;
			}
			if (Body.starts_with("Begin Object") || Body == "End Object")
			{
				OpenSlot.clear();
				continue;
			}
			const std::size_t Equals = Body.find('=');
			if (Equals == std::string_view::npos)
			{
				continue;
			}
			const std::string Key(Body.substr(0, Equals));
			const std::string Value(Body.substr(Equals + 1));
			if (Indent == 6 && !OpenSlot.empty())
			{
				Object.SlotProperties[OpenSlot][Key] = Value;
			}
			else if (Indent == 3 && Key.starts_with("Slots("))
			{
				Object.SlotNames.push_back(ReferencedName(Value));
			}
			else if (Indent == 3)
			{
				Object.Properties[Key] = Value;
			}
		}
		return Objects;
	}

	class WidgetSamplesOverHttp : public WidgetRouteTest
	{
	protected:
		/** Whether the class at ClassPath is a widget, and the names of the properties the read lists with a value other than the default. */
		std::map<std::string, bool> ListedChanges(const std::string& ClassPath, const std::map<std::string, std::string>& Properties)
		{
			return Editor->OnGameThread([&ClassPath, &Properties]() {
				std::map<std::string, bool> Changed;
				const UClass* const Class = FClassDatabase::Get().FindClass(ClassPath);
				for (const auto& [Name, Value] : Properties)
				{
					const FProperty* const Property = Class != nullptr ? Class->FindPropertyByName(Name) : nullptr;
					const bool bListed = Property != nullptr && Property->HasAnyPropertyFlags(CPF_Edit | CPF_BlueprintVisible)
						&& !Property->HasAnyPropertyFlags(CPF_Transient | CPF_Deprecated | CPF_EditorOnly) && Name != "Parent" && Name != "Content";
					Changed[Name] = bListed && !ArePropertyValuesIdentical(*Property, Value, Class->GetDefaultValueText(*Property));
				}
				return Changed;
			});
		}

		bool IsWidgetClass(const std::string& ClassPath)
		{
			return Editor->OnGameThread([&ClassPath]() {
				const UClass* const Class = FClassDatabase::Get().FindClass(ClassPath);
				return Class != nullptr && Class->IsChildOf(UWidget::StaticClass());
			});
		}

		/** Checks one read widget node against the text, then its children, as the text nests them. */
		void ExpectNodeMatches(const FJsonObject& Node, const std::map<std::string, const FSampleObject*>& Widgets, const std::string& Name,
			const std::map<std::string, std::string>* SlotLines)
		{
			SCOPED_TRACE(Name);
			const FSampleObject& Object = *Widgets.at(Name);
			EXPECT_EQ(Node.TryGetStringField("name"), Name);
			EXPECT_EQ(Node.TryGetStringField("widgetClass"), Object.ClassPath.substr(Object.ClassPath.rfind('.') + 1));
			const std::shared_ptr<FJsonObject> Properties = Node.TryGetObjectField("properties");
			for (const auto& [Property, bChanged] : ListedChanges(Object.ClassPath, Object.Properties))
			{
				EXPECT_EQ(Properties != nullptr && Properties->TryGetField(Property) != nullptr, bChanged) << Property;
			}
			if (Properties != nullptr)
			{
				for (const auto& [Key, Value] : Properties->Values())
				{
					EXPECT_TRUE(Object.Properties.contains(Key)) << Key << " is read but the text does not set it";
				}
			}
			const std::shared_ptr<FJsonObject> SlotProperties = Node.TryGetObjectField("slotProperties");
			if (SlotLines != nullptr && SlotProperties != nullptr)
			{
				for (const auto& [Key, Value] : SlotProperties->Values())
				{
					EXPECT_TRUE(SlotLines->contains(Key)) << "slot " << Key;
				}
			}
			const std::shared_ptr<FJsonValueArray> Children = Node.TryGetArrayField("children");
			ASSERT_EQ(Children ? Children->size() : 0u, Object.SlotNames.size());
			for (std::size_t Index = 0; Index < Object.SlotNames.size(); ++Index)
			{
				const std::map<std::string, std::string>& Slot = Object.SlotProperties.at(Object.SlotNames[Index]);
				ExpectNodeMatches(*(*Children)[Index].TryGetObject(), Widgets, ReferencedName(Slot.at("Content")), &Slot);
			}
		}
	};
}

TEST_F(WidgetSamplesOverHttp, EveryRealCopyDeploysAndReadsBackAsTheSameTree)
{
	const std::vector<std::filesystem::path> Files = WidgetSampleFiles();
	if (Files.empty())
	{
		GTEST_SKIP() << "the real widget copies are not beside this repository";
	}
	Start();
	int Index = 0;
	for (const std::filesystem::path& File : Files)
	{
		SCOPED_TRACE(File.filename().string());
		const std::string Text = ReadText(File);
		const std::vector<FSampleObject> Objects = ReadSample(Text);
		std::map<std::string, const FSampleObject*> Widgets;
		std::vector<std::string> Order;
		std::map<std::string, bool> IsContent;
		for (const FSampleObject& Object : Objects)
		{
			if (!IsWidgetClass(Object.ClassPath))
			{
				continue;
			}
			Widgets[Object.Name] = &Object;
			Order.push_back(Object.Name);
			for (const auto& [Slot, Lines] : Object.SlotProperties)
			{
				IsContent[ReferencedName(Lines.at("Content"))] = true;
			}
		}
		std::vector<std::string> Parentless;
		for (const std::string& Name : Order)
		{
			if (!IsContent[Name])
			{
				Parentless.push_back(Name);
			}
		}
		ASSERT_FALSE(Parentless.empty());

		const std::string AssetName = "W_Sample" + std::to_string(Index++);
		const std::shared_ptr<FJsonObject> Response = Deploy(DeployBody(AssetName, Text));
		ASSERT_EQ(Response->TryGetBoolField("success"), true) << Condensed(Response);
		const std::shared_ptr<FJsonObject> Hierarchy = Step(*Response, "hierarchy");
		EXPECT_EQ(Hierarchy->TryGetNumberField("widgetCount"), static_cast<double>(Widgets.size()));
		EXPECT_EQ(Hierarchy->TryGetStringField("root"), Parentless.front());
		const std::shared_ptr<FJsonValueArray> Unattached = Hierarchy->TryGetArrayField("unattachedWidgets");
		ASSERT_EQ(Unattached ? Unattached->size() + 1 : 1u, Parentless.size());
		for (std::size_t At = 1; At < Parentless.size(); ++At)
		{
			EXPECT_EQ(*(*Unattached)[At - 1].TryGetString(), Parentless[At]);
		}

		const std::shared_ptr<FJsonObject> Read = this->Read("/Game/Generated/" + AssetName + "." + AssetName);
		const std::shared_ptr<FJsonObject> Root = Read->TryGetObjectField("hierarchy");
		ASSERT_NE(Root, nullptr) << Condensed(Read);
		ExpectNodeMatches(*Root, Widgets, Parentless.front(), nullptr);
	}
}
