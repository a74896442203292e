#pragma once
// The glyphs of the main window's speed buttons, drawn in code so that they scale cleanly and
// need no image files.

#include <QIcon>

namespace tessaly {

enum class TGlyph { About, Exit, YScale, Zoom01, ZoomWindow, ZoomDrag, Pan, DragCursor, Play, Pause };

// A 16 x 16 glyph (device-independent pixels) with a normal and a disabled image.
QIcon GlyphIcon(TGlyph glyph);
// The play glyph while off and the pause glyph while on, for a checkable button.
QIcon PlayPauseIcon();

} // namespace tessaly
