#include "content/ResourceManager.h"

#include "session/FileUtil.h"

#include <algorithm>

void TResourceManager::LoadResourceList(const std::vector<TResourceInfo>& resourceList,
                                        const QString& p_strResourcePath)
{
    Clear();
    for (const TResourceInfo& info : resourceList) {
        auto item = std::make_unique<TResourceItem>(static_cast<uint8_t>(info.ResourceNo), p_strResourcePath);
        item->SetResourceName(info.ResourceName);
        item->SetResourceType(GetResourceTypeFromName(info.ResourceType));
        item->SetDeployed(info.Deployed);
        item->SetUsed(info.Used);
        item->SetOrderNo(static_cast<uint8_t>(info.OrderNo));
        item->SetBounds(TGPRectF{info.x, info.y, info.width, info.height});
        m_arrayResourceList.push_back(std::move(item));
    }
}

TResourceItem* TResourceManager::FindResourceItem(uint8_t p_byteResourceNo) const
{
    for (const auto& item : m_arrayResourceList) {
        if (item->GetResourceNo() == p_byteResourceNo) {
            return item.get();
        }
    }
    return nullptr;
}

uint8_t TResourceManager::GetNextResourceNo() const
{
    const uint8_t count = static_cast<uint8_t>(m_arrayResourceList.size());
    for (int number = 1; number <= 254; ++number) {
        bool taken = false;
        for (uint8_t i = 0; i < count && !taken; ++i) {
            taken = m_arrayResourceList[i]->GetResourceNo() == number;
        }
        if (!taken) {
            return static_cast<uint8_t>(number);
        }
    }
    return 255;
}

TResourceItem* TResourceManager::CreateResource(const QString& p_strResourcePath)
{
    m_arrayResourceList.push_back(std::make_unique<TResourceItem>(GetNextResourceNo(), p_strResourcePath));
    return m_arrayResourceList.back().get();
}

std::unique_ptr<TResourceItem> TResourceManager::DeleteResource(const TResourceItem* p_riResourceItem)
{
    const auto found = std::find_if(m_arrayResourceList.begin(), m_arrayResourceList.end(),
                                    [&](const auto& item) { return item.get() == p_riResourceItem; });
    if (found == m_arrayResourceList.end()) {
        return nullptr;
    }
    std::unique_ptr<TResourceItem> item = std::move(*found);
    m_arrayResourceList.erase(found);
    return item;
}

TResourceItem* TResourceManager::GetNextUseResourceItem() const
{
    for (const auto& item : m_arrayResourceList) {
        if (!item->GetUsed()) {
            return item.get();
        }
    }
    return nullptr;
}
