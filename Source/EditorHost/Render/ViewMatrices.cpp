#include "Render/ViewMatrices.h"

#include <algorithm>
#include <cmath>
#include <numbers>

FRenderMatrix FRenderMatrix::operator*(const FRenderMatrix& Other) const
{
	FRenderMatrix Result;
	for (int Row = 0; Row < 4; ++Row)
	{
		for (int Column = 0; Column < 4; ++Column)
		{
			float Sum = 0.0f;
			for (int K = 0; K < 4; ++K)
			{
				Sum += At(Row, K) * Other.At(K, Column);
			}
			Result.At(Row, Column) = Sum;
		}
	}
	return Result;
}

std::optional<FRenderMatrix> FRenderMatrix::Inverse() const
{
	// Gauss-Jordan elimination with partial pivoting, in doubles.
	double A[4][8];
	for (int Row = 0; Row < 4; ++Row)
	{
		for (int Column = 0; Column < 4; ++Column)
		{
			A[Row][Column] = At(Row, Column);
			A[Row][Column + 4] = Row == Column ? 1.0 : 0.0;
		}
	}
	for (int Column = 0; Column < 4; ++Column)
	{
		int Pivot = Column;
		for (int Row = Column + 1; Row < 4; ++Row)
		{
			if (std::fabs(A[Row][Column]) > std::fabs(A[Pivot][Column]))
			{
				Pivot = Row;
			}
		}
		if (std::fabs(A[Pivot][Column]) < 1e-12)
		{
			return std::nullopt;
		}
		for (int K = 0; K < 8; ++K)
		{
			std::swap(A[Column][K], A[Pivot][K]);
		}
		const double Scale = 1.0 / A[Column][Column];
		for (int K = 0; K < 8; ++K)
		{
			A[Column][K] *= Scale;
		}
		for (int Row = 0; Row < 4; ++Row)
		{
			if (Row != Column)
			{
				const double Factor = A[Row][Column];
				for (int K = 0; K < 8; ++K)
				{
					A[Row][K] -= Factor * A[Column][K];
				}
			}
		}
	}
	FRenderMatrix Result;
	for (int Row = 0; Row < 4; ++Row)
	{
		for (int Column = 0; Column < 4; ++Column)
		{
			Result.At(Row, Column) = static_cast<float>(A[Row][Column + 4]);
		}
	}
	return Result;
}

FRenderMatrix MakeWorldToClip(const FVector& Location, const FRotator& Rotation, float FOVDegrees, float Aspect, float NearPlane)
{
	const FQuat Quat = Rotation.Quaternion();
	const FVector Forward = Quat.RotateVector({1.0, 0.0, 0.0});
	const FVector Right = Quat.RotateVector({0.0, 1.0, 0.0});
	const FVector Up = Quat.RotateVector({0.0, 0.0, 1.0});
	// Eye space as OpenGL has it: X right, Y up, looking down -Z.
	FRenderMatrix WorldToEye;
	const FVector Rows[3] = {Right, Up, -Forward};
	for (int Row = 0; Row < 3; ++Row)
	{
		WorldToEye.At(Row, 0) = static_cast<float>(Rows[Row].X);
		WorldToEye.At(Row, 1) = static_cast<float>(Rows[Row].Y);
		WorldToEye.At(Row, 2) = static_cast<float>(Rows[Row].Z);
		WorldToEye.At(Row, 3) = static_cast<float>(-(Rows[Row] | Location));
	}
	const double HalfFOV = std::clamp<double>(FOVDegrees, 1.0, 170.0) * std::numbers::pi / 360.0;
	const float XScale = static_cast<float>(1.0 / std::tan(HalfFOV));
	const float YScale = XScale * std::max(Aspect, 1e-4f);
	const float Near = std::max(NearPlane, 0.01f);
	FRenderMatrix Projection;
	Projection.M = {};
	Projection.At(0, 0) = XScale;
	Projection.At(1, 1) = YScale;
	Projection.At(2, 2) = -1.0f;
	Projection.At(2, 3) = -2.0f * Near;
	Projection.At(3, 2) = -1.0f;
	return Projection * WorldToEye;
}

FRenderMatrix MakeLocalToWorld(const FTransform& Transform)
{
	FRenderMatrix Result;
	const FVector Axes[3] = {Transform.TransformVector({1.0, 0.0, 0.0}), Transform.TransformVector({0.0, 1.0, 0.0}), Transform.TransformVector({0.0, 0.0, 1.0})};
	for (int Column = 0; Column < 3; ++Column)
	{
		Result.At(0, Column) = static_cast<float>(Axes[Column].X);
		Result.At(1, Column) = static_cast<float>(Axes[Column].Y);
		Result.At(2, Column) = static_cast<float>(Axes[Column].Z);
	}
	Result.At(0, 3) = static_cast<float>(Transform.Translation.X);
	Result.At(1, 3) = static_cast<float>(Transform.Translation.Y);
	Result.At(2, 3) = static_cast<float>(Transform.Translation.Z);
	return Result;
}

FRotator MakeLookAtRotation(const FVector& From, const FVector& To)
{
	const FVector Direction = To - From;
	const double Horizontal = std::sqrt(Direction.X * Direction.X + Direction.Y * Direction.Y);
	if (Horizontal < 1e-9 && std::fabs(Direction.Z) < 1e-9)
	{
		return FRotator::ZeroRotator();
	}
	const double Degrees = 180.0 / std::numbers::pi;
	return {std::atan2(Direction.Z, Horizontal) * Degrees, std::atan2(Direction.Y, Direction.X) * Degrees, 0.0};
}
