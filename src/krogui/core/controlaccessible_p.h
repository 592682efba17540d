#pragma once
// Installs the accessible interface factory of the controls (once; the control core calls it).

namespace kro {
void InstallControlAccessibility();
} // namespace kro
