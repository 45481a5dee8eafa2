#include "controls/AboutScroller.h"
#include "controls/AboutWindowShape.h"
#include "controls/Tips.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace tamboro {
namespace {

TEST(AboutScroller, EntersFromTheRightAndStartsOverWithBlanks) {
    AboutScroller scroller("Hello drummers.");
    const std::string blanks(40, ' ');
    EXPECT_EQ(scroller.tick(), blanks);
    EXPECT_EQ(scroller.position(), 2);
    EXPECT_EQ(scroller.tick(), std::string(39, ' ') + "H");
    // Padded length 95: positions run 1..54, then start over.
    int ticks = 2;
    std::string last;
    while (scroller.position() != 1) {
        last = scroller.tick();
        ++ticks;
        ASSERT_EQ(last.size(), 40u);
    }
    EXPECT_EQ(ticks, 54);
    EXPECT_EQ(last, "s." + std::string(38, ' '));
    EXPECT_EQ(scroller.tick(), blanks);
}

TEST(AboutScroller, DefaultLineCarriesTheDescription) {
    AboutScroller scroller;
    EXPECT_NE(scroller.paddedText().find("Tamboro is a percussion sequencer for practicing guitar, bass, and "
                                         "keyboards with the sound quality of a recording studio."),
              std::string::npos);
    EXPECT_EQ(scroller.paddedText().substr(0, 40), std::string(40, ' '));
}

TEST(AboutWindowShape, OutlineKeepsTheMiddleAndCutsTheCorners) {
    const auto outline = aboutWindowOutline();
    EXPECT_TRUE(insideByAlternateRule(outline, 140, 130));
    EXPECT_TRUE(insideByAlternateRule(outline, 112.5, 210.5)); // the OK button
    EXPECT_FALSE(insideByAlternateRule(outline, 2, 2));        // former title bar
    EXPECT_FALSE(insideByAlternateRule(outline, 278, 250));
}

TEST(Tips, TwentyThreeNumberedTips) {
    const auto& tips = tipTexts();
    ASSERT_EQ(tips.size(), 23u);
    std::set<std::string> unique;
    for (std::size_t i = 0; i < tips.size(); ++i) {
        EXPECT_EQ(tips[i].rfind("Tip " + std::to_string(i + 1) + ": ", 0), 0u) << tips[i];
        unique.insert(tips[i]);
    }
    EXPECT_EQ(unique.size(), 23u);
    EXPECT_EQ(tips[3],
              "Tip 4: Add dynamics to your pattern by using the Numerical keys to enter the kit item. "
              "9=Quiet and 1=Loud.");
    EXPECT_EQ(&tipForDraw(23 + 16), &tips[16]);
}

} // namespace
} // namespace tamboro
