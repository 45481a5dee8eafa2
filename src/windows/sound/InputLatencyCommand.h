#pragma once
// Setup > Calibrate input latency: shows the dialog over `parent` with the stored input settings and
// stores what the user accepts. Calibration runs through the system input chosen, or, when the
// program runs on the null device, through the null device's loopback (its own output heard back).

class QWidget;

namespace tamboro {

void showInputLatencyDialog(QWidget* parent, bool nullAudio);

} // namespace tamboro
