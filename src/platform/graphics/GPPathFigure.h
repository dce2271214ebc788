#pragma once
// One figure of a vector path: a run of connected straight and cubic segments, open or closed.
// Apart from the path, so that the pen's outline works on figures without knowing the path.

#include "platform/GPGeometry.h"
#include "platform/graphics/GPTypes.h"

#include <vector>

struct TGPPathFigure {
    std::vector<TGPPointF> Points;
    std::vector<TGPPathPointType> Types;  // one per point; the first is Start
    bool Closed = false;
};
