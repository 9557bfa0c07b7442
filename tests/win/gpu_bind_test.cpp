// Binding to the driver library of the system folder, in this test's own Wine prefix, where the
// test runner installed the simulated driver.
#include <gtest/gtest.h>
#include <windows.h>

#include "gpu/GpuControl.h"
#include "tests/win/support/SimDriverFiles.h"
#include "tests/win/support/WinTestSupport.h"

using namespace SimDriverFiles;

namespace {

uint32_t BindStatus(const std::string& card) {
    UseCard(card);
    CGpuControl gpu;
    try {
        gpu.Bind();
        return 0;
    } catch (const DriverBindError& error) {
        return error.status;
    }
}

// A copy of a file that is removed again when the test ends, whatever happens.
struct CPlantedFile {
    std::wstring path;
    CPlantedFile(const std::wstring& from, const std::wstring& to) : path(to) {
        EXPECT_TRUE(CopyFileW(from.c_str(), to.c_str(), FALSE)) << GetLastError();
    }
    ~CPlantedFile() { DeleteFileW(path.c_str()); }
};

bool LoadedAnywhere() { return GetModuleHandleW(L"nvapi64.dll") != nullptr; }

}  // namespace

TEST(GpuBind, InstalledDriverBindsAndAnswers) {
    ASSERT_NE(GetFileAttributesW(InstalledPath().c_str()), INVALID_FILE_ATTRIBUTES);
    UseCard("gpus 2\ngroup 0 1\nthermal 0 0\ngpu 0\ntemp 61\ngpu 1\ntemp 67");
    {
        CGpuControl gpu;
        ASSERT_NO_THROW(gpu.Bind());
        EXPECT_TRUE(LoadedAnywhere());
        EXPECT_EQ(gpu.GetDriverVersion(), 18250u);
        uint16_t vendor = 0, device = 0;
        ASSERT_TRUE(gpu.GetPciIds(vendor, device));
        EXPECT_EQ(vendor, 0x10DE);
        EXPECT_EQ(device, 0x06C0);
        std::vector<uint32_t> group;
        ASSERT_TRUE(gpu.GetGroupGpuIndexes(group));
        EXPECT_EQ(group, (std::vector<uint32_t>{0, 1}));
        int32_t hottest = 0;
        for (uint32_t index : group) {
            gpu.SelectGpu(index);
            int32_t celsius = 0;
            ASSERT_TRUE(gpu.GetTemperature(celsius));
            hottest = std::max(hottest, celsius);
        }
        EXPECT_EQ(hottest, 67);
    }
    EXPECT_FALSE(LoadedAnywhere());  // the control's destruction unloads the library
}

TEST(GpuBind, DriverRefusalsRaise55Or110ALibraryWithoutEntryPoint55AndNoLibrary2) {
    const std::pair<const char*, uint32_t> cards[] = {
        {"withhold NvAPI_Initialize", 55u}, {"withhold NvAPI_EnumPhysicalGPUs", 55u}, {"fail NvAPI_EnumPhysicalGPUs -6", 55u},
        {"gpus 0", 55u}, {"fail NvAPI_Initialize -1", 110u}, {"withhold 0x0BE17923", 0u}};
    for (const auto& [card, status] : cards) EXPECT_EQ(BindStatus(card), status) << card;
    ASSERT_TRUE(CopyFileW(BuiltNoEntryPath().c_str(), InstalledPath().c_str(), FALSE));
    EXPECT_EQ(BindStatus(""), 55u);
    ASSERT_TRUE(DeleteFileW(InstalledPath().c_str()));
    EXPECT_EQ(BindStatus(""), 2u);
}

TEST(GpuBind, LibraryPlantedOutsideTheSystemFolderIsNotLoaded) {
    ASSERT_TRUE(DeleteFileW(InstalledPath().c_str()));
    // Beside the program, in the current folder and on PATH: every place the search order tries.
    const std::wstring elsewhere = WinTest::TempPath(L"planted");
    CreateDirectoryW(elsewhere.c_str(), nullptr);
    CPlantedFile besideProgram(BuiltPath(), ProgramFolder() + L"\\nvapi64.dll");
    CPlantedFile inElsewhere(BuiltPath(), elsewhere + L"\\nvapi64.dll");
    SetCurrentDirectoryW(elsewhere.c_str());
    SetEnvironmentVariableW(L"PATH", (elsewhere + L";C:\\windows\\system32").c_str());

    EXPECT_EQ(BindStatus(""), 2u);
    EXPECT_FALSE(LoadedAnywhere());
    SetCurrentDirectoryW(ProgramFolder().c_str());
}

TEST(GpuBind, JournalSpansLoadsAndStateLastsWhileLoaded) {
    const std::wstring journal = WinTest::TempPath(L"oskara-journal.jsonl");
    DeleteFileW(journal.c_str());
    SetEnvironmentVariableW(L"OSKARA_SIM_JOURNAL", journal.c_str());
    // The card by its Unix path, as a script would give it.
    const std::string cardUnix = "/tmp/oskara-gpu-bind-card-" + std::to_string(GetCurrentProcessId());
    const std::wstring cardWindows = WindowsPathOfUnix(cardUnix);
    if (FILE* file = _wfopen(cardWindows.c_str(), L"wb")) {
        std::fputs("driver 17999\npci 10DE 0402\n", file);
        std::fclose(file);
    }
    SetEnvironmentVariableA("OSKARA_SIM_CARD", cardUnix.c_str());

    {
        CGpuControl first;
        ASSERT_NO_THROW(first.Bind());
        ASSERT_TRUE(first.SetLevelClocks(3, 750, 1100, 0));
        ASSERT_TRUE(first.SetFanLevel(0, 45));
        CGpuControl second;  // the same loaded library: it sees the first one's clocks
        ASSERT_NO_THROW(second.Bind());
        double core = 0, memory = 0, shader = 0;
        ASSERT_TRUE(second.GetLevelCurrentClocks(3, core, memory, shader));
        EXPECT_EQ(core, 750);
        EXPECT_EQ(shader, 1400);
        uint16_t vendor = 0, device = 0;
        ASSERT_TRUE(second.GetPciIds(vendor, device));
        EXPECT_EQ(device, 0x0402);
    }
    {
        CGpuControl third;  // loaded afresh: the card starts again
        ASSERT_NO_THROW(third.Bind());
        double core = 0, memory = 0, shader = 0;
        ASSERT_TRUE(third.GetLevelCurrentClocks(3, core, memory, shader));
        EXPECT_EQ(core, 700);
    }
    DeleteFileW(cardWindows.c_str());

    const std::string text = ReadText(journal);
    auto count = [&](const std::string& needle) {
        size_t n = 0;
        for (size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1)) ++n;
        return n;
    };
    // Each line starts with its time; the call follows it.
    EXPECT_EQ(count("{\"t_us\":"), count("\n"));
    EXPECT_EQ(count(",\"fn\":\"NvAPI_Initialize\",\"status\":0}\n"), 3u);
    EXPECT_EQ(count(",\"fn\":\"ApplyLevelClocks\",\"gpu\":0,\"status\":0,\"level\":3,\"test\":false,"
                    "\"core_khz\":750000,\"memory_khz\":1100000}\n"), 1u);
    EXPECT_EQ(count(",\"fn\":\"ApplyCoolerLevels\",\"gpu\":0,\"status\":0,\"target\":7,"
                    "\"layout\":\"small\",\"level\":45,\"policy\":1}\n"), 1u);
    EXPECT_EQ(text.find('\r'), std::string::npos);
}
