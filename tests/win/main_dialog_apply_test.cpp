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
    size_t mark = MarkThenCommand(IDC_APPLY);

    EXPECT_EQ(Fields(journal.ClockWrites(mark), {"gpu", "level", "core_khz", "memory_khz", "shader_khz"}),
              (CallRows{{0, 3, 760000, 1000000, 1500000}, {1, 3, 760000, 1000000, 1500000}}));
    EXPECT_EQ(Fields(journal.Calls("ApplyCoolerLevels", mark), {"gpu", "policy"}), (CallRows{{0, 2}, {1, 3}}));
    EXPECT_EQ(LastValues(), (std::array<uint32_t, 4>{760, 1000, 1500, 110}));
    EXPECT_EQ(Pos(IDC_FAN_SLIDER), 110);
    EXPECT_EQ(Text(IDC_FAN_VALUE), L"Auto");

    Slide(IDC_FAN_SLIDER, 100);
    mark = MarkThenCommand(IDC_APPLY);
    EXPECT_EQ(Fields(journal.Calls("ApplyCoolerLevels", mark), {"gpu", "policy", "level"}),
              (CallRows{{0, 1, 100}, {1, 1, 100}}));
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
    const size_t mark = MarkThenCommand(IDC_APPLY);
    EXPECT_EQ(Fields(journal.ClockWrites(mark), {"memory_khz", "core_khz"}), (CallRows{{2000000, 576000}}));
    EXPECT_EQ(Setting(Settings::LastMem), 1000u);
    EXPECT_EQ(Pos(IDC_MEMORY_SLIDER), 4000);
}

TEST_F(MainDialogApply, AnUnevenMemoryPositionIsSentWithItsHalfMegahertzAndStoredTruncated) {
    Open("pci 10DE 0402\n");  // memory type 3, 1000 MHz
    EXPECT_EQ(RangeMin(IDC_MEMORY_SLIDER), 1000);
    EXPECT_EQ(RangeMax(IDC_MEMORY_SLIDER), 2660);
    Slide(IDC_MEMORY_SLIDER, 2001);
    const size_t mark = MarkThenCommand(IDC_APPLY);
    EXPECT_EQ(Fields(journal.ClockWrites(mark), {"memory_khz"}), (CallRows{{1000500}}));
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

    const size_t mark = MarkThenCommand(IDC_RESET);
    EXPECT_EQ(Fields(journal.ClockWrites(mark), {"gpu", "core_khz", "memory_khz", "shader_khz"}),
              (CallRows{{0, 700000, 1000000, 1400000}, {1, 650000, 900000, 1300000}}));
    EXPECT_EQ(Fields(journal.Calls("ApplyCoolerLevels", mark), {"policy"}), (CallRows{{2}, {3}}));

    EXPECT_EQ(Pos(IDC_FAN_SLIDER), 110);
    EXPECT_EQ(Text(IDC_FAN_VALUE), L"Auto");
    EXPECT_EQ(LastValues(), (std::array<uint32_t, 4>{760, 1100, 1500, 60}));
}

}  // namespace
