#pragma once
// Base of the brushes that fill paths and rectangles.

#include <QBrush>

class TGPBrush {
public:
    virtual ~TGPBrush() = default;
    // The brush as the painter uses it; Qt::NoBrush when it paints nothing.
    virtual QBrush ToQBrush() const = 0;
};
