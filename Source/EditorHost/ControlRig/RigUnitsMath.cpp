#include "ControlRig/RigUnitRegistry.h"

#include <algorithm>
#include <cmath>

namespace
{
	double Add(double A, double B) { return A + B; }
	double Sub(double A, double B) { return A - B; }
	double Mul(double A, double B) { return A * B; }
	/** Dividing by (nearly) zero gives zero, as the engine's unit does after reporting it. */
	double Div(double A, double B) { return std::abs(B) < 1e-8 ? 0.0 : A / B; }
	double Min(double A, double B) { return std::min(A, B); }
	double Max(double A, double B) { return std::max(A, B); }

	template <double (*Operation)(double, double)>
	void RunFloatBinary(FRigUnitPins& Pins, URigHierarchy&)
	{
		Pins.Set("Result", Operation(Pins.GetFloat("A"), Pins.GetFloat("B")));
	}

	template <double (*Operation)(double)>
	void RunFloatUnary(FRigUnitPins& Pins, URigHierarchy&)
	{
		Pins.Set("Result", Operation(Pins.GetFloat("Value")));
	}

	double Sin(double Value) { return std::sin(Value); }
	double Cos(double Value) { return std::cos(Value); }
	double Negate(double Value) { return -Value; }

	void RunFloatClamp(FRigUnitPins& Pins, URigHierarchy&)
	{
		const double Minimum = Pins.GetFloat("Minimum");
		const double Maximum = Pins.GetFloat("Maximum");
		// A range given backwards clamps to the range the two ends span, never asserting.
		Pins.Set("Result", std::clamp(Pins.GetFloat("Value"), std::min(Minimum, Maximum), std::max(Minimum, Maximum)));
	}

	void RunFloatLerp(FRigUnitPins& Pins, URigHierarchy&)
	{
		const double A = Pins.GetFloat("A");
		Pins.Set("Result", A + (Pins.GetFloat("B") - A) * Pins.GetFloat("T"));
	}

	void RunFloatRemap(FRigUnitPins& Pins, URigHierarchy&)
	{
		const double SourceMinimum = Pins.GetFloat("SourceMinimum");
		const double SourceRange = Pins.GetFloat("SourceMaximum") - SourceMinimum;
		double Ratio = std::abs(SourceRange) < 1e-8 ? 0.0 : (Pins.GetFloat("Value") - SourceMinimum) / SourceRange;
		if (Pins.GetBool("bClamp"))
		{
			Ratio = std::clamp(Ratio, 0.0, 1.0);
		}
		const double TargetMinimum = Pins.GetFloat("TargetMinimum");
		Pins.Set("Result", TargetMinimum + (Pins.GetFloat("TargetMaximum") - TargetMinimum) * Ratio);
	}

	void RunIntToFloat(FRigUnitPins& Pins, URigHierarchy&)
	{
		Pins.Set("Result", static_cast<double>(Pins.GetInt("Value")));
	}

	FVector AddVectors(const FVector& A, const FVector& B) { return A + B; }
	FVector SubVectors(const FVector& A, const FVector& B) { return A - B; }
	FVector MulVectors(const FVector& A, const FVector& B) { return A * B; }

	template <FVector (*Operation)(const FVector&, const FVector&)>
	void RunVectorBinary(FRigUnitPins& Pins, URigHierarchy&)
	{
		Pins.Set("Result", Operation(Pins.GetVector("A"), Pins.GetVector("B")));
	}

	void RunVectorScale(FRigUnitPins& Pins, URigHierarchy&)
	{
		Pins.Set("Result", Pins.GetVector("Value") * Pins.GetFloat("Factor"));
	}

	void RunVectorMake(FRigUnitPins& Pins, URigHierarchy&)
	{
		Pins.Set("Result", FVector{Pins.GetFloat("X"), Pins.GetFloat("Y"), Pins.GetFloat("Z")});
	}

	void RunVectorLerp(FRigUnitPins& Pins, URigHierarchy&)
	{
		const FVector A = Pins.GetVector("A");
		Pins.Set("Result", A + (Pins.GetVector("B") - A) * Pins.GetFloat("T"));
	}

	/** An axis of (nearly) zero length gives no rotation rather than a broken quaternion. */
	void RunQuaternionFromAxisAndAngle(FRigUnitPins& Pins, URigHierarchy&)
	{
		const FVector Axis = Pins.GetVector("Axis");
		const double Length = Axis.Size();
		Pins.Set("Result", Length < 1e-8 ? FQuat::Identity() : FQuat::FromAxisAngle(Axis * (1.0 / Length), Pins.GetFloat("Angle")));
	}

