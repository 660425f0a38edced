// The ten measurement types: their order on the screen (radio items) and their codes in the file.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace corvel {

inline constexpr int kTypeCount = 10;

// Type code in the file of each radio item, in screen order.
inline constexpr uint8_t kRadioTypeCode[kTypeCount] = {1, 2, 3, 4, 5, 6, 7, 8, 0, 9};

// Command-line names of the radio items, in screen order.
inline constexpr std::string_view kRadioName[kTypeCount] = {
    "ojip", "slowkin", "rlc", "dr", "afterss", "pifr", "multiojip", "foprime", "user", "chlconc"};

// Short label of each type code 1..9 for the table's type column (index = type code).
inline constexpr std::string_view kTypeLabel[kTypeCount] = {
    "", "OJIP", "SlowKin", "RLC", "DR", "AfterSS", "PIFR", "Multi OJIP", "Fo'Model", "ChlConc"};

inline std::optional<int> RadioItemByName(std::string_view name) {
  for (int i = 0; i < kTypeCount; ++i)
    if (kRadioName[i] == name) return i;
  return std::nullopt;
}

}  // namespace corvel
