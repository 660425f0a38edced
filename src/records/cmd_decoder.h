// The listing of user-defined measurement programs: the command word decoder, which turns one
// word of the command word table into one line of text, and the listing of the selected records
// that the info box shows and the "_UserCmd.txt" file holds.
#pragma once

#include <cstdint>
#include <string>

#include "records/file_image.h"
#include "records/record_list.h"

namespace corvel {

inline constexpr unsigned kProgramWords = 256;  // words a listing reads from one program

class CmdDecoder {
 public:
  // Table slot w, as the listing copies it from word w of a program.
  void SetWord(unsigned w, uint32_t word) { table_[w % kProgramWords] = word; }
  uint32_t word(unsigned w) const { return table_[w % kProgramWords]; }

  // Decodes table slot w. Appends its text (without a line end) to text_out and sets wrote when
  // the word has a text; returns false, appending nothing, when w lies beyond the end index.
  // Word 0 starts a program: it resets the end index to 256 and the value multiplier to 1, so
  // a program's text never depends on the programs decoded before it.
  bool DecodeCmdWord(unsigned w, std::string& text_out, bool& wrote);

  // Writes the programs of the selected records into the info box: replaces info_text with the
  // listing of every selected record of the list, in list order;
  // every line ends with "\n".
  void FillUserCmdtoREdit(const FileImage& image, const RecordList& list, std::string& info_text);

  unsigned end_index() const { return end_index_; }
  int multiplier() const { return multiplier_; }

 private:
  uint32_t table_[kProgramWords] = {};
  unsigned end_index_ = kProgramWords;
  int multiplier_ = 1;
};

// The listing with a decoder of its own (the decoder keeps nothing between records that matters).
void FillUserCmdtoREdit(const FileImage& image, const RecordList& list, std::string& info_text);

}  // namespace corvel
