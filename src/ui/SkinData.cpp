#include "ui/SkinData.h"

#include "ui/ShellLook.h"

TSkinData::TSkinData(QObject* parent, const QString& p_sName, TApplySkin p_apply)
    : QObject(parent), m_apply(std::move(p_apply))
{
    setObjectName(p_sName);
}

bool TSkinData::SetSkinIndex(int p_nSkinIndex)
{
    if (p_nSkinIndex < 0 || p_nSkinIndex >= ShellLook::kBarLookCount) {
        return false;
    }
    m_nSkinIndex = p_nSkinIndex;
    m_apply(m_nSkinIndex);
    return true;
}
