#pragma once
// The outlines of the shape kinds: every point, arc and figure follows from the shape's box by
// fixed proportions, so a recorded lecture only needs the kind and the box.

#include "platform/GPGeometry.h"
#include "platform/graphics/GPGraphicsPath.h"
#include "session/CommDefine.h"

// True for the kinds that have an outline builder: 1 to 38 and 41 to 44. ShapeNone, the two
// coordinate-axes kinds (drawn from their box) and unknown values above 44 have none.
bool HasShapeOutline(ShapeType shapeType);

// Replaces the path's content by the outline of the kind inside the box: the builder starts with
// Reset (figures gone, fill mode alternate) and sets the winding fill mode last where the kind
// needs it. Kinds without a builder leave the path exactly as it was. The box is used as given,
// zero or negative sizes included.
void BuildShapeOutline(ShapeType shapeType, const TGPRectF& bounds, TGPGraphicsPath& path);
