// Envelope.h: what an envelope shows, computed from its content and its shape or warp.
//
// The result is never stored: the content may be written after the envelope is made (the
// plug-in keeps its handle), and computing on demand follows every change without any
// bookkeeping. Each call costs the content's samples (segments × pieces for its fidelity).
#pragma once

#include "document/Document.h"

namespace easel {

// The envelope's outline: every content segment sampled by the fidelity and mapped from the
// content's bounds into the shape (a Coons patch of the shape's outline, split into four
// sides at its points nearest its bounds' corners) or, with a warp, into the warped bounds.
// A polyline of corner points, closed like the content. Empty when the content or shape is
// missing, or when a mapped point would not be a finite float.
PathData EnvelopeResult(const Document& doc, const Art& envelope);

// What the envelope shows as one path art: the result, painted with the content's paint, at
// the content's opacity times the envelope's. Its id is 0 (it is not live art). Path art is
// given back as it is.
Art ShownArt(const Document& doc, const Art& art);

}  // namespace easel
