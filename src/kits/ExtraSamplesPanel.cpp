#include "kits/ExtraSamplesPanel.h"

namespace tamboro {

namespace {
constexpr int kButtonPitch = 25;
constexpr int kGroupSize = 4;
constexpr int kGroupGap = 6;
} // namespace

int sampleButtonTop(int n) {
    const int index = n - 1;
    return index * kButtonPitch + (index / kGroupSize) * kGroupGap;
}

} // namespace tamboro
