#include "Objects/Class.h"
#include "Objects/ClassDatabase.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
	std::vector<std::string> Names(const std::vector<UClass*>& Classes)
	{
		std::vector<std::string> Result;
		for (const UClass* Class : Classes)
		{
			Result.push_back(Class->GetName());
		}
		return Result;
	}

	std::vector<std::string> PropertyNames(const UClass* Class, EFieldIteratorFlags::SuperClassFlags Flags = EFieldIteratorFlags::IncludeSuper)
	{
		std::vector<std::string> Result;
		for (TFieldIterator<FProperty> It(Class, Flags); It; ++It)
		{
			Result.push_back(It->GetName());
		}
		return Result;
	}
}

TEST(ClassDatabaseTests, ShippedClassesHaveTheEditorsSuperClassesAndPackages)
{
	const struct
	{
		const char* Path;
		const char* Super;
	} Expected[] = {
		{"/Script/Engine.AnimSequence", "/Script/Engine.AnimSequenceBase"},
		{"/Script/Engine.AnimSequenceBase", "/Script/Engine.AnimationAsset"},
		{"/Script/Engine.AnimMontage", "/Script/Engine.AnimCompositeBase"},
		{"/Script/Engine.BlendSpace1D", "/Script/Engine.BlendSpace"},
		{"/Script/Engine.AnimBlueprint", "/Script/Engine.Blueprint"},
		{"/Script/Engine.SkeletalMesh", "/Script/Engine.SkinnedAsset"},
		{"/Script/Engine.Texture2D", "/Script/Engine.Texture"},
		{"/Script/Engine.MaterialInstanceConstant", "/Script/Engine.MaterialInstance"},
		{"/Script/Engine.StaticMeshComponent", "/Script/Engine.MeshComponent"},
		{"/Script/Engine.PointLightComponent", "/Script/Engine.LocalLightComponent"},
		{"/Script/CinematicCamera.CineCameraActor", "/Script/Engine.CameraActor"},
		{"/Script/CinematicCamera.CineCameraComponent", "/Script/Engine.CameraComponent"},
		{"/Script/MetasoundEngine.MetaSoundSource", "/Script/Engine.SoundWaveProcedural"},
		{"/Script/MetasoundEngine.MetaSoundPatch", "/Script/CoreUObject.Object"},
		{"/Script/Niagara.NiagaraSystem", "/Script/Engine.FXSystemAsset"},
		{"/Script/LevelSequence.LevelSequence", "/Script/MovieScene.MovieSceneSequence"},
		{"/Script/UMGEditor.WidgetBlueprint", "/Script/UMGEditor.BaseWidgetBlueprint"},
		{"/Script/ControlRigDeveloper.ControlRigBlueprint", "/Script/RigVMDeveloper.RigVMBlueprint"},
		{"/Script/Engine.AnimNotifyState_Trail", "/Script/Engine.AnimNotifyState"},
		{"/Script/Engine.World", "/Script/CoreUObject.Object"},
	};
	const FClassDatabase& Database = FClassDatabase::Get();
	for (const auto& Entry : Expected)
	{
		const UClass* Class = Database.FindClass(Entry.Path);
		ASSERT_NE(Class, nullptr) << Entry.Path;
		ASSERT_NE(Class->GetSuperClass(), nullptr) << Entry.Path;
		EXPECT_EQ(Class->GetSuperClass()->GetPathName(), Entry.Super) << Entry.Path;
		EXPECT_EQ(Class->GetPathName(), Entry.Path);
		EXPECT_EQ(Class->GetClassPathName().ToString(), Entry.Path);
		EXPECT_EQ(Class->GetClass(), UClass::StaticClass());
	}
	EXPECT_EQ(Database.FindClassByName("AnimSequence")->GetOuter()->GetName(), "/Script/Engine");
	EXPECT_TRUE(Database.FindClass("/Script/Engine.AnimationAsset")->HasAnyClassFlags(CLASS_Abstract));
}

