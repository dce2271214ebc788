#pragma once
// Pictures the demo session carries: the board picture of the picture page and a picture
// resource. Painted from code (no text, so no font is needed) and encoded as PNG.

#include <QByteArray>
#include <QImage>
#include <QSize>

// The picture encoded as PNG.
QByteArray ToPng(const QImage& image);

// Graph paper of the given size: fine lines every 20 pixels, stronger ones every 100.
QByteArray MakeGraphPaperPng(QSize size);

// A small card showing the area model of (x + 1)^2: one large square, two strips, one unit.
QByteArray MakeAreaCardPng(int side);
