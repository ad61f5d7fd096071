#pragma once
// Assistive technology (screen readers, GUI automation) sees the owner-drawn controls as a person
// does: each reports its role, name, state, value and actions through a QAccessibleInterface.

// Registers the interfaces of ColorButton, TScrewPanel, TLCD99, TLEDMeter and TLEDButton with Qt's
// accessibility; call once the application object exists (further calls do nothing).
void installControlAccessibility();
