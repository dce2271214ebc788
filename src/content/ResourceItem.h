#pragma once
// One resource of a page: its number (the key drawing commands use), its kind (which gives the
// file extension), its placement and flags from the page description, and its folder.

#include "platform/GPGeometry.h"
#include "session/CommDefine.h"

#include <QString>

#include <cstdint>

class TResourceItem {
public:
    TResourceItem(uint8_t p_byteResourceNo, const QString& p_strPageResourcePath);

    TGPRectF GetBounds() const { return m_rtBounds; }
    void SetBounds(const TGPRectF& bounds) { m_rtBounds = bounds; }
    bool GetDeployed() const { return m_boolDeployed; }
    void SetDeployed(bool deployed) { m_boolDeployed = deployed; }
    uint8_t GetOrderNo() const { return m_byteOrderNo; }
    void SetOrderNo(uint8_t orderNo) { m_byteOrderNo = orderNo; }
    QString GetPageResourcePath() const { return m_strPageResourcePath; }
    void SetPageResourcePath(const QString& path) { m_strPageResourcePath = path; }
    QString GetResourceName() const { return m_strResourceName; }
    void SetResourceName(const QString& name) { m_strResourceName = name; }
    uint8_t GetResourceNo() const { return m_byteResourceNo; }
    void SetResourceNo(uint8_t resourceNo) { m_byteResourceNo = resourceNo; }
    ResourceType GetResourceType() const { return m_enumResourceType; }
    void SetResourceType(ResourceType type) { m_enumResourceType = type; }
    bool GetUsed() const { return m_boolUsed; }
    void SetUsed(bool used) { m_boolUsed = used; }

    // Folder + number in decimal + the kind's extension ("12.png"; a kind without extension
    // gives the bare number). The kind decides, not the files the folder holds.
    QString GetResourceFilePath() const;

    // Order number of this item minus that of `other`: sorts by ascending order number.
    int CompareTo(const TResourceItem& other) const;

    // Takes an outside file into the page's resources: the kind from its extension, the name
    // from its absolute path, and a copy at this item's file path.
    void BuildResource(const QString& p_strOuterResourceFilePath);

private:
    bool m_boolDeployed = false;
    bool m_boolUsed = false;
    uint8_t m_byteOrderNo = 0;
    uint8_t m_byteResourceNo = 0;
    ResourceType m_enumResourceType = ResourceType::ResourceNone;
    TGPRectF m_rtBounds;
    QString m_strPageResourcePath;
    QString m_strResourceName;
};
