#pragma once
#include <string>

#include "cli/ConsoleTarget.h"

// The status and the profile list as a short aligned table for people, and as one JSON object
// for scripts ("format": 1; the CSV log's column names; integers; null for a value not read).
namespace StatusText {

std::string Table(const CardStatus& status);
std::string Json(const CardStatus& status);
std::string ProfileTable(const ProfileList& profiles);
std::string ProfileJson(const ProfileList& profiles);
// A JSON string literal of the text.
std::string JsonString(const std::wstring& text);

}  // namespace StatusText
