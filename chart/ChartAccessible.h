#pragma once
// A chart is a chart to a screen reader: its role is Chart, its name and description are the
// widget's accessible name and description, which its owner keeps current.

namespace tessaly {

// Registers the charts' accessible interface with Qt; later calls do nothing.
void InstallChartAccessibility();

} // namespace tessaly
