#include "controls/AboutWindowShape.h"

namespace tamboro {

std::array<PixelPoint, 16> aboutWindowOutline() {
    return {{{64, 23},
             {208, 23},
             {274, 64},
             {274, 43},
             {274, 43},
             {274, 205},
             {274, 205},
             {274, 213},
             {206, 253},
             {64, 253},
             {4, 212},
             {4, 212},
             {4, 212},
             {4, 64},
             {4, 64},
             {64, 24}}};
}

} // namespace tamboro