TEST(ClassDatabaseTests, ClassTestsAndDerivedClassesFollowDeclarationOrder)
{
	const FClassDatabase& Database = FClassDatabase::Get();
	const UClass* BlendSpace = Database.FindClass("/Script/Engine.BlendSpace");
	const UClass* AnimationAsset = Database.FindClass("/Script/Engine.AnimationAsset");
	EXPECT_TRUE(Database.FindClass("/Script/Engine.AimOffsetBlendSpace1D")->IsChildOf(BlendSpace));
	EXPECT_TRUE(BlendSpace->IsChildOf(BlendSpace));
	EXPECT_FALSE(AnimationAsset->IsChildOf(BlendSpace));
	EXPECT_FALSE(BlendSpace->IsChildOf(nullptr));

	std::vector<UClass*> Derived;
	GetDerivedClasses(BlendSpace, Derived);
	EXPECT_EQ(Names(Derived), (std::vector<std::string>{"BlendSpace1D", "AimOffsetBlendSpace", "AimOffsetBlendSpace1D"}));
	Derived.clear();
	GetDerivedClasses(BlendSpace, Derived, false);
	EXPECT_EQ(Names(Derived), (std::vector<std::string>{"BlendSpace1D", "AimOffsetBlendSpace"}));
	Derived.clear();
	GetDerivedClasses(Database.FindClass("/Script/Engine.AnimSequenceBase"), Derived);
	EXPECT_EQ(Names(Derived), (std::vector<std::string>{"AnimSequence", "AnimCompositeBase", "AnimComposite", "AnimMontage"}));
}

TEST(ClassDatabaseTests, PropertiesIterateOwnClassFirstThenSupers)
{
	const FClassDatabase& Database = FClassDatabase::Get();
	const UClass* StaticMeshComponent = Database.FindClass("/Script/Engine.StaticMeshComponent");
	const std::vector<std::string> All = PropertyNames(StaticMeshComponent);
	const std::vector<std::string> Own = PropertyNames(StaticMeshComponent, EFieldIteratorFlags::ExcludeSuper);
	ASSERT_EQ(Own, (std::vector<std::string>{"StaticMesh", "bOverrideMinLOD", "MinLOD"}));
	ASSERT_GT(All.size(), Own.size());
	EXPECT_TRUE(std::equal(Own.begin(), Own.end(), All.begin()));
	EXPECT_EQ(All[Own.size()], "OverrideMaterials") << "the MeshComponent properties come next";
	EXPECT_EQ(All.back(), "bIsEditorOnly") << "ActorComponent's come last";

	const FProperty* Location = StaticMeshComponent->FindPropertyByName("RelativeLocation");
	ASSERT_NE(Location, nullptr);
	EXPECT_EQ(Location->GetOwnerClass()->GetName(), "SceneComponent");
	EXPECT_EQ(Location->GetCPPType(), "FVector");
	EXPECT_TRUE(Location->HasAllPropertyFlags(CPF_Edit | CPF_BlueprintVisible | CPF_BlueprintReadOnly));
	EXPECT_EQ(Location->GetPropertyFlags() & CPF_Edit, 0x1u);
	EXPECT_TRUE(Location->HasAnyPropertyFlags(0x0040000000000000)) << "private in C++";
	EXPECT_EQ(Location->GetMetaData("Category"), "Transform");
	EXPECT_EQ(Location->GetMetaData("NoSuchKey"), "");
	EXPECT_EQ(Location->GetDefaultValueText(), "(X=0.000000,Y=0.000000,Z=0.000000)");
	EXPECT_EQ(StaticMeshComponent->FindPropertyByName("NoSuchProperty"), nullptr);
}

TEST(ClassDatabaseTests, MalformedDatabasesAreRefusedWithTheFault)
{
	const auto Refusal = [](const char* Text) {
		std::string Error;
		EXPECT_EQ(FClassDatabase::Load(Text, Error), nullptr) << Text;
		return Error;
	};
	const std::string Base = R"({"path":"/Script/CoreUObject.Object"},{"path":"/Script/CoreUObject.Class","super":"/Script/CoreUObject.Object"},)"
							 R"({"path":"/Script/CoreUObject.Package","super":"/Script/CoreUObject.Object"})";
	std::string Error;
	EXPECT_NE(FClassDatabase::Load("{\"classes\":[" + Base + "]}", Error), nullptr) << Error;

	EXPECT_NE(Refusal(R"({"classes":[{"path":"/Script/E.B","super":"/Script/E.A"},{"path":"/Script/E.A"}]})").find("not declared before"), std::string::npos);
	EXPECT_NE(Refusal(R"({"classes":[{"path":"/Script/E.A","flags":["NoSuchFlag"]}]})").find("NoSuchFlag"), std::string::npos);
	EXPECT_NE(Refusal(R"({"classes":[{"path":"/Script/E.A","function":[]}]})").find("function"), std::string::npos);
	EXPECT_NE(Refusal(R"({"classes":[{"path":"/Script/E.A","properties":[{"name":"X"}]}]})").find("\"type\""), std::string::npos);
	EXPECT_NE(Refusal(R"({"classes":[{"path":"/Game/E.A"}]})").find("script package"), std::string::npos);
	EXPECT_NE(Refusal(R"({"classes":[{"path":"/Script/E.A"}]})").find("Class and Package"), std::string::npos);
	EXPECT_FALSE(Refusal("{\"classes\":[").empty());
}
