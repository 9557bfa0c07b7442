#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "store/Profile.h"
#include "store/SettingsStore.h"

// The per-card profile sections "<card key>\Profile <n>" and the card key itself.
namespace ProfileStore {

inline constexpr int kMaxLoaded = 64;
inline constexpr int kMaxCleared = 128;

// "%04X-%04X" of the PCI vendor and device ids.
std::wstring CardKey(uint16_t vendor, uint16_t device);

std::wstring SectionName(const std::wstring& cardKey, int number);

// What one of the card's section numbers is known to hold: nothing, or exactly the five values
// Save writes for the profile. Unknown until read or written.
struct StoredSection {
    enum class Kind : uint8_t { Unknown, Absent, Exact } kind = Kind::Unknown;
    PROFILE profile{};
};
using StoredSections = std::array<StoredSection, kMaxCleared>;

// Reads profiles 0..63 of the card; a number without "Core" (or with 0) ends the load, one whose
// "Core" is not a number is skipped. On a card without a
// shader clock a profile with shader 0 is kept. An empty card key loads nothing. With `stored`,
// notes which of the numbers read hold exactly what Save would write there.
ProfileList Load(SettingsStore& store, const std::wstring& cardKey, bool cardHasShaderClock,
                 StoredSections* stored = nullptr);

// Clears the card's 128 profile sections and writes the list at its indexes; a profile with core
// 0 leaves its index empty. Does nothing for an empty card key.
void Save(SettingsStore& store, const std::wstring& cardKey, const ProfileList& profiles);
// Leaves the store as Save does, touching only the numbers whose content is not known to be
// right already (each written section opened once); `stored` then holds what was written.
void Save(SettingsStore& store, const std::wstring& cardKey, const ProfileList& profiles, StoredSections& stored);

// The shutdown store: "LastCard", then the profiles. Does nothing for an empty card key, so a
// start without a usable card never overwrites what is stored.
void StoreAtShutdown(SettingsStore& store, const std::wstring& cardKey, const ProfileList& profiles);
void StoreAtShutdown(SettingsStore& store, const std::wstring& cardKey, const ProfileList& profiles,
                     StoredSections& stored);

}  // namespace ProfileStore
