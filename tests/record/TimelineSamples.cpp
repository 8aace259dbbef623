// Writes the sample timelines as SVG files into the folder given, for the checks that need
// programs outside the test binary: an XML parser and an SVG renderer.
#include <filesystem>
#include <fstream>
#include <iostream>

#include "core/record/SampleTimelines.h"
#include "record/TimelineSvg.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: timeline_samples FOLDER\n";
        return 64;
    }
    using namespace quendrix::record;
    const std::filesystem::path folder(argv[1]);
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "short.svg", std::ios::binary)
        << renderTimelineSvg(testing::shortTimeline(), "Short run <8 rows> & pauses");
    std::ofstream(folder / "long.svg", std::ios::binary)
        << renderTimelineSvg(testing::longTimeline(), "Ten hours, a row a second");
    return std::ofstream(folder / "done").good() ? 0 : 1;
}
