// tamboro-cli calibrate through the null device's loopback: the round trip it reports is the delay
// given, to the frame; bad options are refused naming the option.
#include "cli/CliRunner.h"

#include <gtest/gtest.h>

TEST(CliCalibrate, ReportsTheLoopbackDelay) {
    auto r = tamboro::test::runCli({"calibrate", "--audio", "null", "--null-input-delay", "441"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "input latency 10.0 ms (441 frames at 44100 Hz, match 1.00)\n");
    r = tamboro::test::runCli({"calibrate", "--audio", "null", "--null-input-delay", "50000"});
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.err.find("--null-input-delay"), std::string::npos) << r.err;
}
