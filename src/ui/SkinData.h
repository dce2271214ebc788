#pragma once
// The skin data of the window's skinned controls (bsSkinData1): which of the built-in looks the
// page tabs, sliders and tool tips of the bars wear. The window says how a look is applied.

#include <QObject>

#include <functional>

class TSkinData : public QObject {
public:
    using TApplySkin = std::function<void(int p_nSkinIndex)>;

    TSkinData(QObject* parent, const QString& p_sName, TApplySkin p_apply);

    int GetSkinIndex() const { return m_nSkinIndex; }
    // Wears the look of the index; false, and nothing changes, for an index that names no look.
    bool SetSkinIndex(int p_nSkinIndex);

private:
    int m_nSkinIndex = 0;
    TApplySkin m_apply;
};
