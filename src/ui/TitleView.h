#pragma once
// The title bar paTitleView: a panel 30 high across the top of the screen, lying over the board
// (not aligned: the start-up gives it the screen's width), with its left part (90 wide), its
// client part and its right part (40 wide) holding the close button.

#include "ui/Panel.h"

class TAlignEngine;
class TControlRegistry;
class TPicture;
class TPictureButton;
struct TPlayerState;

class TTitleView : public TPanel {
public:
    static constexpr int kHeight = 30;

    TTitleView(QWidget* parent, const TPlayerState& p_state, TControlRegistry& p_registry, TAlignEngine& p_align);

    TPanel* paTitleViewLeft;
    TPanel* paTitleViewClient;
    TPanel* paTiitleViewRight;
    TPicture* imgTitleViewLeft;
    TPicture* imgTitleViewClient;
    TPicture* imgTitleViewRight;
    TPictureButton* btnClose;
};
