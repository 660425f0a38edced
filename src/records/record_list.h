// The record index and the labelled record list of one type code.
#pragma once

#include <cstdint>
#include <string_view>

#include "records/file_image.h"
#include "records/record.h"

namespace corvel {

inline constexpr int kSlotCount = 9999;    // record index and result table slots
inline constexpr int kListLimit = 9998;    // records a list can show
inline constexpr int kLabelCapacity = 64;  // bytes per label, NUL included

struct RecordList {
  int32_t index[kSlotCount] = {};  // slot i: record offset of list position i
  int count = 0;                   // listed records
  char labels[kSlotCount][kLabelCapacity] = {};
  uint8_t label_length[kSlotCount] = {};
  // The list box's selection: position i is selected when selected[i] is non-zero.
  uint8_t selected[kSlotCount] = {};
  int selected_count = 0;

  std::string_view label(int i) const { return {labels[i], label_length[i]}; }
  uint32_t offset(int i) const { return static_cast<uint32_t>(index[i]); }
};

struct ListBuild {
  ChainEnd chain;          // where the record chain ended
  bool truncated = false;  // the type had more records than the list can hold
};

// Fills the record list with the records of one type: rebuilds the record index and list for
// type code `code`; adds every live record walked, of any
// type, to `tally`. The walk stops at the 9999th record of the type, which gets an index slot but
// no label.
ListBuild FillFNtoListBox(const FileImage& image, uint8_t code, RecordList& list, uint32_t& tally);

// Formats the list label of the record at `offset` as list position `position` (1-based).
int FormatListLabel(const FileImage& image, uint32_t offset, int position, char* out, int capacity);

}  // namespace corvel
