#pragma once

/** How a set of show flags starts out, as the editor's EShowFlagInitMode. */
enum EShowFlagInitMode
{
	ESFIM_Game,
	ESFIM_Editor,
	ESFIM_All0
};

/** What a view family draws. The host's renderer honours the few flags below. */
struct FEngineShowFlags
{
	explicit FEngineShowFlags(EShowFlagInitMode InitMode);

	bool Lighting = true;
	bool Materials = true;
	bool Translucency = true;
	bool SkyLighting = true;
	bool DirectionalLights = true;
	bool PointLights = true;

	void SetLighting(bool bValue) { Lighting = bValue; }
	void SetTranslucency(bool bValue) { Translucency = bValue; }
};
