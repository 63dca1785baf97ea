#include "app/PictureScale.h"

#include <cstdint>
#include <cstdlib>

int PictureScaleFor(int dpi)
{
    // Distances compared in dpi x 100 against scale x 96, exactly. Halfway
    // between two sets the larger one serves: shrinking a drawing keeps more of
    // it than enlarging one.
    int best = kPictureScales[0];
    for (const int scale : kPictureScales) {
        const std::int64_t distance = std::llabs(std::int64_t{dpi} * 100 - std::int64_t{scale} * kDesignDpi);
        const std::int64_t bestDistance = std::llabs(std::int64_t{dpi} * 100 - std::int64_t{best} * kDesignDpi);
        if (distance <= bestDistance)
            best = scale;
    }
    return best;
}
