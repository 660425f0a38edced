// The ten measurement types: one descriptor entry per type with what every layer knows of it, its
// place on the screen (radio item), its code in the file, its names and what the window shows of
// it. The behaviour of a type (decoder, title list, table fill, drawing) lives in one file per
// layer named after the type, found by its radio item through the layer's table:
// params/type_params.h and DrawChartForRadio in charts/draw.cpp.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace corvel {

inline constexpr int kTypeCount = 10;

// The radio items in screen order.
enum class RadioItem : uint8_t {
  kOjip,
  kSlowKin,
  kRlc,
  kDr,
  kAfterSs,
  kPifr,
  kMultiOjip,
  kFoPrime,
  kUser,
  kChlConc,
};

// The type code of a record in the file (bits 0-7 of its type word).
enum class TypeCode : uint8_t {
  kUser = 0,
  kOjip = 1,
  kSlowKin = 2,
  kRlc = 3,
  kDr = 4,
  kAfterSs = 5,
  kPifr = 6,
  kMultiOjip = 7,
  kFoPrime = 8,
  kChlConc = 9,
};

// Which series a record's check box on the curve page shows or hides.
enum class BoxBinding : uint8_t {
  kNone,          // no chart
  kSmoothed,      // the smoothed curve of the box's slot
  kLine,          // the line of the box's slot
  kLineAndFit,    // the line and the fitted curve of the box's slot
  kFirstAndLast,  // box 0 the first smoothed trace, the last box the last one
};

struct MeasurementType {
  RadioItem radio;
  TypeCode code;
  std::string_view cli_name;  // corvel-cli's --type
  std::string_view label;     // the table's type column
  BoxBinding binding;
  bool has_table;    // a parameter table with a title row
  bool has_chart;    // a curve page drawing
  bool has_picture;  // a picture of the measurement program beside the radio items
};

// The descriptor table, in screen order.
inline constexpr MeasurementType kMeasurementTypes[kTypeCount] = {
    {RadioItem::kOjip, TypeCode::kOjip, "ojip", "OJIP", BoxBinding::kSmoothed, true, true, true},
    {RadioItem::kSlowKin, TypeCode::kSlowKin, "slowkin", "SlowKin", BoxBinding::kLine, true, true,
     true},
    {RadioItem::kRlc, TypeCode::kRlc, "rlc", "RLC", BoxBinding::kLineAndFit, true, true, true},
    {RadioItem::kDr, TypeCode::kDr, "dr", "DR", BoxBinding::kFirstAndLast, true, true, true},
    {RadioItem::kAfterSs, TypeCode::kAfterSs, "afterss", "AfterSS", BoxBinding::kSmoothed, true,
     true, true},
    {RadioItem::kPifr, TypeCode::kPifr, "pifr", "PIFR", BoxBinding::kLine, true, true, true},
    {RadioItem::kMultiOjip, TypeCode::kMultiOjip, "multiojip", "Multi OJIP", BoxBinding::kSmoothed,
     true, true, true},
    {RadioItem::kFoPrime, TypeCode::kFoPrime, "foprime", "Fo'Model", BoxBinding::kSmoothed, true,
     true, true},
    {RadioItem::kUser, TypeCode::kUser, "user", "", BoxBinding::kNone, false, false, false},
    {RadioItem::kChlConc, TypeCode::kChlConc, "chlconc", "ChlConc", BoxBinding::kNone, true, false,
     false},
};

constexpr int ItemIndex(RadioItem item) {
  return static_cast<int>(item);
}

// The entry of a radio item given as its screen position; nullptr outside 0..9.
constexpr const MeasurementType* TypeAt(int radio_item) {
  return radio_item >= 0 && radio_item < kTypeCount ? &kMeasurementTypes[radio_item] : nullptr;
}

// The entry of a type code read from a file; nullptr for a code no type has.
constexpr const MeasurementType* TypeOfCode(uint32_t code) {
  for (const MeasurementType& t : kMeasurementTypes)
    if (static_cast<uint32_t>(t.code) == code) return &t;
  return nullptr;
}

inline std::optional<int> RadioItemByName(std::string_view name) {
  for (const MeasurementType& t : kMeasurementTypes)
    if (t.cli_name == name) return ItemIndex(t.radio);
  return std::nullopt;
}

// Views of the table by screen position and by type code, for the loops over it.
inline constexpr std::array<uint8_t, kTypeCount> kRadioTypeCode = [] {
  std::array<uint8_t, kTypeCount> codes{};
  for (int i = 0; i < kTypeCount; ++i) codes[i] = static_cast<uint8_t>(kMeasurementTypes[i].code);
  return codes;
}();
inline constexpr std::array<std::string_view, kTypeCount> kRadioName = [] {
  std::array<std::string_view, kTypeCount> names{};
  for (int i = 0; i < kTypeCount; ++i) names[i] = kMeasurementTypes[i].cli_name;
  return names;
}();
// Indexed by type code.
inline constexpr std::array<std::string_view, kTypeCount> kTypeLabel = [] {
  std::array<std::string_view, kTypeCount> labels{};
  for (const MeasurementType& t : kMeasurementTypes) labels[static_cast<int>(t.code)] = t.label;
  return labels;
}();

static_assert(kMeasurementTypes[ItemIndex(RadioItem::kChlConc)].radio == RadioItem::kChlConc,
              "the table is in screen order");

}  // namespace corvel
