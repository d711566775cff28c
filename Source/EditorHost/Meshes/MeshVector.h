#pragma once

#include <cmath>

/** Two 32-bit floats: a texture coordinate. */
struct FVector2f
{
	float X = 0.0f;
	float Y = 0.0f;

	friend bool operator==(const FVector2f&, const FVector2f&) = default;
};

/** Three 32-bit floats: how vertex buffers keep positions, normals and deltas. */
struct FVector3f
{
	float X = 0.0f;
	float Y = 0.0f;
	float Z = 0.0f;

	friend bool operator==(const FVector3f&, const FVector3f&) = default;
};

/** Four 32-bit floats: a tangent with the sign of its basis in W. */
struct FVector4f
{
	float X = 0.0f;
	float Y = 0.0f;
	float Z = 0.0f;
	float W = 0.0f;

	friend bool operator==(const FVector4f&, const FVector4f&) = default;
};

/** A double-precision vector, as the editor's FVector. */
struct FVector
{
	double X = 0.0;
	double Y = 0.0;
	double Z = 0.0;

	static constexpr FVector ZeroVector() { return {0.0, 0.0, 0.0}; }
	static constexpr FVector OneVector() { return {1.0, 1.0, 1.0}; }
	static FVector FromFloat(const FVector3f& V) { return {V.X, V.Y, V.Z}; }
	FVector3f ToFloat() const { return {static_cast<float>(X), static_cast<float>(Y), static_cast<float>(Z)}; }

	FVector operator+(const FVector& V) const { return {X + V.X, Y + V.Y, Z + V.Z}; }
	FVector operator-(const FVector& V) const { return {X - V.X, Y - V.Y, Z - V.Z}; }
	FVector operator-() const { return {-X, -Y, -Z}; }
	FVector operator*(double Scale) const { return {X * Scale, Y * Scale, Z * Scale}; }
	/** Component-wise product, as the editor multiplies a vector by a scale. */
	FVector operator*(const FVector& V) const { return {X * V.X, Y * V.Y, Z * V.Z}; }
	/** The cross product, written as the editor writes it. */
	FVector operator^(const FVector& V) const { return {Y * V.Z - Z * V.Y, Z * V.X - X * V.Z, X * V.Y - Y * V.X}; }
	/** The dot product. */
	double operator|(const FVector& V) const { return X * V.X + Y * V.Y + Z * V.Z; }

	double SizeSquared() const { return X * X + Y * Y + Z * Z; }
	double Size() const { return std::sqrt(SizeSquared()); }
	bool IsFinite() const { return std::isfinite(X) && std::isfinite(Y) && std::isfinite(Z); }

	friend bool operator==(const FVector&, const FVector&) = default;
};
