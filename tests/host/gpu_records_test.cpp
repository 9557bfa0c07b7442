// The bytes the driver receives, against the driver's layouts written out independently here.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "tests/host/gpu_SimHarness.h"

namespace {

// A record of the given size: zero, with little-endian words placed at offsets.
std::vector<uint8_t> Expected(size_t size, std::map<size_t, uint32_t> words) {
    std::vector<uint8_t> bytes(size, 0);
    for (auto [offset, value] : words)
        for (int b = 0; b < 4; ++b) bytes.at(offset + b) = static_cast<uint8_t>(value >> (8 * b));
    return bytes;
}

}  // namespace

TEST(GpuRecords, CalledInterfaceIds) {
    const std::map<std::string, uint32_t> expected = {
        {"NvAPI_Initialize", 0x0150E828}, {"NvAPI_GetDisplayDriverVersion", 0xF951A4D1},
        {"NvAPI_EnumPhysicalGPUs", 0xE5AC921F}, {"NvAPI_EnumNvidiaDisplayHandle", 0x9ABDD40D},
        {"NvAPI_GetLogicalGPUFromPhysicalGPU", 0xADD604D1},
        {"NvAPI_GetPhysicalGPUsFromLogicalGPU", 0xAEA3FA32}, {"QueryLevelClocks", 0x1EA54A3B},
        {"ApplyLevelClocks", 0x07BCF4AC}, {"QueryClockSnapshot", 0x1BD69F49},
        {"QueryMemoryType", 0x57F7CAAC}, {"NvAPI_GPU_GetThermalSettings", 0xE3640A56},
        {"NvAPI_GPU_GetPCIIdentifiers", 0x2DDFB66E}, {"QueryCoolerSettings", 0xDA141340},
        {"ApplyCoolerLevels", 0x891FA0AE}};
    std::set<uint32_t> ids, positions;
    size_t named = 0;
    for (const DRIVER_INTERFACE& entry : kDriverInterfaces) {
        EXPECT_TRUE(ids.insert(entry.id).second) << std::hex << entry.id;
        EXPECT_TRUE(positions.insert(entry.position).second) << int(entry.position);
        EXPECT_TRUE(entry.position >= 1 && entry.position <= 43 && entry.position != 30);
        if (entry.name) {
            ++named;
            EXPECT_EQ(expected.at(entry.name), entry.id) << entry.name;
        }
    }
    EXPECT_EQ(named, expected.size());
    // Bind queries after initialising: enumeration second, the memory type late.
    EXPECT_EQ(kDriverInterfaces[1].id, 0xE5AC921Fu);
    EXPECT_EQ(kDriverInterfaces[35].id, 0x57F7CAACu);
}

TEST(GpuRecords, BindRecords) {
    BoundControl("");
    // Bound: the calls were cleared, the received bytes were kept.
    EXPECT_EQ(simdriver::ReceivedRecord("NvAPI_GetDisplayDriverVersion"), Expected(140, {{0, 0x0001008C}}));
    EXPECT_EQ(simdriver::ReceivedRecord("QueryClockSnapshot"), Expected(260, {{0, 0x00010104}}));
}

TEST(GpuRecords, LevelClocksQueryAndApply) {
    auto gpu = BoundControl("");
    ASSERT_TRUE(gpu->SetLevelClocks(3, 750, 1100, 1500));
    EXPECT_EQ(simdriver::ReceivedRecord("QueryLevelClocks"), Expected(10868, {{0, 0x00012A74}}));
    EXPECT_EQ(LastCall("QueryLevelClocks")->Field("level"), "3");
    const auto sent = Expected(10868, {{0, 0x00012A74},
                                       {28, 0}, {36, 750000}, {40, 700000}, {52, 1},
                                       {56, 4}, {64, 1100000}, {68, 1000000}, {80, 1},
                                       {84, 7}, {92, 1500000}, {96, 1400000}, {108, 1}});
    EXPECT_EQ(simdriver::ReceivedRecord("ApplyLevelClocks"), sent);
    EXPECT_EQ(LastCall("ApplyLevelClocks")->Field("level"), "3");

    int passed = 0;
    ASSERT_TRUE(gpu->TestLevelClocks(3, 760, 1000, 1400, passed));
    const auto test = Expected(10868, {{0, 0x00012A74}, {24, 8},
                                       {28, 0}, {36, 760000}, {40, 700000}, {52, 1},
                                       {56, 4}, {64, 1000000}, {68, 1000000}, {80, 1},
                                       {84, 7}, {92, 1400000}, {96, 1400000}, {108, 1}});
    EXPECT_EQ(simdriver::ReceivedRecord("ApplyLevelClocks"), test);
}

