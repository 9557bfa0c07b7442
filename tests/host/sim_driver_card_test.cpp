// The simulated driver's card description files.
#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>

#include "sim/driver/SimCard.h"

using namespace simdriver;

namespace {

uint32_t LevelDefault(const SimGpu& gpu, uint32_t level, uint32_t code) {
    for (const SimDomain& d : gpu.levels.at(level))
        if (d.code == code) return d.defaultKhz;
    return 0;
}

}  // namespace

TEST(SimDriverCard, DefaultCard) {
    size_t ignored = 99;
    const SimCard card = ParseCard("", &ignored);
    EXPECT_EQ(ignored, 0u);
    ASSERT_EQ(card.gpus.size(), 1u);
    const SimGpu& gpu = card.gpus[0];
    EXPECT_EQ(gpu.vendor, 0x10DE);
    EXPECT_EQ(gpu.device, 0x06C0);
    EXPECT_EQ(gpu.levels.size(), 3u);
    EXPECT_EQ(LevelDefault(gpu, 3, 0), 700000u);
    EXPECT_EQ(LevelDefault(gpu, 3, 4), 1000000u);
    EXPECT_EQ(LevelDefault(gpu, 3, 7), 1400000u);
    EXPECT_EQ(gpu.memoryType, 3u);
    EXPECT_EQ(card.driverVersion, 18250u);
    ASSERT_EQ(gpu.coolers.size(), 1u);
    EXPECT_EQ(gpu.coolers[0].level, 40u);
    EXPECT_NE(gpu.coolers[0].policy, 1u);
    EXPECT_EQ(SimTemperature(gpu), 55);
}

TEST(SimDriverCard, ReadmeExampleParsesCompletely) {
    const std::string path = OSKARA_SOURCE_DIR "/sim/driver/README.md";
    std::ifstream readme(path);
    ASSERT_TRUE(readme) << path;
    std::stringstream text;
    text << readme.rdbuf();
    const std::string all = text.str();
    const size_t heading = all.find("### Example: a two-GPU card");
    ASSERT_NE(heading, std::string::npos);
    const size_t start = all.find("```\n", heading) + 4;
    const std::string example = all.substr(start, all.find("```", start) - start);

    size_t ignored = 99;
    const SimCard card = ParseCard(example, &ignored);
    EXPECT_EQ(ignored, 0u);
    ASSERT_EQ(card.gpus.size(), 2u);
    EXPECT_EQ(card.groups, (std::vector<std::vector<uint32_t>>{{0, 1}}));
    EXPECT_EQ(SimTemperature(card.gpus[0]), 61);
    EXPECT_EQ(SimTemperature(card.gpus[1]), 67);
    EXPECT_EQ(card.gpus[1].memoryType, 8u);
    EXPECT_EQ(LevelDefault(card.gpus[1], 3, 4), 2000000u);
    EXPECT_EQ(card.gpus[1].coolers[0].level, 35u);
    EXPECT_EQ(card.gpus[0].coolers[0].level, 40u);
}

TEST(SimDriverCard, SectionsAndOrder) {
    const SimCard card = ParseCard(
        "temp 50\n"
        "gpu 1\n"
        "temp 70   # only GPU 1\n"
        "level 3 0:800000\n"
        "fail QueryMemoryType -3\n"
        "gpu 9\n"
        "temp 10\n"       // no GPU 9: changes nothing
        "gpu all\n"
        "pci 10de 0x0a20\n"
        "gpus 3\n");      // the count applies wherever it stands
    ASSERT_EQ(card.gpus.size(), 3u);
    EXPECT_EQ(card.gpus[0].idleCelsius, 50);
    EXPECT_EQ(card.gpus[1].idleCelsius, 70);
    EXPECT_EQ(card.gpus[2].idleCelsius, 50);
    EXPECT_EQ(card.gpus[1].levels.size(), 1u);  // its first level line dropped the defaults
    EXPECT_EQ(card.gpus[0].levels.size(), 3u);
    EXPECT_EQ(card.gpus[1].failures.count("QueryMemoryType"), 1u);
    EXPECT_TRUE(card.failures.empty());
    for (const SimGpu& gpu : card.gpus) EXPECT_EQ(gpu.device, 0x0A20);
}

