#pragma once
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

// Reads profiles 0..63 of the card; a number without "Core" (or with 0) ends the load, one whose
// "Core" is not a number is skipped. On a card without a
// shader clock a profile with shader 0 is kept. An empty card key loads nothing.
ProfileList Load(SettingsStore& store, const std::wstring& cardKey, bool cardHasShaderClock);

// Clears the card's 128 profile sections and writes the list at its indexes; a profile with core
// 0 leaves its index empty. Does nothing for an empty card key.
void Save(SettingsStore& store, const std::wstring& cardKey, const ProfileList& profiles);

// The shutdown store: "LastCard", then the profiles. Does nothing for an empty card key, so a
// start without a usable card never overwrites what is stored.
void StoreAtShutdown(SettingsStore& store, const std::wstring& cardKey, const ProfileList& profiles);

}  // namespace ProfileStore
