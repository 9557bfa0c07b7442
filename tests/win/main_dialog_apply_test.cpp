// Apply and Reset through the dialog's own commands: what every GPU of the card receives, and what
// is remembered for the next start.
#include "res/resource.h"
#include "tests/win/support/MainDialogFixture.h"

namespace {

using MainDialogApply = MainDialogFixture;

// Two linked GPUs whose coolers fall back to different automatic policies; GPU 1 starts fixed.
constexpr const char* kTwoGpuCard =
    "gpus 2\ngroup 0 1\npci 10DE 0402\n"
    "gpu 0\ncooler 0 40 2\n"
    "gpu 1\ncooler 0 50 3 1\n";

TEST_F(MainDialogApply, FanAt110IsAutomaticAndAt100IsAFixedFullFanOnEveryGpu) {
    Open(kTwoGpuCard);
    Slide(IDC_CORE_SLIDER, 760);
    Slide(IDC_SHADER_SLIDER, 1500);
    Slide(IDC_FAN_SLIDER, 110);
    size_t mark = journal.Mark();
    Command(IDC_APPLY);

    const auto clocks = journal.ClockWrites(mark);
    ASSERT_EQ(clocks.size(), 2u);
    for (int gpu = 0; gpu < 2; ++gpu) {
        SCOPED_TRACE(gpu);
        EXPECT_EQ(clocks[gpu].Number("gpu"), gpu);
        EXPECT_EQ(clocks[gpu].Number("level"), 3);
        EXPECT_EQ(clocks[gpu].Clocks(), (ClockKhz{760000, 1000000, 1500000}));
    }
    auto fans = journal.Calls("ApplyCoolerLevels", mark);
    ASSERT_EQ(fans.size(), 2u);
    EXPECT_EQ(fans[0].Number("gpu"), 0);
    EXPECT_EQ(fans[0].Number("policy"), 2);
    EXPECT_EQ(fans[1].Number("gpu"), 1);
    EXPECT_EQ(fans[1].Number("policy"), 3);
    EXPECT_EQ(LastValues(), (std::array<uint32_t, 4>{760, 1000, 1500, 110}));
    EXPECT_EQ(Pos(IDC_FAN_SLIDER), 110);
    EXPECT_EQ(Text(IDC_FAN_VALUE), L"Auto");

    Slide(IDC_FAN_SLIDER, 100);
    mark = journal.Mark();
    Command(IDC_APPLY);
    fans = journal.Calls("ApplyCoolerLevels", mark);
    ASSERT_EQ(fans.size(), 2u);
    for (int gpu = 0; gpu < 2; ++gpu) {
        SCOPED_TRACE(gpu);
        EXPECT_EQ(fans[gpu].Number("gpu"), gpu);
        EXPECT_EQ(fans[gpu].Number("policy"), 1);
        EXPECT_EQ(fans[gpu].Number("level"), 100);
    }
    EXPECT_EQ(Setting(Settings::LastFan), 100u);
    EXPECT_EQ(Pos(IDC_FAN_SLIDER), 100);
    EXPECT_EQ(Text(IDC_FAN_VALUE), L"100 %");
}

TEST_F(MainDialogApply, FourTimesMemoryIsShownAndAQuarterOfTheSliderIsSentAndStored) {
    // Memory whose driver figure is twice the real clock; the card runs above its default.
    Open("pci 10DE 05E2\nmemtype 8\n"
         "level 1 0:300000 4:300000 7:600000\nlevel 2 0:400000 4:600000 7:800000\n"
         "level 3 0:576000 4:2000000:2400000 7:1242000\n");
    EXPECT_EQ(SliderState(IDC_MEMORY_SLIDER), (std::array<int, 3>{2000, 5320, 4800}));
    EXPECT_EQ(Text(IDC_MEMORY_VALUE), L"4800 MHz");

    Slide(IDC_MEMORY_SLIDER, 4000);
    EXPECT_EQ(Text(IDC_MEMORY_VALUE), L"4000 MHz");
    const size_t mark = journal.Mark();
    Command(IDC_APPLY);
    const auto clocks = journal.ClockWrites(mark);
    ASSERT_EQ(clocks.size(), 1u);
    EXPECT_EQ(clocks[0].Number("memory_khz"), 2000000);
    EXPECT_EQ(clocks[0].Number("core_khz"), 576000);
    EXPECT_EQ(Setting(Settings::LastMem), 1000u);
    EXPECT_EQ(Pos(IDC_MEMORY_SLIDER), 4000);
}

TEST_F(MainDialogApply, AnUnevenMemoryPositionIsSentWithItsHalfMegahertzAndStoredTruncated) {
    Open("pci 10DE 0402\n");  // memory type 3, 1000 MHz
    EXPECT_EQ(RangeMin(IDC_MEMORY_SLIDER), 1000);
    EXPECT_EQ(RangeMax(IDC_MEMORY_SLIDER), 2660);
    Slide(IDC_MEMORY_SLIDER, 2001);
    const size_t mark = journal.Mark();
    Command(IDC_APPLY);
    const auto clocks = journal.ClockWrites(mark);
    ASSERT_EQ(clocks.size(), 1u);
    EXPECT_EQ(clocks[0].Number("memory_khz"), 1000500);
    EXPECT_EQ(Setting(Settings::LastMem), 1000u);
}

TEST_F(MainDialogApply, TheLastValuesAreWhatWasAskedNotWhatTheCardTook) {
    Open("pci 10DE 0402\nfail ApplyLevelClocks -1\nfail ApplyCoolerLevels -1\n");
    Slide(IDC_CORE_SLIDER, 760);
    Slide(IDC_MEMORY_SLIDER, 2200);
    Slide(IDC_SHADER_SLIDER, 1500);
    Slide(IDC_FAN_SLIDER, 60);
    Command(IDC_APPLY);
    // The refresh shows the card as it still runs...
    EXPECT_EQ(Pos(IDC_CORE_SLIDER), 700);
    EXPECT_EQ(Pos(IDC_MEMORY_SLIDER), 2000);
    EXPECT_EQ(Text(IDC_FAN_VALUE), L"Auto");
    // ...while the restore at the next start gets the overclock the user chose.
    EXPECT_EQ(LastValues(), (std::array<uint32_t, 4>{760, 1100, 1500, 60}));
}

TEST_F(MainDialogApply, ResetSendsEachGpuItsDefaultsAndAutomaticFanAndKeepsTheLastValues) {
    // GPU 1 has defaults of its own, so one GPU's defaults written to both would show.
    Open(std::string(kTwoGpuCard) +
         "gpu 1\nlevel 1 0:300000 4:100000 7:600000\nlevel 2 0:400000 4:500000 7:800000\n"
         "level 3 0:650000 4:900000 7:1300000\n");
    Slide(IDC_CORE_SLIDER, 760);
    Slide(IDC_MEMORY_SLIDER, 2200);
    Slide(IDC_SHADER_SLIDER, 1500);
    Slide(IDC_FAN_SLIDER, 60);
    Command(IDC_APPLY);
    ASSERT_EQ(Pos(IDC_FAN_SLIDER), 60);
    ASSERT_EQ(Pos(IDC_CORE_SLIDER), 760);

    const size_t mark = journal.Mark();
    Command(IDC_RESET);
    const auto clocks = journal.ClockWrites(mark);
    ASSERT_EQ(clocks.size(), 2u);
    EXPECT_EQ(clocks[0].Number("gpu"), 0);
    EXPECT_EQ(clocks[0].Clocks(), (ClockKhz{700000, 1000000, 1400000}));
    EXPECT_EQ(clocks[1].Number("gpu"), 1);
    EXPECT_EQ(clocks[1].Clocks(), (ClockKhz{650000, 900000, 1300000}));
    const auto fans = journal.Calls("ApplyCoolerLevels", mark);
    ASSERT_EQ(fans.size(), 2u);
    EXPECT_EQ(fans[0].Number("policy"), 2);
    EXPECT_EQ(fans[1].Number("policy"), 3);

    EXPECT_EQ(Pos(IDC_FAN_SLIDER), 110);
    EXPECT_EQ(Text(IDC_FAN_VALUE), L"Auto");
    EXPECT_EQ(LastValues(), (std::array<uint32_t, 4>{760, 1100, 1500, 60}));
}

}  // namespace
