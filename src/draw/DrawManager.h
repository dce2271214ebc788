#pragma once
// The ordered registry of the drawing objects of the page being played. It owns every object
// registered with it; removing an object runs its Dispose and then ends its life.

#include "draw/DrawParent.h"

#include <cstdint>
#include <memory>
#include <vector>

class TGPGraphics;

class TDrawManager {
public:
    TDrawManager() = default;
    ~TDrawManager();
    TDrawManager(const TDrawManager&) = delete;
    TDrawManager& operator=(const TDrawManager&) = delete;

    // Appends the object; no check of its draw number or of duplicates.
    void AddDraw(std::unique_ptr<TDrawParent> p_dpDraw);
    // Runs the object's Dispose, then removes and ends the first entry that is this object.
    // Does nothing for no object.
    void DeleteDraw(TDrawParent* p_dpDraw);
    // Empties the list first, then disposes and ends every former object, first to last.
    void DeleteAllDraw();
    void Dispose();
    // Sets anti-aliased smoothing, high-quality pixel offset and high-quality bicubic
    // interpolation, then draws every object in registration order.
    void DrawAllDraw(TGPGraphics& p_gGraphics);
    // First object in registration order with that number; nullptr when there is none.
    TDrawParent* FindDrawByDrawNo(uint32_t p_u32DrawNo) const;
    TDrawParent* FindDrawByResourceNo(uint8_t p_byteResourceNo) const;
    int GetCount() const { return static_cast<int>(m_arrayDrawList.size()); }
    // The object at a registration position (0 is the first drawn).
    TDrawParent* GetDraw(int index) const { return m_arrayDrawList[static_cast<size_t>(index)].get(); }
    uint32_t GetNextDrawNo() { return ++m_u32LastDrawNo; }
    uint32_t GetLastDrawNo() const { return m_u32LastDrawNo; }
    void SetLastDrawNo(uint32_t value) { m_u32LastDrawNo = value; }

private:
    std::vector<std::unique_ptr<TDrawParent>> m_arrayDrawList;
    uint32_t m_u32LastDrawNo = 0;
};