	void RunQuaternionMul(FRigUnitPins& Pins, URigHierarchy&)
	{
		FQuat Result = Pins.GetQuat("A") * Pins.GetQuat("B");
		Result.Normalize();
		Pins.Set("Result", Result);
	}

	void RunTransformMake(FRigUnitPins& Pins, URigHierarchy&)
	{
		FQuat Rotation = Pins.GetQuat("Rotation");
		if (!Rotation.Normalize())
		{
			Rotation = FQuat::Identity();
		}
		Pins.Set("Result", FTransform{Rotation, Pins.GetVector("Translation"), Pins.GetVector("Scale")});
	}

	FRigUnitDeclaration MakeFloatBinary(std::string_view Path, FRigUnitRunFunction Run, std::string_view DefaultA, std::string_view DefaultB)
	{
		return {Path, ERigUnitKind::Pure, {},
			{{"A", ERigVMPinDirection::Input, "float", DefaultA}, {"B", ERigVMPinDirection::Input, "float", DefaultB}, {"Result", ERigVMPinDirection::Output, "float", "0.000000"}}, Run};
	}

	FRigUnitDeclaration MakeFloatUnary(std::string_view Path, FRigUnitRunFunction Run)
	{
		return {Path, ERigUnitKind::Pure, {}, {{"Value", ERigVMPinDirection::Input, "float", "0.000000"}, {"Result", ERigVMPinDirection::Output, "float", "0.000000"}}, Run};
	}

	FRigUnitDeclaration MakeVectorBinary(std::string_view Path, FRigUnitRunFunction Run, std::string_view DefaultValue)
	{
		return {Path, ERigUnitKind::Pure, {},
			{{"A", ERigVMPinDirection::Input, "FVector", DefaultValue}, {"B", ERigVMPinDirection::Input, "FVector", DefaultValue},
				{"Result", ERigVMPinDirection::Output, "FVector", "(X=0.000000,Y=0.000000,Z=0.000000)"}},
			Run};
	}
}

