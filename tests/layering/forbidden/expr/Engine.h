// A fixture of the layering test: the engine reaching up into the chart and into Qt.
#include "base/Errors.h"
#include "chart/RChart.h"
#include <QString>
