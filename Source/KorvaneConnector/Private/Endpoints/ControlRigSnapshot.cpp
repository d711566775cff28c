#include "Endpoints/ControlRigEndpoints.h"

#include "Endpoints/ControlRigInstance.h"
#include "Endpoints/ControlRigSnapshotMath.h"
#include "Endpoints/ControlRigSnapshotScene.h"
#include "Endpoints/RenderedImages.h"
#include "KorvaneLog.h"
#include "RequestConventions.h"

#include "ControlRig/ControlRig.h"
#include "ControlRig/ControlRigBlueprint.h"
#include "ControlRig/ControlRigShapeLibrary.h"
#include "ControlRig/RigHierarchy.h"
#include "Core/TextHelpers.h"
#include "Meshes/SkeletalMesh.h"
#include "Objects/ObjectGlobals.h"
#include "Runtime/ModuleManager.h"
#include "Textures/TextureRenderTarget2D.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <string_view>
#include <vector>

namespace
{
	constexpr int32_t MinSnapshotSize = 64;
	constexpr int32_t MaxSnapshotSize = 1024;
	constexpr int32_t DefaultSnapshotSize = 512;
	constexpr std::string_view DefaultSnapshotEvent = "Forwards Solve";
	constexpr std::string_view DefaultShapeLibraryPath = "/ControlRig/Controls/DefaultGizmoLibraryNormalized.DefaultGizmoLibraryNormalized";
	/** Tiny meshes are framed as if they had this radius. */
	constexpr double MinFramedRadius = 10.0;
	/** The distance at which a 60° view shows a sphere of unit radius with a margin: 1.15 / tan 30°. */
	constexpr double CameraDistancePerRadius = 1.9918585;
	constexpr int32_t SnapshotJpegQuality = 85;

	/** What a snapshot request asks for, with the defaults filled in. */
	struct FSnapshotRequest
	{
		std::string Path;
		int32_t Size = DefaultSnapshotSize;
		std::string Event;
		bool bBindPose = false;
		bool bDrawControls = true;
		std::shared_ptr<FJsonObject> ControlValues;
	};

	FSnapshotRequest ReadSnapshotOptions(const FJsonObject& Body, std::string Path)
	{
		FSnapshotRequest Request;
		Request.Path = std::move(Path);
		if (const std::optional<int32_t> Size = Body.TryGetInt32Field("size"))
		{
			Request.Size = std::clamp(*Size, MinSnapshotSize, MaxSnapshotSize);
		}
		Request.Event = Body.TryGetStringField("event").value_or(std::string(DefaultSnapshotEvent));
		Request.bBindPose = Text::EqualsIgnoreCase(Body.TryGetStringField("pose").value_or(std::string()), "bind");
		Request.ControlValues = Body.TryGetObjectField("controlValues");
		Request.bDrawControls = Body.TryGetBoolField("controls").value_or(!Request.bBindPose);
		return Request;
	}

	/** A JSON number as a float, held to the float range rather than converted out of it. */
	float SaturatingDoubleToFloat(double Number)
	{
		constexpr double Largest = std::numeric_limits<float>::max();
		return static_cast<float>(std::clamp(Number, -Largest, Largest));
	}

	/** Sets the current value of every control named in Values whose value is a number; other keys and values are skipped. */
	void ApplyControlValues(URigHierarchy& Hierarchy, const FJsonObject& Values)
	{
		for (const auto& [Name, Value] : Values.Values())
		{
			const std::optional<double> Number = Value.TryGetNumber();
			FRigBaseElement* const Control = Number ? Hierarchy.Find(FRigElementKey{ERigElementType::Control, Name}) : nullptr;
			if (Control != nullptr)
			{
				Hierarchy.SetControlValue(Control, FRigControlValue::MakeFloat(SaturatingDoubleToFloat(*Number)), ERigControlValueType::Current, false);
			}
		}
	}

	/** The Blueprint's shape libraries, else the instance's, else the editor's default library. */
	std::vector<UControlRigShapeLibrary*> PickShapeLibraries(const UControlRigBlueprint& Blueprint, const UControlRig& Rig)
	{
		std::vector<UControlRigShapeLibrary*> Libraries = Blueprint.LoadShapeLibraries();
		if (Libraries.empty())
		{
			Libraries = Rig.GetShapeLibraries();
		}
		if (Libraries.empty())
		{
			if (UControlRigShapeLibrary* const DefaultLibrary = LoadObject<UControlRigShapeLibrary>(DefaultShapeLibraryPath))
			{
				Libraries.push_back(DefaultLibrary);
			}
		}
		return Libraries;
	}

	FTextureRenderTargetResource* PrepareRenderTarget(int32_t Size)
	{
		UTextureRenderTarget2D* const RenderTarget = GetReusedRenderTarget();
		if (RenderTarget == nullptr)
		{
			return nullptr;
		}
		RenderTarget->InitCustomFormat(static_cast<uint32_t>(Size), static_cast<uint32_t>(Size), PF_B8G8R8A8, false);
		RenderTarget->UpdateResourceImmediate();
		return RenderTarget->GameThread_GetRenderTargetResource();
	}

	/** The pixels as a JPEG data URL; empty when no JPEG could be made. */
	std::string EncodeJpegDataUrl(const std::vector<FColor>& Pixels, int32_t Size)
	{
		const std::optional<std::vector<uint8_t>> Jpeg =
			EncodeBgraJpeg(reinterpret_cast<const uint8_t*>(Pixels.data()), static_cast<int64_t>(Pixels.size() * sizeof(FColor)), Size, Size, SnapshotJpegQuality);
		return Jpeg && !Jpeg->empty() ? MakeJpegDataUrl(*Jpeg) : std::string();
	}