void AppendMathRigUnits(std::vector<FRigUnitDeclaration>& OutUnits)
{
	constexpr std::string_view Zero = "0.000000";
	constexpr std::string_view One = "1.000000";
	constexpr std::string_view ZeroVector = "(X=0.000000,Y=0.000000,Z=0.000000)";
	constexpr std::string_view OneVector = "(X=1.000000,Y=1.000000,Z=1.000000)";

	OutUnits.push_back(MakeFloatBinary("/Script/RigVM.RigVMFunction_MathFloatAdd", &RunFloatBinary<&Add>, Zero, Zero));
	OutUnits.push_back(MakeFloatBinary("/Script/RigVM.RigVMFunction_MathFloatSub", &RunFloatBinary<&Sub>, Zero, Zero));
	OutUnits.push_back(MakeFloatBinary("/Script/RigVM.RigVMFunction_MathFloatMul", &RunFloatBinary<&Mul>, One, One));
	OutUnits.push_back(MakeFloatBinary("/Script/RigVM.RigVMFunction_MathFloatDiv", &RunFloatBinary<&Div>, Zero, One));
	OutUnits.push_back(MakeFloatBinary("/Script/RigVM.RigVMFunction_MathFloatMin", &RunFloatBinary<&Min>, Zero, Zero));
	OutUnits.push_back(MakeFloatBinary("/Script/RigVM.RigVMFunction_MathFloatMax", &RunFloatBinary<&Max>, Zero, Zero));
	OutUnits.push_back(MakeFloatUnary("/Script/RigVM.RigVMFunction_MathFloatNegate", &RunFloatUnary<&Negate>));
	OutUnits.push_back(MakeFloatUnary("/Script/RigVM.RigVMFunction_MathFloatSin", &RunFloatUnary<&Sin>));
	OutUnits.push_back(MakeFloatUnary("/Script/RigVM.RigVMFunction_MathFloatCos", &RunFloatUnary<&Cos>));
	OutUnits.push_back({"/Script/RigVM.RigVMFunction_MathFloatClamp", ERigUnitKind::Pure, {},
		{{"Value", ERigVMPinDirection::Input, "float", Zero}, {"Minimum", ERigVMPinDirection::Input, "float", Zero}, {"Maximum", ERigVMPinDirection::Input, "float", One},
			{"Result", ERigVMPinDirection::Output, "float", Zero}},
		&RunFloatClamp});
	OutUnits.push_back({"/Script/RigVM.RigVMFunction_MathFloatLerp", ERigUnitKind::Pure, {},
		{{"A", ERigVMPinDirection::Input, "float", Zero}, {"B", ERigVMPinDirection::Input, "float", One}, {"T", ERigVMPinDirection::Input, "float", Zero},
			{"Result", ERigVMPinDirection::Output, "float", Zero}},
		&RunFloatLerp});
	OutUnits.push_back({"/Script/RigVM.RigVMFunction_MathFloatRemap", ERigUnitKind::Pure, {},
		{{"Value", ERigVMPinDirection::Input, "float", Zero}, {"SourceMinimum", ERigVMPinDirection::Input, "float", Zero},
			{"SourceMaximum", ERigVMPinDirection::Input, "float", One}, {"TargetMinimum", ERigVMPinDirection::Input, "float", Zero},
			{"TargetMaximum", ERigVMPinDirection::Input, "float", One}, {"bClamp", ERigVMPinDirection::Input, "bool", "False"},
			{"Result", ERigVMPinDirection::Output, "float", Zero}},
		&RunFloatRemap});

	OutUnits.push_back({"/Script/RigVM.RigVMFunction_MathIntToFloat", ERigUnitKind::Pure, {},
		{{"Value", ERigVMPinDirection::Input, "int32", "0"}, {"Result", ERigVMPinDirection::Output, "float", Zero}}, &RunIntToFloat});

	OutUnits.push_back(MakeVectorBinary("/Script/RigVM.RigVMFunction_MathVectorAdd", &RunVectorBinary<&AddVectors>, ZeroVector));
	OutUnits.push_back(MakeVectorBinary("/Script/RigVM.RigVMFunction_MathVectorSub", &RunVectorBinary<&SubVectors>, ZeroVector));
	OutUnits.push_back(MakeVectorBinary("/Script/RigVM.RigVMFunction_MathVectorMul", &RunVectorBinary<&MulVectors>, OneVector));
	OutUnits.push_back({"/Script/RigVM.RigVMFunction_MathVectorScale", ERigUnitKind::Pure, {},
		{{"Value", ERigVMPinDirection::Input, "FVector", ZeroVector}, {"Factor", ERigVMPinDirection::Input, "float", One},
			{"Result", ERigVMPinDirection::Output, "FVector", ZeroVector}},
		&RunVectorScale});
	OutUnits.push_back({"/Script/RigVM.RigVMFunction_MathVectorMake", ERigUnitKind::Pure, {},
		{{"X", ERigVMPinDirection::Input, "float", Zero}, {"Y", ERigVMPinDirection::Input, "float", Zero}, {"Z", ERigVMPinDirection::Input, "float", Zero},
			{"Result", ERigVMPinDirection::Output, "FVector", ZeroVector}},
		&RunVectorMake});
	OutUnits.push_back({"/Script/RigVM.RigVMFunction_MathVectorLerp", ERigUnitKind::Pure, {},
		{{"A", ERigVMPinDirection::Input, "FVector", ZeroVector}, {"B", ERigVMPinDirection::Input, "FVector", OneVector}, {"T", ERigVMPinDirection::Input, "float", Zero},
			{"Result", ERigVMPinDirection::Output, "FVector", ZeroVector}},
		&RunVectorLerp});

	constexpr std::string_view IdentityQuat = "(X=0.000000,Y=0.000000,Z=0.000000,W=1.000000)";
	OutUnits.push_back({"/Script/RigVM.RigVMFunction_MathQuaternionFromAxisAndAngle", ERigUnitKind::Pure, {},
		{{"Axis", ERigVMPinDirection::Input, "FVector", "(X=1.000000,Y=0.000000,Z=0.000000)"}, {"Angle", ERigVMPinDirection::Input, "float", Zero},
			{"Result", ERigVMPinDirection::Output, "FQuat", IdentityQuat}},
		&RunQuaternionFromAxisAndAngle});
	OutUnits.push_back({"/Script/RigVM.RigVMFunction_MathQuaternionMul", ERigUnitKind::Pure, {},
		{{"A", ERigVMPinDirection::Input, "FQuat", IdentityQuat}, {"B", ERigVMPinDirection::Input, "FQuat", IdentityQuat},
			{"Result", ERigVMPinDirection::Output, "FQuat", IdentityQuat}},
		&RunQuaternionMul});
	OutUnits.push_back({"/Script/RigVM.RigVMFunction_MathTransformMake", ERigUnitKind::Pure, {},
		{{"Translation", ERigVMPinDirection::Input, "FVector", ZeroVector}, {"Rotation", ERigVMPinDirection::Input, "FQuat", IdentityQuat},
			{"Scale", ERigVMPinDirection::Input, "FVector", OneVector},
			{"Result", ERigVMPinDirection::Output, "FTransform",
				"(Rotation=(X=0.000000,Y=0.000000,Z=0.000000,W=1.000000),Translation=(X=0.000000,Y=0.000000,Z=0.000000),Scale3D=(X=1.000000,Y=1.000000,Z=1.000000))"}},
		&RunTransformMake});
}
