#include "records/settings.h"

#include <cstdio>

#include "records/record.h"

namespace corvel {

namespace {

uint16_t Bits(uint32_t w, int lo, int count) {
  return static_cast<uint16_t>((w >> lo) & ((1u << count) - 1));
}
uint8_t Opcode(uint32_t w) {
  return static_cast<uint8_t>(w >> 24);
}

}  // namespace

MeasSettings DecodeSettings(const FileImage& image, uint32_t record_offset) {
  const Record rec(image, record_offset);
  MeasSettings s;
  const uint32_t w44 = rec.word(44), w48 = rec.word(48), w52 = rec.word(52), w56 = rec.word(56);
  switch (rec.type_code()) {
    case 1:
      s.OjipSlSec = Bits(w44, 16, 8);
      break;
    case 2:
      s.SkPulseCount = static_cast<uint16_t>(Bits(w48, 0, 8) + 1);
      s.SkAl = static_cast<uint16_t>(Bits(w52, 0, 8) * 10);
      break;
    case 3:
      if (Opcode(w44) == 0xCA) {
        s.RlcAdaptAl = static_cast<uint16_t>(Bits(w44, 0, 8) * 10);
        s.RlcAdaptMin = 5;
      }
      break;
    case 4:
      s.DrAdaptAl = static_cast<uint16_t>(Bits(w44, 0, 8) * 10);
      s.DrDarkSec = static_cast<uint16_t>(Bits(w56, 8, 16) / 100);
      break;
    case 5:
      s.AssAdaptAl = static_cast<uint16_t>(Bits(w44, 0, 8) * 10);
      s.AssDarkFrSec = static_cast<uint16_t>(Bits(w52, 8, 16) / 100);
      s.AssAl = Bits(w56, 0, 16);
      break;
    case 6: {
      s.PifrAdaptAl = static_cast<uint16_t>(Bits(w44, 0, 8) * 10);
      s.PifrAdaptMin = static_cast<uint16_t>(Bits(w44, 8, 16) / 6000);
      uint16_t sum = 0;
      for (uint32_t rel = 48; rel <= 84; rel += 4) {
        const uint32_t w = rec.word(rel);
        if (Opcode(w) != 0xCE) break;
        sum = static_cast<uint16_t>(sum + Bits(w, 19, 5));
      }
      s.PifrPpSec = sum;
      break;
    }
    case 8:
      s.FoAdaptAl = static_cast<uint16_t>(Bits(w48, 0, 8) * 10);
      s.FoFarRedSec = static_cast<uint16_t>(Bits(w52, 8, 16) / 1000);
      s.FoAl = Bits(w44, 0, 16);
      break;
    default:
      break;
  }
  return s;
}

size_t FormatSettingsLine(const FileImage& image, uint32_t record_offset,
                          char (&out)[kSettingsLineCapacity]) {
  const MeasSettings s = DecodeSettings(image, record_offset);
  int n = 0;
  switch (Record(image, record_offset).type_code()) {
    case 1:
      n = std::snprintf(out, sizeof out, "OJIP,SL=3000:%dS,\n", s.OjipSlSec);
      break;
    case 2:
      n = std::snprintf(out, sizeof out, "SlowKin,SL=4000,n=%d,AL=%d,\n", s.SkPulseCount, s.SkAl);
      break;
    case 3:
      if (s.RlcAdaptMin > 0)
        n = std::snprintf(out, sizeof out, "RLC,LAdap=%d:%dmin,SL=4000,\n", s.RlcAdaptAl,
                          s.RlcAdaptMin);
      else
        n = std::snprintf(out, sizeof out, "RLC,LAdap=Sun,SL=4000,\n");
      break;
    case 4:
      n = std::snprintf(out, sizeof out, "DarkR,LAdap=%d:5min,SL=3000,n=20,Dark:%dS,\n",
                        s.DrAdaptAl, s.DrDarkSec);
      break;
    case 5:
      n = std::snprintf(out, sizeof out,
                        "AfterSS,LAdap=%d:5min,Dark/FR:%dS,AL=%d:10S,SL=4000,n=5x2,\n",
                        s.AssAdaptAl, s.AssDarkFrSec, s.AssAl);
      break;
    case 6:
      n = std::snprintf(out, sizeof out, "PIFR,LAdap=%d:%dmin,PP:%dS,\n", s.PifrAdaptAl,
                        s.PifrAdaptMin, s.PifrPpSec);
      break;
    case 8:
      n = std::snprintf(out, sizeof out, "Fo'Model,LAdap=%d:3min,FRed:%dS,AL=%d,\n", s.FoAdaptAl,
                        s.FoFarRedSec, s.FoAl);
      break;
    default:
      out[0] = '\0';
      break;
  }
  return n > 0 ? static_cast<size_t>(n) : 0;
}

}  // namespace corvel
