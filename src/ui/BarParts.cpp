#include "ui/BarParts.h"

#include "ui/AlignEngine.h"
#include "ui/ControlRegistry.h"
#include "ui/Panel.h"
#include "ui/Picture.h"

TPanel* TBarParts::Part(TPanel* p_parent, const QString& p_sName, TAlign p_align, const QSize& p_size)
{
    auto* part = new TPanel(p_parent, p_sName, p_parent->GetColor());
    part->resize(p_size);
    m_registry.Register(part, TControlKind::Panel);
    m_align.SetAlign(part, p_align);
    return part;
}

TPicture* TBarParts::Background(QWidget* p_parent, const QString& p_sName)
{
    auto* picture = new TPicture(p_parent, p_sName);
    picture->SetStretch(true);
    m_registry.Register(picture, TControlKind::Picture);
    m_align.SetAlign(picture, TAlign::Client);
    return picture;
}
