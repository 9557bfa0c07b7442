// The clock test behind the hidden zone at the bottom of the window: where a click starts it, what
// the driver is asked to test, the three answers, and sliders left as tested while it runs.
#include "res/resource.h"
#include "tests/win/support/MainDialogFixture.h"

namespace {

using MainDialogClockTest = MainDialogFixture;

const wchar_t* const kPassed = L"Clock Test completed successfully.";
const wchar_t* const kFailed = L"Clock Test failed.";
const wchar_t* const kUnsupported = L"Clock Test not supported on this Platform/Device.";

HICON Information() { return LoadIconW(nullptr, IDI_INFORMATION); }
HICON Exclamation() { return LoadIconW(nullptr, IDI_EXCLAMATION); }

// Memory whose driver figure is twice the real clock, shown four times the real clock; the card
// runs above its default memory clock.
constexpr const char* kType8Card =
    "pci 10DE 05E2\nmemtype 8\n"
    "level 1 0:300000 4:300000 7:600000\nlevel 2 0:400000 4:600000 7:800000\n"
    "level 3 0:576000 4:2000000:2400000 7:1242000\n";

TEST_F(MainDialogClockTest, OnlyAClickInsideTheZoneStartsIt) {
    Open("pci 10DE 0402\n");
    const size_t mark = journal.Mark();
    {
        MessageBoxCloser closer(dlg->m_hWnd);
        for (POINT outside : {POINT{300, 258}, POINT{360, 259}, POINT{269, 259}, POINT{300, 283}}) {
            SCOPED_TRACE(testing::Message() << outside.x << "," << outside.y);
            Click(outside.x, outside.y);
            EXPECT_TRUE(TakeDragAt(outside.x, outside.y));
        }
        EXPECT_TRUE(closer.Seen().empty());
        EXPECT_TRUE(journal.ClockTests(mark).empty());

        SetWindowPos(dlg->m_hWnd, nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);  // off the screen's middle
        Click(300, 259);
        // No drag: the button is up once the box closes, and the window would follow the mouse.
        EXPECT_FALSE(TakeDragAt(300, 259));
        ASSERT_EQ(closer.Seen().size(), 1u);
        EXPECT_EQ(closer.Seen()[0].text, kPassed);
        EXPECT_EQ(closer.Seen()[0].owner, dlg->m_hWnd);
        RECT window, box = closer.Seen()[0].place;
        GetWindowRect(dlg->m_hWnd, &window);
        EXPECT_NEAR(box.left + box.right, window.left + window.right, 2);
        EXPECT_NEAR(box.top + box.bottom, window.top + window.bottom, 2);
        EXPECT_EQ(journal.ClockTests(mark).size(), 1u);

        Click(270, 282);  // the inclusive corner
        EXPECT_FALSE(TakeDragAt(270, 282));
        EXPECT_EQ(closer.Seen().size(), 2u);
    }
    EXPECT_EQ(Fields(journal.ClockTests(mark), {"level", "core_khz", "memory_khz", "shader_khz"}),
              (CallRows{{3, 700000, 1000000, 1400000}, {3, 700000, 1000000, 1400000}}));
    EXPECT_TRUE(journal.ClockWrites(mark).empty());
}

TEST_F(MainDialogClockTest, TestsTheRealMemoryClockAndLeavesTheTestedSlidersWhileItRuns) {
    Open(kType8Card);
    Slide(IDC_MEMORY_SLIDER, 4400);
    size_t mark = journal.Mark();
    {
        MessageBoxCloser closer(dlg->m_hWnd);
        Click(300, 259);
        TakeDragAt(300, 259);
        ASSERT_EQ(closer.Seen().size(), 1u);
        EXPECT_EQ(closer.Seen()[0].text, kPassed);
        EXPECT_EQ(closer.Seen()[0].icon, Information());
    }
    auto tests = journal.ClockTests(mark);
    ASSERT_EQ(tests.size(), 1u);
    EXPECT_EQ(tests[0].Number("memory_khz"), 2200000);  // 4400 shown is 1100 MHz
    EXPECT_EQ(tests[0].Number("core_khz"), 576000);
    EXPECT_EQ(tests[0].Text("passed"), "true");

    // Beyond 1.25 x the default core clock the driver fails the test.
    Slide(IDC_CORE_SLIDER, 740);
    mark = journal.Mark();
    int coreWhileOpen = 0, memoryWhileOpen = 0;
    {
        MessageBoxCloser closer(dlg->m_hWnd, [&] {
            Send(WM_ACTIVATE, WA_ACTIVE);
            coreWhileOpen = Pos(IDC_CORE_SLIDER);
            memoryWhileOpen = Pos(IDC_MEMORY_SLIDER);
        });
        Click(300, 259);
        TakeDragAt(300, 259);
        ASSERT_EQ(closer.Seen().size(), 1u);
        EXPECT_EQ(closer.Seen()[0].text, kFailed);
        EXPECT_EQ(closer.Seen()[0].icon, Exclamation());
    }
    tests = journal.ClockTests(mark);
    ASSERT_EQ(tests.size(), 1u);
    EXPECT_EQ(tests[0].Number("core_khz"), 740000);
    EXPECT_EQ(tests[0].Text("passed"), "false");
    EXPECT_EQ(coreWhileOpen, 740);
    EXPECT_EQ(memoryWhileOpen, 4400);
    EXPECT_EQ(Pos(IDC_CORE_SLIDER), 740);

    // Nothing was applied or remembered: once the test is over, activation shows the card again.
    EXPECT_TRUE(journal.ClockWrites().empty());
    EXPECT_EQ(Setting(Settings::LastMem), 0u);
    Send(WM_ACTIVATE, WA_ACTIVE);
    EXPECT_EQ(Pos(IDC_CORE_SLIDER), 576);
    EXPECT_EQ(Pos(IDC_MEMORY_SLIDER), 4800);
}

TEST_F(MainDialogClockTest, ADriverWithoutTheTestSaysSoAndLeavesTheSliders) {
    Open("pci 10DE 0402\nclocktest unsupported\n");
    Slide(IDC_CORE_SLIDER, 720);
    {
        MessageBoxCloser closer(dlg->m_hWnd);
        Click(300, 259);
        TakeDragAt(300, 259);
        ASSERT_EQ(closer.Seen().size(), 1u);
        EXPECT_EQ(closer.Seen()[0].text, kUnsupported);
        EXPECT_EQ(closer.Seen()[0].icon, Information());
    }
    EXPECT_EQ(Pos(IDC_CORE_SLIDER), 720);
    EXPECT_EQ(Text(IDC_CORE_VALUE), L"720 MHz");
}

}  // namespace
