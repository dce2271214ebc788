#include "draw/DrawManager.h"

#include "platform/graphics/GPGraphics.h"

#include <algorithm>

TDrawManager::~TDrawManager()
{
    DeleteAllDraw();
}

void TDrawManager::AddDraw(std::unique_ptr<TDrawParent> p_dpDraw)
{
    if (p_dpDraw) {
        m_arrayDrawList.push_back(std::move(p_dpDraw));
    }
}

void TDrawManager::DeleteDraw(TDrawParent* p_dpDraw)
{
    if (p_dpDraw == nullptr) {
        return;
    }
    p_dpDraw->Dispose();
    const auto entry = std::find_if(m_arrayDrawList.begin(), m_arrayDrawList.end(),
                                    [p_dpDraw](const std::unique_ptr<TDrawParent>& draw) { return draw.get() == p_dpDraw; });
    if (entry != m_arrayDrawList.end()) {
        m_arrayDrawList.erase(entry);
    }
}

void TDrawManager::DeleteAllDraw()
{
    std::vector<std::unique_ptr<TDrawParent>> removed;
    removed.swap(m_arrayDrawList);
    for (std::unique_ptr<TDrawParent>& draw : removed) {
        draw->Dispose();
        draw.reset();
    }
}

void TDrawManager::Dispose()
{
    DeleteAllDraw();
}

void TDrawManager::DrawAllDraw(TGPGraphics& p_gGraphics)
{
    p_gGraphics.SetSmoothingMode(TGPSmoothingMode::AntiAlias);
    p_gGraphics.SetPixelOffsetMode(TGPPixelOffsetMode::HighQuality);
    p_gGraphics.SetInterpolationMode(TGPInterpolationMode::HighQualityBicubic);
    for (const std::unique_ptr<TDrawParent>& draw : m_arrayDrawList) {
        draw->Draw(p_gGraphics);
    }
}

TDrawParent* TDrawManager::FindDrawByDrawNo(uint32_t p_u32DrawNo) const
{
    for (const std::unique_ptr<TDrawParent>& draw : m_arrayDrawList) {
        if (draw->GetDrawNo() == p_u32DrawNo) {
            return draw.get();
        }
    }
    return nullptr;
}

TDrawParent* TDrawManager::FindDrawByResourceNo(uint8_t p_byteResourceNo) const
{
    for (const std::unique_ptr<TDrawParent>& draw : m_arrayDrawList) {
        if (draw->GetResourceNo() == p_byteResourceNo) {
            return draw.get();
        }
    }
    return nullptr;
}
