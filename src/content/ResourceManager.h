#pragma once
// The resources of the page being played, loaded from the page description's resource list and
// asked by the packet interpreter for the file of a resource number.

#include "content/ResourceItem.h"
#include "session/CommDefine.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

class TResourceManager {
public:
    // Replaces the items by one per entry, in list order: numbers and order numbers keep their
    // low 8 bits, the kind comes from the entry's type name. The entries stay with their owner.
    void LoadResourceList(const std::vector<TResourceInfo>& resourceList, const QString& p_strResourcePath);

    void Clear() { m_arrayResourceList.clear(); }

    // The first item carrying the number, or none.
    TResourceItem* FindResourceItem(uint8_t p_byteResourceNo) const;

    int GetResourceCount() const { return static_cast<int>(m_arrayResourceList.size()); }
    // p_nIndex must lie in 0 .. count - 1.
    TResourceItem* GetResourceItem(int p_nIndex) const { return m_arrayResourceList.at(static_cast<size_t>(p_nIndex)).get(); }

    // The smallest number 1..254 no item carries, 255 when all are taken. The scan counts in
    // 8 bits, so it looks at the first (count mod 256) items only.
    uint8_t GetNextResourceNo() const;

    // A new item numbered GetNextResourceNo in the given folder, appended; the manager owns it.
    TResourceItem* CreateResource(const QString& p_strResourcePath);

    // Takes the item out of the list and hands it back to the caller; empty when not listed.
    std::unique_ptr<TResourceItem> DeleteResource(const TResourceItem* p_riResourceItem);

    // The first item whose used flag is false, or none.
    TResourceItem* GetNextUseResourceItem() const;

    uint8_t GetLastUsedOrderNo() const { return m_byteLastUsedOrderNo; }

private:
    std::vector<std::unique_ptr<TResourceItem>> m_arrayResourceList;
    uint8_t m_byteLastUsedOrderNo = 0;
};
