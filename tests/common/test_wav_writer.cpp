// The shared WAV writer: both layouts byte for byte, the streamed file equal to the image, and the
// refusals (data of another size than declared, sizes past the RIFF size field).

#include "common/Error.h"
#include "common/Files.h"
#include "common/WavWriter.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <vector>

namespace tamboro {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(WavWriter, LayoutsByteForByte) {
    const Bytes format = {0xA1, 0xA2, 0xA3}; // any record is written as it stands
    const Bytes data = {0xD1, 0xD2};
    // "RIFF" size "WAVE" "fmt " 3 <3 bytes> "data" 2 <2 bytes>
    const Bytes standard = {'R',  'I', 'F', 'F', 25,  0, 0, 0, 'W', 'A',  'V',
                            'E',  'f', 'm', 't', ' ', 3, 0, 0, 0,   0xA1, 0xA2,
                            0xA3, 'd', 'a', 't', 'a', 2, 0, 0, 0,   0xD1, 0xD2};
    Bytes kit = standard;
    kit[4] = 3 + 2 + 31;
    kit.push_back(0);
    EXPECT_EQ(wavImage(format, data, WavLayout::Standard), standard);
    EXPECT_EQ(wavImage(format, data, WavLayout::KitBlock), kit);
    EXPECT_EQ(wavImage(format, data, WavLayout::KitBlock).size(), format.size() + data.size() + 29);

    const Bytes header = wavHeader(pcmFormatRecord(2, 44100, 16), 400, WavLayout::Standard);
    const Bytes expected = {'R', 'I', 'F', 'F', 0xB4, 1, 0,   0,   'W', 'A',  'V',  'E', 'f', 'm',  't',
                            ' ', 16,  0,   0,   0,    1, 0,   2,   0,   0x44, 0xAC, 0,   0,   0x10, 0xB1,
                            2,   0,   4,   0,   16,   0, 'd', 'a', 't', 'a',  0x90, 1,   0,   0};
    EXPECT_EQ(header, expected);
}

TEST(WavWriter, StreamedFilesEqualTheirImages) {
    test::TempDir dir;
    const Bytes format = pcmFormatRecord(1, 8000, 8);
    Bytes data(3000);
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<std::uint8_t>(i * 7);
    for (const WavLayout layout : {WavLayout::Standard, WavLayout::KitBlock}) {
        const auto path = dir.path / "out.wav";
        WavFileWriter out(path, format, data.size(), layout);
        for (std::size_t at = 0; at < data.size(); at += 1000)
            out.write(std::span(data).subspan(at, 1000));
        out.commit();
        EXPECT_EQ(readFileBytes(path), wavImage(format, data, layout));
        writeWavFile(path, format, data, layout);
        EXPECT_EQ(readFileBytes(path), wavImage(format, data, layout));
    }
}

TEST(WavWriter, Refusals) {
    test::TempDir dir;
    const auto path = dir.path / "short.wav";
    writeFileAtomically(path, std::string("old"));
    {
        WavFileWriter out(path, pcmFormatRecord(1, 8000, 8), 10, WavLayout::Standard);
        out.write(Bytes(9, 1));
        EXPECT_THROW(out.commit(), Error);
    }
    EXPECT_EQ(readFileBytes(path), Bytes({'o', 'l', 'd'}));

    const Bytes format(16);
    EXPECT_NO_THROW(wavHeader(format, 0xFFFFFFFFull - 36, WavLayout::Standard));
    EXPECT_THROW(wavHeader(format, 0xFFFFFFFFull - 35, WavLayout::Standard), Error);
    EXPECT_NO_THROW(wavHeader(format, 0xFFFFFFFFull - 47, WavLayout::KitBlock));
    EXPECT_THROW(wavHeader(format, 0xFFFFFFFFull - 46, WavLayout::KitBlock), Error);
}

} // namespace
} // namespace tamboro
