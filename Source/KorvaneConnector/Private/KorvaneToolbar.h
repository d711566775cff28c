#pragma once

#include <memory>

class FExtender;

/**
 * The connector's toolbar entries: the level editor's "Korvane" button, which opens the status
 * panel, and a "Send to Korvane" button in the Blueprint, Material, Widget Blueprint and
 * Control Rig editors, which queues the foreground editor's asset for the desktop app.
 */
namespace KorvaneToolbar
{
	/**
	 * Adds the entries to the editor's tool menus (owned by whoever the tool menus run the
	 * start-up callback for) and the Control Rig editor's toolbar extender, which it returns
	 * (nullptr when the RigVMEditor module is not there) for RemoveControlRigExtender.
	 * Nothing is added when the level editor's play toolbar cannot be extended.
	 */
	std::shared_ptr<FExtender> RegisterToolbarExtensions();
	/** Takes the extender out of the RigVMEditor module's toolbar extensibility manager, when both are there. */
	void RemoveControlRigExtender(const std::shared_ptr<FExtender>& Extender);

	/** Opens the status tab, or brings the open one to the front. */
	void OpenStatusPanel();
	/** Queues the foreground Blueprint editor's Blueprint, gathered and enriched. */
	void SendFocusedBlueprint();
	/** Queues the foreground Material editor's material, its textures bundled when bWithAssets. */
	void SendFocusedMaterial(bool bWithAssets);
	/** Queues the foreground Widget Blueprint (Editor Utility Widgets included) by name and path. */
	void SendFocusedWidget();
	/** Queues the foreground Control Rig by name and path, asking for its preview mesh when bWithMesh. */
	void SendFocusedControlRig(bool bWithMesh);
}