TEST(GpuRecords, ThermalRecord) {
    auto gpu = BoundControl("");
    THERMAL_SETTINGS record;
    ASSERT_TRUE(gpu->GetThermalSettings(&record));
    EXPECT_EQ(simdriver::ReceivedRecord("NvAPI_GPU_GetThermalSettings"), Expected(68, {{0, 0x00010044}}));
    const auto answer = simdriver::AnsweredRecord("NvAPI_GPU_GetThermalSettings");
    ASSERT_EQ(answer.size(), sizeof record);
    EXPECT_EQ(static_cast<int32_t>(WordAt(answer, 20)), record.sensor[0].currentTemp);
    EXPECT_EQ(record.sensor[0].currentTemp, 55);
}

TEST(GpuRecords, CoolerRecordsOfBothLayouts) {
    auto gpu = BoundControl("driver 17999");
    ASSERT_TRUE(gpu->SetFanLevel(0, 45));
    EXPECT_EQ(simdriver::ReceivedRecord("QueryCoolerSettings"), Expected(152, {{0, 0x00010098}}));
    EXPECT_EQ(simdriver::ReceivedRecord("ApplyCoolerLevels"),
              Expected(28, {{0, 0x0001001C}, {4, 45}, {8, 1}}));

    gpu = BoundControl("driver 18000\ncooler 0 40 32");
    ASSERT_TRUE(gpu->SetFanLevel(-1, 0));
    EXPECT_EQ(simdriver::ReceivedRecord("QueryCoolerSettings"), Expected(968, {{0, 0x000203C8}}));
    EXPECT_EQ(simdriver::ReceivedRecord("ApplyCoolerLevels"), Expected(164, {{0, 0x000100A4}, {8, 32}}));
    // Cooler 0 of the settings answer: level at 32, default policy at 36, current at 40.
    const auto answer = simdriver::AnsweredRecord("QueryCoolerSettings");
    EXPECT_EQ(WordAt(answer, 4), 1u);
    EXPECT_EQ(WordAt(answer, 32), 40u);
    EXPECT_EQ(WordAt(answer, 36), 32u);
    EXPECT_EQ(WordAt(answer, 40), 32u);
}

TEST(GpuRecords, DriverRejectsWrongVersionWords) {
    simdriver::LoadText("");
    auto query = reinterpret_cast<LevelClocksFn>(simdriver::QueryInterface(0x1EA54A3B));
    auto init = reinterpret_cast<InitializeFn>(simdriver::QueryInterface(0x0150E828));
    ASSERT_TRUE(query && init);
    ASSERT_EQ(init(), 0);
    std::vector<uint8_t> record(10868, 0);
    StoreRecordWord(record.data(), 0, 0x00022A74);  // right size, wrong structure version
    DriverHandle gpus[64] = {};
    uint32_t count = 0;
    reinterpret_cast<EnumPhysicalGpusFn>(simdriver::QueryInterface(0xE5AC921F))(gpus, &count);
    EXPECT_EQ(query(gpus[0], 3, record.data()), simdriver::kStatusIncompatibleVersion);
    EXPECT_EQ(simdriver::ReceivedRecord("QueryLevelClocks").size(), 4u);
}
