#include "imaging/RasterOperation.h"

namespace RasterOperation
{

std::optional<QPainter::CompositionMode> compositionFor(quint32 rop)
{
    switch (rop) {
    case SRCCOPY:
        return QPainter::CompositionMode_Source;
    case SRCPAINT:
        return QPainter::RasterOp_SourceOrDestination;
    case SRCAND:
        return QPainter::RasterOp_SourceAndDestination;
    case SRCINVERT:
        return QPainter::RasterOp_SourceXorDestination;
    case NOTSRCCOPY:
        return QPainter::RasterOp_NotSource;
    case SRCERASE:
        return QPainter::RasterOp_SourceAndNotDestination;
    case NOTSRCERASE:
        return QPainter::RasterOp_NotSourceAndNotDestination;
    default:
        return std::nullopt;
    }
}

} // namespace RasterOperation
