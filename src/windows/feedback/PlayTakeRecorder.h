#pragma once
// A take during Play in the main window: when the sound device records an input (an input device
// was chosen in Setup), Play Pattern and Play Song record it with the playback, each step marked
// where the mixer placed it; once the playback has ended and its last notes have rung out, the
// take is analysed and shown in the feedback view (and stored in the practice history). Without
// an input nothing happens.

#include "feedback/LiveTake.h"

#include <QObject>
#include <QTimer>

#include <chrono>
#include <vector>

namespace tamboro {

class PlaybackState;
class SoundDevice;
class TakeFeedbackCommand;

class PlayTakeRecorder : public QObject {
    Q_OBJECT
public:
    // How long after Play the first step of a recorded take comes.
    static constexpr std::chrono::milliseconds kLeadIn{150};

    PlayTakeRecorder(SoundDevice& device, PlaybackState& playback, TakeFeedbackCommand& command,
                     QObject* parent);

    // Call before Play Pattern or Play Song starts the playback: a take in progress ends (and is
    // analysed) and a new one begins.
    void playStarting();
    // A take is being recorded (from Play until the playback has rung out).
    bool recording() const { return recording_; }

signals:
    // A take ended and was handed to the feedback view for analysis.
    void takeEnded();

private:
    void stepMarked(std::uint32_t id);
    void finish();

    SoundDevice& device_;
    PlaybackState& playback_;
    TakeFeedbackCommand& command_;
    bool recording_ = false;
    double tempoBpm_ = 0;
    std::vector<MarkedStep> steps_;
    QTimer watch_;   // polls for the end of the playback
    QTimer ringOut_; // then waits for its last notes
};

} // namespace tamboro
