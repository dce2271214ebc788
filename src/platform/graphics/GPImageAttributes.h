#pragma once
// How a picture's colours are changed while it is drawn: a 5 x 5 colour matrix.

#include "platform/graphics/GPTypes.h"

class TGPImageAttributes {
public:
    TGPImageAttributes() : m_matrix(IdentityColorMatrix()) {}

    void SetColorMatrix(const TGPColorMatrix& matrix) { m_matrix = matrix; }
    void ClearColorMatrix() { m_matrix = IdentityColorMatrix(); }
    const TGPColorMatrix& GetColorMatrix() const { return m_matrix; }

private:
    TGPColorMatrix m_matrix;
};