	/** Renders the eight views, adding each picture to Images and each read view's mean brightness to Debug. */
	void RenderViews(FControlRigSnapshotScene& Scene, FTextureRenderTargetResource& Target, int32_t Size, double CameraDistance, FJsonObject& Images,
		FJsonObject& Debug)
	{
		const std::size_t PixelCount = static_cast<std::size_t>(Size) * static_cast<std::size_t>(Size);
		for (const FRigSnapshotView& View : GetRigSnapshotViews())
		{
			std::optional<std::vector<FColor>> Pixels = Scene.RenderView(Target, Size, View, CameraDistance);
			if (!Pixels || Pixels->size() < PixelCount)
			{
				continue;
			}
			Pixels->resize(PixelCount);
			for (FColor& Pixel : *Pixels)
			{
				Pixel.A = 255;
			}
			Debug.SetNumberField(std::string(View.Name) + "_luma", MeanLuma(*Pixels));
			std::string DataUrl = EncodeJpegDataUrl(*Pixels, Size);
			if (!DataUrl.empty())
			{
				Images.SetStringField(View.Name, DataUrl);
			}
		}
	}

	std::shared_ptr<FJsonObject> RenderSnapshot(const FSnapshotRequest& Request)
	{
		auto Response = std::make_shared<FJsonObject>();
		UControlRigBlueprint* const Blueprint = LoadControlRigBlueprint(Request.Path, *Response);
		if (Blueprint == nullptr)
		{
			Response->SetBoolField("success", false);
			return Response;
		}
		USkeletalMesh* const PreviewMesh = Blueprint->GetPreviewMesh();
		if (PreviewMesh == nullptr)
		{
			return MakeFailureResponse("Rig has no preview mesh to render");
		}
		if (Blueprint->GeneratedClass == nullptr)
		{
			return MakeFailureResponse("Rig has no generated class (compile it first)");
		}

		const FTransientControlRig Instance(*Blueprint);
		UControlRig* const Rig = Instance.Get();
		if (Rig != nullptr && !Request.bBindPose)
		{
			Rig->ExecuteEvent(Request.Event);
		}
		URigHierarchy* const Hierarchy = Rig != nullptr ? Rig->GetHierarchy() : nullptr;
		if (Hierarchy == nullptr)
		{
			return MakeFailureResponse("Rig instance has no hierarchy");
		}
		if (!Request.bBindPose && Request.ControlValues)
		{
			ApplyControlValues(*Hierarchy, *Request.ControlValues);
			Rig->ExecuteEvent(Request.Event);
		}

		FControlRigSnapshotScene Scene(*PreviewMesh);
		const int32_t BonesPosed = Request.bBindPose ? 0 : Scene.PoseBones(*Hierarchy);
		const int32_t ControlShapes = Request.bDrawControls ? Scene.AddControlShapes(*Hierarchy, PickShapeLibraries(*Blueprint, *Rig)) : 0;

		const FBoxSphereBounds Bounds = Scene.GetMeshBounds();
		const double CameraDistance = std::max(Bounds.SphereRadius, MinFramedRadius) * CameraDistancePerRadius;
		Scene.AddLightsAndGround(CameraDistance);

		auto Debug = std::make_shared<FJsonObject>();
		Debug->SetNumberField("bonesPosed", BonesPosed);
		Debug->SetNumberField("controlShapes", ControlShapes);
		Debug->SetNumberField("boundsRadius", Bounds.SphereRadius);
		Debug->SetStringField("boundsOrigin", ToCompactString(Bounds.Origin));
		Debug->SetNumberField("camDist", CameraDistance);

		FTextureRenderTargetResource* const Target = PrepareRenderTarget(Request.Size);
		if (Target == nullptr)
		{
			return MakeFailureResponse("Could not create render target");
		}
		FModuleManager::Get().LoadModule("ImageWrapper");

		auto Images = std::make_shared<FJsonObject>();
		RenderViews(Scene, *Target, Request.Size, CameraDistance, *Images, *Debug);
		const std::size_t Count = Images->Num();
		UE_LOG(LogKorvane, Log, "Control rig snapshot of %s: %d of 8 views at %dpx, %d bones posed, %d control shapes", Request.Path.c_str(),
			static_cast<int32_t>(Count), Request.Size, BonesPosed, ControlShapes);

		Response->SetObjectField("images", std::move(Images));
		Response->SetObjectField("debug", std::move(Debug));
		Response->SetNumberField("count", static_cast<double>(Count));
		Response->SetBoolField("success", Count >= 1);
		if (Count == 0)
		{
			Response->SetStringField("error", "No views rendered");
		}
		return Response;
	}
}

std::shared_ptr<FJsonObject> GetControlRigSnapshot(const std::string& Body)
{
	const std::shared_ptr<FJsonObject> Request = ParseJsonBody(Body);
	if (Request == nullptr)
	{
		return MakeFailureResponse(InvalidJsonBodyMessage);
	}
	std::optional<std::string> Path = Request->TryGetStringField("path");
	if (!Path || !IsValidAssetPath(*Path))
	{
		return MakeFailureResponse("Missing or invalid 'path'");
	}
	return RenderSnapshot(ReadSnapshotOptions(*Request, std::move(*Path)));
}
