#pragma once
// A brush of one colour.

#include "platform/graphics/GPBrush.h"
#include "platform/graphics/GPTypes.h"

class TGPSolidBrush : public TGPBrush {
public:
    explicit TGPSolidBrush(TGPColor color) : m_color(color) {}

    TGPColor GetColor() const { return m_color; }
    void SetColor(TGPColor color) { m_color = color; }
    QBrush ToQBrush() const override;

private:
    TGPColor m_color;
};
