#pragma once
// A pen: colour, width in pixels, dash style, a cap at each end of every open figure and the
// join between segments. Custom caps are copied into the pen.

#include "platform/graphics/GPAdjustableArrowCap.h"
#include "platform/graphics/GPTypes.h"

#include <optional>

class TGPPen {
public:
    explicit TGPPen(TGPColor color, float width = 1.0f);

    TGPColor GetColor() const { return m_color; }
    void SetColor(TGPColor color) { m_color = color; }
    float GetWidth() const { return m_fWidth; }
    void SetWidth(float width) { m_fWidth = width; }

    TGPDashStyle GetDashStyle() const { return m_dashStyle; }
    void SetDashStyle(TGPDashStyle style) { m_dashStyle = style; }

    TGPLineCap GetStartCap() const { return m_startCap; }
    TGPLineCap GetEndCap() const { return m_endCap; }
    void SetStartCap(TGPLineCap cap) { m_startCap = cap; }
    void SetEndCap(TGPLineCap cap) { m_endCap = cap; }
    // Copies the cap and sets that end's cap to Custom.
    void SetCustomStartCap(const TGPAdjustableArrowCap& cap);
    void SetCustomEndCap(const TGPAdjustableArrowCap& cap);
    const std::optional<TGPAdjustableArrowCap>& GetCustomStartCap() const { return m_customStartCap; }
    const std::optional<TGPAdjustableArrowCap>& GetCustomEndCap() const { return m_customEndCap; }

    TGPLineJoin GetLineJoin() const { return m_lineJoin; }
    void SetLineJoin(TGPLineJoin join) { m_lineJoin = join; }
    float GetMiterLimit() const { return m_fMiterLimit; }
    void SetMiterLimit(float limit) { m_fMiterLimit = limit; }

private:
    TGPColor m_color;
    float m_fWidth;
    TGPDashStyle m_dashStyle = TGPDashStyle::Solid;
    TGPLineCap m_startCap = TGPLineCap::Flat;
    TGPLineCap m_endCap = TGPLineCap::Flat;
    std::optional<TGPAdjustableArrowCap> m_customStartCap;
    std::optional<TGPAdjustableArrowCap> m_customEndCap;
    TGPLineJoin m_lineJoin = TGPLineJoin::Miter;
    float m_fMiterLimit = 10.0f;
};
