#include "Meshes/MeshQuat.h"

#include <algorithm>
#include <cmath>

FQuat FQuat::FromAxisAngle(const FVector& Axis, double AngleRadians)
{
	const double HalfSin = std::sin(AngleRadians * 0.5);
	return {Axis.X * HalfSin, Axis.Y * HalfSin, Axis.Z * HalfSin, std::cos(AngleRadians * 0.5)};
}

FQuat FQuat::FromBasis(const FVector& XAxis, const FVector& YAxis, const FVector& ZAxis)
{
	// Shepperd's method on the matrix whose columns are the three axes.
	const double M00 = XAxis.X, M10 = XAxis.Y, M20 = XAxis.Z;
	const double M01 = YAxis.X, M11 = YAxis.Y, M21 = YAxis.Z;
	const double M02 = ZAxis.X, M12 = ZAxis.Y, M22 = ZAxis.Z;
	const double Trace = M00 + M11 + M22;
	FQuat Q;
	if (Trace > 0.0)
	{
		const double S = std::sqrt(Trace + 1.0) * 2.0;
		Q = {(M21 - M12) / S, (M02 - M20) / S, (M10 - M01) / S, 0.25 * S};
	}
	else if (M00 > M11 && M00 > M22)
	{
		const double S = std::sqrt(1.0 + M00 - M11 - M22) * 2.0;
		Q = {0.25 * S, (M01 + M10) / S, (M02 + M20) / S, (M21 - M12) / S};
	}
	else if (M11 > M22)
	{
		const double S = std::sqrt(1.0 + M11 - M00 - M22) * 2.0;
		Q = {(M01 + M10) / S, 0.25 * S, (M12 + M21) / S, (M02 - M20) / S};
	}
	else
	{
		const double S = std::sqrt(1.0 + M22 - M00 - M11) * 2.0;
		Q = {(M02 + M20) / S, (M12 + M21) / S, 0.25 * S, (M10 - M01) / S};
	}
	Q.Normalize();
	return Q;
}

FQuat FQuat::Slerp(const FQuat& A, const FQuat& B, double Alpha)
{
	double Cos = A.X * B.X + A.Y * B.Y + A.Z * B.Z + A.W * B.W;
	const double Sign = Cos < 0.0 ? -1.0 : 1.0;
	Cos *= Sign;
	double ScaleA = 1.0 - Alpha;
	double ScaleB = Alpha * Sign;
	if (Cos < 0.9999)
	{
		const double Omega = std::acos(std::min(Cos, 1.0));
		const double InvSin = 1.0 / std::sin(Omega);
		ScaleA = std::sin((1.0 - Alpha) * Omega) * InvSin;
		ScaleB = std::sin(Alpha * Omega) * InvSin * Sign;
	}
	FQuat Result{ScaleA * A.X + ScaleB * B.X, ScaleA * A.Y + ScaleB * B.Y, ScaleA * A.Z + ScaleB * B.Z, ScaleA * A.W + ScaleB * B.W};
	Result.Normalize();
	return Result;
}

FQuat FQuat::operator*(const FQuat& Q) const
{
	return {
		W * Q.X + X * Q.W + Y * Q.Z - Z * Q.Y,
		W * Q.Y - X * Q.Z + Y * Q.W + Z * Q.X,
		W * Q.Z + X * Q.Y - Y * Q.X + Z * Q.W,
		W * Q.W - X * Q.X - Y * Q.Y - Z * Q.Z};
}

FVector FQuat::RotateVector(const FVector& V) const
{
	// v' = v + 2w(q x v) + 2q x (q x v)
	const FVector Q{X, Y, Z};
	const FVector T = (Q ^ V) * 2.0;
	return V + T * W + (Q ^ T);
}

bool FQuat::Normalize()
{
	const double Length = std::sqrt(SizeSquared());
	if (!(Length > 0.0) || !std::isfinite(Length))
	{
		return false;
	}
	X /= Length;
	Y /= Length;
	Z /= Length;
	W /= Length;
	return true;
}

bool FQuat::IsFinite() const
{
	return std::isfinite(X) && std::isfinite(Y) && std::isfinite(Z) && std::isfinite(W);
}

bool FQuat::Equals(const FQuat& Q, double Tolerance) const
{
	const auto Near = [Tolerance](const FQuat& A, const FQuat& B)
	{
		return std::abs(A.X - B.X) <= Tolerance && std::abs(A.Y - B.Y) <= Tolerance && std::abs(A.Z - B.Z) <= Tolerance && std::abs(A.W - B.W) <= Tolerance;
	};
	return Near(*this, Q) || Near(*this, FQuat{-Q.X, -Q.Y, -Q.Z, -Q.W});
}
