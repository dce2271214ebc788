#include "content/ResourceItem.h"

#include "session/FileUtil.h"

TResourceItem::TResourceItem(uint8_t p_byteResourceNo, const QString& p_strPageResourcePath)
    : m_byteResourceNo(p_byteResourceNo), m_strPageResourcePath(p_strPageResourcePath)
{
    InitUnsetRect(m_rtBounds);
}

QString TResourceItem::GetResourceFilePath() const
{
    return JoinPath(m_strPageResourcePath,
                    QString::number(m_byteResourceNo) + GetResourceFileExt(m_enumResourceType));
}

int TResourceItem::CompareTo(const TResourceItem& other) const
{
    return static_cast<int>(m_byteOrderNo) - static_cast<int>(other.m_byteOrderNo);
}

void TResourceItem::BuildResource(const QString& p_strOuterResourceFilePath)
{
    m_enumResourceType = GetResourceTypeFromFile(p_strOuterResourceFilePath);
    m_strResourceName = GetFullPath(p_strOuterResourceFilePath);
    FileCopy(p_strOuterResourceFilePath, GetResourceFilePath());
}
