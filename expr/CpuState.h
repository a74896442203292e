#pragma once
// Processor state that affects the speed of the evaluation loops.

namespace tessaly {

// Clears the upper halves of the AVX registers (vzeroupper) on processors that have AVX, and
// does nothing elsewhere. Drawing routines that use 256-bit instructions may return with those
// halves in use, after which SSE code such as sin and cos runs many times slower; call this
// before a loop of evaluations that follows drawing.
void ClearUpperVectorState();

} // namespace tessaly
