#include "controls/Tips.h"

namespace tamboro {

const std::vector<std::string>& tipTexts() {
    static const std::vector<std::string> tips = {
        "Tip 1: Choose another drum kit with Setup, Drum Kit Library. Pans and volumes carry over to "
        "the new kit by position.",
        "Tip 2: Setup, Cell Jump sets how many rows the cursor moves after you type a level digit, so "
        "you can enter a hi-hat line without touching the mouse.",
        "Tip 3: Click an instrument in the Kit List, then click a grid cell to place it. Click the same "
        "cell again to take it out.",
        "Tip 4: Add dynamics to your pattern by using the Numerical keys to enter the kit item. "
        "9=Quiet and 1=Loud.",
        "Tip 5: A drummer who keeps perfect time and never asks for a lift home. You are using it.",
        "Tip 6: Select a block of cells with the mouse and press Delete to empty all of them at once.",
        "Tip 7: The ON buttons above the grid switch a channel off and on while the pattern plays. "
        "Great for hearing what the hats are really doing.",
        "Tip 8: Make your own kits from your WAV files with View, Kit Maker.",
        "Tip 9: Pick an instrument in the Kit List and turn the small pan knob to place it left or "
        "right in the stereo picture. The pans are kept for the next start.",
        "Tip 10: How do you know a drummer is at the door? The knocking speeds up. Tamboro's never does.",
        "Tip 11: The sample editor can shift an extra sample up or down by semitones. Tune a tom to the "
        "key of your song.",
        "Tip 12: Need a pattern twice as long? Double the length in Time/Bar, copy the steps and double "
        "the tempo to keep the feel.",
        "Tip 13: Use the up and down arrows beside the Play List to move the selected pattern and put "
        "your song in order.",
        "Tip 14: Click the Pattern Library or the Play List with the right mouse button to enlarge it; "
        "click again to bring it back.",
        "Tip 15: The metronome was invented so drummers would have someone to argue with.",
        "Tip 16: Right-click a placed instrument to step its level: it cycles from loud to quiet.",
        "Tip 17: Use the SG button to temporarilly set all patterns in the play list to the current "
        "speed.",
        "Tip 18: Tick Setup, Include MP3 option when render to get an MP3 copy of every song you render "
        "to wave.",
        "Tip 19: Setup, Acidize Loop cuts a rendered song into a seamless loop for your audio editor.",
        "Tip 20: What does a drum machine have that a drummer does not? An off switch. Use it wisely.",
        "Tip 21: Tick patterns in the Play List and press the bin below it to delete all the ticked "
        "entries at once.",
        "Tip 22: Type a Time/Bar such as 12/3 and press the button beside it for a pattern of 12 steps "
        "with 3 steps to a beat: shuffles and waltzes made easy.",
        "Tip 23: Changed a pattern? Save it with the disk button before loading another one, or Tamboro "
        "will ask you first.",
    };
    return tips;
}

const std::string& tipForDraw(std::size_t draw) {
    const auto& tips = tipTexts();
    return tips[draw % tips.size()];
}

} // namespace tamboro
