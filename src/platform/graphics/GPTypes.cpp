#include "platform/graphics/GPTypes.h"

TGPColorMatrix IdentityColorMatrix()
{
    TGPColorMatrix matrix{};
    for (std::size_t i = 0; i < matrix.size(); ++i) {
        matrix[i][i] = 1.0f;
    }
    return matrix;
}