TEST(SimDriverCard, LevelsCoolersAndCardKeys) {
    const SimCard card = ParseCard(
        "level 3 0:700000:720000 4:1000000 7:0:1300000\n"
        "level 2 0:400000\n"
        "level 3 0:710000\n"  // replaces level 3
        "coolers 3\n"
        "cooler 2 55 32 1\n"
        "driver unreadable\n"
        "memtype unreadable\n"
        "withhold QueryClockSnapshot 0x0BE17923\n"
        "fail NvAPI_Initialize -1\n"
        "clocktest 1.1\n");
    const SimGpu& gpu = card.gpus[0];
    ASSERT_EQ(gpu.levels.size(), 2u);
    EXPECT_EQ(gpu.levels.at(3).size(), 1u);
    EXPECT_EQ(gpu.levels.at(3)[0].defaultKhz, 710000u);
    ASSERT_EQ(gpu.coolers.size(), 3u);
    EXPECT_EQ(gpu.coolers[2].level, 55u);
    EXPECT_EQ(gpu.coolers[2].defaultPolicy, 32u);
    EXPECT_EQ(gpu.coolers[2].policy, 1u);
    EXPECT_FALSE(card.driverVersionReadable);
    EXPECT_FALSE(gpu.memoryTypeReadable);
    EXPECT_EQ(card.withheld, (std::set<uint32_t>{0x1BD69F49, 0x0BE17923}));
    EXPECT_EQ(card.failures.at("NvAPI_Initialize"), -1);
    EXPECT_DOUBLE_EQ(card.clockTestFactor, 1.1);
}

TEST(SimDriverCard, MalformedLinesAreIgnored) {
    const char* bad[] = {
        "gpus -1", "gpus 129", "gpus two", "gpu", "pci ZZZZ 1", "pci 10000 1", "pci 10DE",
        "level", "level x 0:1", "level 3 0", "level 3 0:1:2:3", "level 3 0:-1",
        "cooler 5 40 2", "cooler 0 101 2", "coolers 21", "memtype -3", "driver 1.5",
        "fail Nothing -1", "fail QueryMemoryType 0", "fail QueryMemoryType x",
        "withhold 12", "withhold", "clocktest 0.5", "clocktest nan", "temp inf",
        "thermal 1", "sensors 4", "group 0 256", "unknown 1 2", "\x01\xff\x7f garbage",
        "clocktest limits 800 1100", "clocktest together 800 -1 1500", "clocktest limits 5000000 1 1",
        "clocktest flips 1.5 3", "clocktest flips 0.5", "clocktest crash x", "clocktest delay 60001"};
    for (const char* line : bad) {
        SCOPED_TRACE(line);
        size_t ignored = 0;
        const SimCard card = ParseCard(std::string(line) + "\ntemp 42\n", &ignored);
        EXPECT_EQ(ignored, 1u);
        ASSERT_EQ(card.gpus.size(), 1u);
        EXPECT_EQ(card.gpus[0].idleCelsius, 42);
        EXPECT_EQ(card.gpus[0].levels.size(), 3u);
        EXPECT_EQ(card.gpus[0].coolers.size(), 1u);
    }
}

TEST(SimDriverCard, RandomTextNeverCrashes) {
    std::mt19937 random(7);
    const std::string words[] = {"gpus", "gpu", "level", "cooler", "coolers", "group", "fail",
                                 "withhold", "temp", "pci", "0", "1", "200", "-1", "0:1",
                                 "3:4:5", "all", "\n", "#", "1e308", "0x", ":", "NvAPI_Initialize"};
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        const int length = random() % 60;
        for (int i = 0; i < length; ++i) {
            if (random() % 5 == 0)
                text += static_cast<char>(random() % 256);
            else
                text += words[random() % (sizeof words / sizeof words[0])] + " ";
        }
        const SimCard card = ParseCard(text);
        EXPECT_LE(card.gpus.size(), kMaxSimGpus);
        for (const SimGpu& gpu : card.gpus) {
            EXPECT_LE(gpu.coolers.size(), kMaxSimCoolers);
            for (const auto& level : gpu.levels) EXPECT_LE(level.second.size(), kMaxSimDomains);
        }
    }
}

TEST(SimDriverCard, ThermalModelAndClockTestRule) {
    SimGpu gpu = ParseCard("level 3 0:1000000 4:1000000\ntemp 50\nthermal 0.5 0.25").gpus[0];
    EXPECT_EQ(SimTemperature(gpu), 50);
    gpu.levels[3][0].currentKhz = 1100000;  // core 10 % above default
    EXPECT_EQ(SimTemperature(gpu), 55);
    gpu.levels[3][1].currentKhz = 900000;   // below default neither heats nor cools
    EXPECT_EQ(SimTemperature(gpu), 55);
    gpu.coolers[0].level = 60;               // 20 points above automatic
    EXPECT_EQ(SimTemperature(gpu), 50);

    EXPECT_TRUE(WithinClockTestFactor(1250000, 1000000, 1.25));
    EXPECT_FALSE(WithinClockTestFactor(1250001, 1000000, 1.25));
    EXPECT_TRUE(WithinClockTestFactor(800000, 1000000, 1.25));
    EXPECT_FALSE(WithinClockTestFactor(799999, 1000000, 1.25));
}
