#include "app/MainWindowShape.h"

namespace tamboro {

std::array<PixelPoint, 16> mainWindowOutline(int bottomY) {
    return {{{128, 0},
             {412, 0},
             {540, 80},
             {540, 90},
             {520, 90},
             {520, 410},
             {540, 410},
             {540, 420},
             {412, bottomY},
             {128, bottomY},
             {0, 420},
             {0, 410},
             {20, 410},
             {20, 90},
             {0, 90},
             {0, 80}}};
}

PixelRect pictureButtonCircle() {
    return {5, 5, 28, 28};
}

PixelRect knobCircle(int width) {
    return {0, 0, width, width};
}

} // namespace tamboro
