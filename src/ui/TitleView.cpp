#include "ui/TitleView.h"

#include "ui/AlignEngine.h"
#include "ui/BarParts.h"
#include "ui/ControlRegistry.h"
#include "ui/PictureButton.h"
#include "ui/ShellLook.h"
#include "ui/ToolButtons.h"

TTitleView::TTitleView(QWidget* parent, const TPlayerState& p_state, TControlRegistry& p_registry,
                       TAlignEngine& p_align)
    : TPanel(parent, QStringLiteral("paTitleView"), ShellLook::kBarColor)
{
    setStyleSheet(ShellLook::BarStyle(0));
    p_registry.Register(this, TControlKind::Panel);
    setGeometry(0, 0, width(), kHeight);
    TBarParts parts(p_registry, p_align);
    paTitleViewLeft = parts.Part(this, QStringLiteral("paTitleViewLeft"), TAlign::Left, QSize(90, kHeight));
    paTitleViewClient = parts.Part(this, QStringLiteral("paTitleViewClient"), TAlign::Client, QSize());
    paTiitleViewRight = parts.Part(this, QStringLiteral("paTiitleViewRight"), TAlign::Right, QSize(40, kHeight));
    imgTitleViewLeft = parts.Background(paTitleViewLeft, QStringLiteral("imgTitleViewLeft"));
    imgTitleViewClient = parts.Background(paTitleViewClient, QStringLiteral("imgTitleViewClient"));
    imgTitleViewRight = parts.Background(paTiitleViewRight, QStringLiteral("imgTitleViewRight"));
    btnClose = MakeToolButton(paTiitleViewRight, QStringLiteral("btnClose"), p_state, p_registry);
}
