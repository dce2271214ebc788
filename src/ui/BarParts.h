#pragma once
// Builds the parts of a bar: panels aligned inside it, each with a stretched background picture
// filling it, all registered by name and placed by the alignment engine.

#include "ui/AlignRules.h"

#include <QSize>
#include <QString>

class QWidget;
class TAlignEngine;
class TControlRegistry;
class TPanel;
class TPicture;

class TBarParts {
public:
    TBarParts(TControlRegistry& p_registry, TAlignEngine& p_align) : m_registry(p_registry), m_align(p_align) {}

    // A panel of the parent's colour, of p_size (its width for left and right parts, its height
    // for top and bottom ones; the alignment gives the rest), aligned in p_parent.
    TPanel* Part(TPanel* p_parent, const QString& p_sName, TAlign p_align, const QSize& p_size);
    // A stretched picture filling p_parent, under everything placed in the part after it.
    TPicture* Background(QWidget* p_parent, const QString& p_sName);

private:
    TControlRegistry& m_registry;
    TAlignEngine& m_align;
};
