#pragma once
// What the main window's takes are analysed against: the Play List in the program folder, the
// song's name (or the one pattern's), the practice settings and the input's round trip stored by
// Setup > Calibrate input latency, which every note's offset leaves out.

#include "song/PracticeFile.h"
#include "windows/feedback/TakeFeedbackCommand.h"
#include "windows/main/MainWindowParts.h"

namespace tamboro {

TakeSource windowTakeSource(const MainWindowParts& parts, const PracticeSettings& practice);

} // namespace tamboro
