#pragma once

class UClass;

/**
 * The slot class a panel class makes its slots of, as each engine panel's GetSlotClass answers:
 * "<Panel>Slot" of the panel's script package when the class database has it (CanvasPanel →
 * CanvasPanelSlot, Button → ButtonSlot), the exceptions by table (GridPanel → GridSlot), else the
 * super class's; PanelSlot for panels without a slot class of their own (CheckBox, NamedSlot).
 */
UClass* FindPanelSlotClass(const UClass* PanelClass);
