#pragma once
// A group of freehand strokes written with one pen style. Each closed stroke is kept as recorded
// (padded to whole Bezier segments) and as a drawing copy mapped into the current bounds; the
// path holds one Bezier figure per drawing copy. Stretching maps the recorded points into a new
// box and scales the pen width by the mean scale.
//
// While the group stands at its recorded scale (the last bounds were computed from the content),
// appending a stroke maps and adds only that stroke: the other drawing copies would be mapped
// onto themselves. The result is the same as rebuilding the whole group.
//
// A reference box of zero width (or height) has nothing to stretch on that axis: the scale on it
// stays 1, so the strokes keep their distances there and move to the new box's edge. A box with
// non-finite fields is ignored.

#include "draw/DrawParent.h"
#include "draw/DrawProperty.h"
#include "platform/graphics/GPGraphicsPath.h"
#include "session/CommDefine.h"

#include <vector>

class TDrawStrokes : public TDrawParent {
public:
    TDrawStrokes(TPaintBoxHandle p_pbDraw, uint32_t p_u32DrawNo, const std::vector<TPointList>& strokes,
                 int opacity, int colorIndex, Thickness thickness);

    // Starts a new stroke: forgets the points of the one being written.
    void PrepareStroke();
    // Records a point of the stroke being written and paints its segment at once on the surface
    // (a dot for the first point).
    void AddNewPoint(TGPGraphics& p_gGraphics, const TGPPointF& p_ptPoint);
    // Records a point without painting (rebuilding the board).
    void AddNewPoint(const TGPPointF& p_ptPoint);
    // Closes the stroke being written; nothing when it has no points.
    void AddNewStroke();
    void AddNewStroke(const TPointList& p_listPoints);
    // Removes the last stroke and returns its index, or -1 when there is none; the bounds are
    // computed again from the content in both cases.
    int DeleteLastStroke();

    using TDrawParent::InitBounds;
    // The unset marker asks for bounds computed from the content; any other box stretches the
    // strokes into it.
    void SetBounds(const TGPRectF& value) override;
    void Draw(TGPGraphics& p_gGraphics) override;
    bool HitTest(const TGPPointF& p_ptPoint) override;
    void Dispose() override;
    TGPRectF GetPaintExtent() const override;

    int GetStrokeAlpha() const { return m_dpDrawProperty.GetPenAlpha(); }
    TGPColor GetStrokeColor() const { return m_dpDrawProperty.GetPenColor(); }
    int GetStrokeColorIndex() const { return m_dpDrawProperty.GetPenColorIndex(); }
    void SetStrokeColorIndex(int value) { m_dpDrawProperty.SetPenColorIndex(value); }
    int GetStrokeOpacity() const { return m_dpDrawProperty.GetPenOpacity(); }
    void SetStrokeOpacity(int value) { m_dpDrawProperty.SetPenOpacity(value); }
    Thickness GetStrokeThickness() const { return m_dpDrawProperty.GetPenThickness(); }
    void SetStrokeThickness(Thickness value) { m_dpDrawProperty.SetPenThickness(value); }
    float GetStrokeWidth() const { return m_dpDrawProperty.GetPenWidth(); }

    int GetStrokeCount() const { return static_cast<int>(m_listStrokes.size()); }
    const std::vector<TPointList>& GetRecordedStrokes() const { return m_listStrokes; }
    const std::vector<TPointList>& GetDrawStrokes() const { return m_listDrawStrokes; }
    const TPointList& GetWritingPoints() const { return m_listPoints; }
    const TGPGraphicsPath& GetGraphicsPath() const { return m_gpGraphicsPath; }
    TGPRectF GetOriginalBounds() const { return m_rtOriginalBounds; }
    // The box one stroke paints with the current pen (anti-aliasing included).
    TGPRectF GetStrokePaintExtent(int index) const;

private:
    // Running minimum and maximum of drawing points, from (20000, 20000, -20000, -20000).
    struct TExtremes {
        float MinX = 20000.0f;
        float MinY = 20000.0f;
        float MaxX = -20000.0f;
        float MaxY = -20000.0f;
        void Take(const TGPPointF& p);
        void Take(const TExtremes& other);
        TGPRectF ToRect() const { return {MinX, MinY, MaxX - MinX, MaxY - MinY}; }
    };

    void AppendStroke(const TPointList& list);
    void AppendStrokeAtRecordedScale();
    TGPRectF CalcStrokesBounds() const;
    void RebuildStrokePath(const TGPRectF& rect, float scaleX, float scaleY);
    // Maps stroke i into rect, nudging points that land on the pixel of the point before;
    // returns the extremes of the mapped points.
    TExtremes MapStroke(size_t i, const TGPRectF& rect, double scaleX, double scaleY);
    TGPRectF ExtentOf(const TExtremes& extremes) const;

    std::vector<TPointList> m_listDrawStrokes;
    std::vector<TPointList> m_listStrokes;
    TDrawProperty m_dpDrawProperty;
    float m_fOriginalStrokeWidth = 0.0f;
    TGPGraphicsPath m_gpGraphicsPath;
    TPointList m_listPoints;
    TGPPointF m_ptPrevPoint;
    TGPRectF m_rtOriginalBounds;

    // Extremes of each drawing copy and of all of them, as the path now holds them.
    std::vector<TExtremes> m_arrayStrokeExtremes;
    TExtremes m_extContent;
    // The drawing copies lie on their recorded points (plus nudges): mapping at scale 1 into the
    // reference box leaves them where they are.
    bool m_boolAtRecordedScale = true;
};
