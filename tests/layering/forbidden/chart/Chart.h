// A fixture of the layering test: the chart uses base without linking it, relying on the
// scale to pass it along, links the engine outside its row and gfx without using it.
#include "base/Errors.h"
#include "scale/Scale.h"
#include <QWidget>
