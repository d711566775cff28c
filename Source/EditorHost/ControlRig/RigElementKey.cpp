#include "ControlRig/RigElementKey.h"

#include "Objects/ClassDatabase.h"

template <>
const UEnum* StaticEnum<ERigElementType>()
{
	static const UEnum* const Enum = FClassDatabase::Get().FindEnum("/Script/ControlRig.ERigElementType");
	return Enum;
}

template <>
const UEnum* StaticEnum<ERigControlType>()
{
	static const UEnum* const Enum = FClassDatabase::Get().FindEnum("/Script/ControlRig.ERigControlType");
	return Enum;
}

template <>
const UEnum* StaticEnum<ERigControlAnimationType>()
{
	static const UEnum* const Enum = FClassDatabase::Get().FindEnum("/Script/ControlRig.ERigControlAnimationType");
	return Enum;
}

template <>
const UEnum* StaticEnum<EConnectorType>()
{
	static const UEnum* const Enum = FClassDatabase::Get().FindEnum("/Script/ControlRig.EConnectorType");
	return Enum;
}
