#pragma once
// The base of every object written or placed on the board: its kind, its key (draw number), the
// page resource it shows and its box. The virtual operations below are the ones every kind may
// replace, in a fixed order.

#include "platform/GPGeometry.h"

#include <cstdint>

class TGPGraphics;

// Kind of a drawing object. 0, 1 and 8 belong to no class.
enum class DrawType : uint8_t {
    None = 0,
    Reserved1 = 1,
    Image = 2,
    Line = 3,
    MP3 = 4,
    RichXML = 5,
    Shape = 6,
    Strokes = 7,
    Reserved8 = 8,
    PopBlinker = 9,
};

// The board surface an object belongs to. Stored only; nothing draws through it.
using TPaintBoxHandle = void*;

class TDrawParent {
public:
    virtual ~TDrawParent() = default;
    TDrawParent(const TDrawParent&) = delete;
    TDrawParent& operator=(const TDrawParent&) = delete;

    virtual TGPRectF GetBounds() const;
    // Stores the box; the paint bounds are the box grown by 20 on every side.
    virtual void SetBounds(const TGPRectF& value);
    virtual TGPRectF GetPaintBounds() const;
    // Releases what the object owns; the object stays safe to destroy.
    virtual void Dispose();
    virtual void Draw(TGPGraphics& p_gGraphics);
    virtual void EditContent();
    // True when the point lies in the box (edges included).
    virtual bool HitTest(const TGPPointF& p_ptPoint);
    // SetBounds with (x, y, 20, 20).
    virtual void InitBounds(float p_fX, float p_fY);
    virtual void InitBounds(float p_fX, float p_fY, float p_fWidth, float p_fHeight);

    // A box covering every pixel Draw can change, anti-aliasing included, for working out which
    // region of the board a change touches. The base takes the box and the paint bounds
    // together; kinds that paint beyond them report more.
    virtual TGPRectF GetPaintExtent() const;

    bool Creating() const { return m_boolCreating; }
    uint32_t GetDrawNo() const { return m_u32DrawNo; }
    void SetDrawNo(uint32_t value) { m_u32DrawNo = value; }
    DrawType GetDrawType() const { return m_enumDrawType; }
    bool GetResizable() const { return m_boolResizable; }
    void SetResizable(bool value) { m_boolResizable = value; }
    uint8_t GetResourceNo() const { return m_byteResourceNo; }
    void SetResourceNo(uint8_t value) { m_byteResourceNo = value; }
    bool GetSelected() const { return m_boolSelect; }
    TPaintBoxHandle GetPaintBox() const { return m_pbDraw; }

protected:
    TDrawParent(DrawType p_enumDrawType, TPaintBoxHandle p_pbDraw, uint32_t p_u32DrawNo);

    bool m_boolCreating = false;
    bool m_boolEdit = false;
    bool m_boolResizable = false;
    bool m_boolSelect = false;
    uint8_t m_byteResourceNo = 0;
    DrawType m_enumDrawType;
    TGPRectF m_rtBounds;
    TGPRectF m_rtPaintBounds;
    uint32_t m_u32DrawNo;
    TPaintBoxHandle m_pbDraw;
};

// The smallest box holding both. A box of negative width or height, or of no extent at all
// (the unset marker, the all-zero box), counts as empty; two empty boxes give (0, 0, 0, 0).
TGPRectF UnionBoxes(const TGPRectF& a, const TGPRectF& b);
