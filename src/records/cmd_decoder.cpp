#include "records/cmd_decoder.h"

#include <cstdarg>
#include <cstdio>

#include "records/record.h"
#include "records/time_base.h"

namespace corvel {

namespace {

constexpr char kSeparator[] = "==========================================";

// Appends a formatted text of bounded length; the buffer holds the longest command text.
__attribute__((format(printf, 2, 3))) void AppendFormat(std::string& out, const char* format, ...) {
  char buf[96];
  va_list args;
  va_start(args, format);
  const int n = std::vsnprintf(buf, sizeof buf, format, args);
  va_end(args);
  if (n > 0)
    out.append(buf, static_cast<size_t>(n) < sizeof buf ? static_cast<size_t>(n) : sizeof buf - 1);
}

}  // namespace

bool CmdDecoder::DecodeCmdWord(unsigned w, std::string& text_out, bool& wrote) {
  wrote = false;
  if (w == 0) {
    end_index_ = kProgramWords;
    multiplier_ = 1;
  }
  if (w > end_index_) return false;
  const uint32_t c = table_[w % kProgramWords];
  if (c == kEndCommand) end_index_ = w;

  const int bits_0_7 = static_cast<int>(c & 0xFF);
  const int bits_0_15 = static_cast<int>(c & 0xFFFF);
  const int bits_8_15 = static_cast<int>((c >> 8) & 0xFF);
  const int bits_8_23 = static_cast<int>((c >> 8) & 0xFFFF);
  const int bits_16_23 = static_cast<int>((c >> 16) & 0xFF);
  const int bits_19_23 = static_cast<int>((c >> 19) & 0x1F);

  const size_t before = text_out.size();
  switch (c >> 24) {
    case 0xB0:
      text_out += "CMD_Begin";
      break;
    case 0xBE:
      text_out += "CMD_End";
      break;
    case 0xBB:
      multiplier_ = 1;
      AppendFormat(text_out, "Loop_Begin(%d)[", bits_0_7);
      break;
    case 0xBC:
      text_out += "]Loop_End";
      break;
    case 0xB1:
      break;
    case 0xBA: {
      const int v = bits_0_15 * multiplier_;
      switch (bits_16_23) {
        case 0xD1:
          AppendFormat(text_out, "*TimeParaAdd(%d)", v);
          break;
        case 0xD2:
          AppendFormat(text_out, "*LightParaAdd(%d)", v);
          break;
        case 0xD3:
          text_out += "*ChgTimeParaList:";
          break;
        case 0xD4:
          text_out += "*ChgLightParaList:";
          break;
        default:  // an unknown change is shown but does not end the program
          text_out += "??????";
          break;
      }
      break;
    }
    case 0xBD:
      AppendFormat(text_out, "**ParaListData(%d)", bits_0_15 * multiplier_);
      break;
    case 0xCA: {
      // Adaptation durations are stored in 10 ms units, and so are the values of the
      // parameter-list words that follow an adaptation.
      multiplier_ = 10;
      const int d = bits_8_23 * 10;
      const int p = bits_0_7 * 10;
      if (p == 0)
        AppendFormat(text_out, "DarkAdapt(%dmS)", d);
      else
        AppendFormat(text_out, "LightAdapt(%dmS, %d)", d, p);
      break;
    }
    case 0xC0:
      multiplier_ = 1;
      AppendFormat(text_out, "OJIP(%dS, %d)", bits_16_23, bits_0_15);
      break;
    case 0xCF:
      multiplier_ = 1;
      AppendFormat(text_out, "FarRedLed(%dmS)", bits_8_23);
      break;
    case 0xCE:
      // A parameter-list value after a pulse measurement shows its stored value.
      multiplier_ = 1;
      AppendFormat(text_out, "PulseMeas(%dS,+%d,%d,%dmS)", bits_19_23, bits_8_15 * 20,
                   bits_0_7 * 10, static_cast<int>(PulseStepMs(c)));
      break;
    default:  // an unknown opcode ends the program here
      text_out += "??????";
      end_index_ = w;
      break;
  }
  wrote = text_out.size() != before;
  return true;
}

void CmdDecoder::FillUserCmdtoREdit(const FileImage& image, const RecordList& list,
                                    std::string& info_text) {
  info_text.clear();
  for (int i = 0; i < list.count; ++i) {
    if (!list.selected[i]) continue;
    const Record r(image, list.offset(i));

    info_text += kSeparator;
    info_text += '\n';

    char name[9];
    info_text.append(name, r.name(name));
    const RecordStamp t = r.stamp();
    AppendFormat(info_text, "%04d,20%02d/%02d/%02d,%02d:%02d:%02d, \n", int{r.number()}, t.year,
                 t.month, t.day, t.hour, t.minute, t.second);

    char program[17];
    info_text += "CmdName: ";
    info_text.append(program, r.program_name(program));
    info_text += '\n';

    for (unsigned w = 0; w < kProgramWords; ++w) {
      const uint32_t c = r.word(kOffTypeWord + 4 * w);
      SetWord(w, c);
      bool wrote = false;
      if (!DecodeCmdWord(w, info_text, wrote)) break;
      if (wrote) info_text += '\n';
      if (c == kEndCommand) break;
    }
  }
}

void FillUserCmdtoREdit(const FileImage& image, const RecordList& list, std::string& info_text) {
  CmdDecoder decoder;
  decoder.FillUserCmdtoREdit(image, list, info_text);
}

}  // namespace corvel
