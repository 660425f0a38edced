#include "params/tidy_params.h"

#include <charconv>
#include <cstdio>

#include "params/chlorophyll.h"
#include "params/ojip.h"
#include "params/pulse_kinetics.h"
#include "params/rapid_light_curve.h"
#include "params/result_tables.h"
#include "params/title_lists.h"
#include "records/gbk_text.h"
#include "records/measurement_type.h"
#include "records/settings.h"

namespace corvel {

namespace {

std::string Printf(const char* format, int a, int b = 0) {
  char buf[48];
  const int n = std::snprintf(buf, sizeof buf, format, a, b);
  return std::string(buf, static_cast<size_t>(n > 0 ? n : 0));
}

// Adds values and settings named by the type's table column titles.
class Builder {
 public:
  Builder(TidyRecord& out, const char* const* titles) : out_(out), titles_(titles) {}
  void Setting(int col, std::string text) {
    out_.settings.push_back({titles_[col], std::move(text)});
  }
  void Setting(int col, int value) { Setting(col, Printf("%d", value)); }
  void Value(int col, float value, int step = 0) {
    out_.values.push_back({titles_[col], value, step});
  }

 private:
  TidyRecord& out_;
  const char* const* titles_;
};

void Ojip(const GridSource& src, int i, uint32_t off, Builder& b) {
  const OjipColumns c = ColumnsOf(src.results.ojip[i]);
  b.Setting(3, Printf("3000(%dS)", DecodeSettings(src.image, off).OjipSlSec));
  for (int k = 0; k < 8; ++k) b.Value(4 + k, c.points[k]);
  for (int k = 0; k < 23; ++k) b.Value(12 + k, c.reals[k]);
}

void SlowKin(const GridSource& src, int i, uint32_t off, Builder& b) {
  const SlowKinColumns c = ColumnsOf(src.results.slowkin[i]);
  const MeasSettings set = DecodeSettings(src.image, off);
  b.Setting(3, set.SkAl);
  b.Setting(4, Printf("4000(%d)", set.SkPulseCount));
  for (int k = 0; k < 5; ++k) b.Value(5 + k, c.points[k]);
  for (int k = 0; k < 13; ++k) b.Value(10 + k, c.reals[k]);
}

void Rlc(const GridSource& src, int i, uint32_t off, Builder& b, TidyRecord& out) {
  const RlcResult& r = src.results.rlc[i];
  const MeasSettings set = DecodeSettings(src.image, off);
  b.Setting(3, Printf("%d(%d)", set.RlcAdaptAl, set.RlcAdaptMin));
  // A light-adapted curve has no dark reference: the table leaves the quenching cells empty.
  const bool light_adapted = RlcLightAdapted(src.image, off);
  out.steps = kRlcSteps;
  for (int k = 0; k < kRlcSteps; ++k) {
    b.Value(4, kRlcLight[k], k + 1);
    b.Value(6, r.row[kRowYII][k], k + 1);
    b.Value(7, r.row[kRowRetr][k], k + 1);
    if (!light_adapted)
      for (int q = kRowFmPrimeFm; q <= kRowYNPQ; ++q)
        b.Value(8 + q - kRowFmPrimeFm, r.row[q][k], k + 1);
  }
}

void Dr(const GridSource& src, int i, uint32_t off, Builder& b, TidyRecord& out) {
  const DrResult& r = src.results.dr[i];
  const MeasSettings set = DecodeSettings(src.image, off);
  b.Setting(3, set.DrAdaptAl);
  b.Setting(4, set.DrDarkSec);
  out.steps = kDrPulses;
  for (int k = 0; k < kDrPulses; ++k) {
    b.Value(6, r.Fo[k], k + 1);
    b.Value(7, r.Fm[k], k + 1);
    b.Value(8, r.FvFm[k], k + 1);
    if (k > 0) b.Value(9, r.NPQ[k], k + 1);  // the first pulse is the reference of NPQ
  }
}

void MultiOjip(const GridSource& src, int i, Builder& b, TidyRecord& out) {
  const MultiOjipResult& r = src.results.multiojip[i];
  b.Setting(3, std::string("1 min"));
  out.steps = kMultiOjipSteps;
  for (int s = 0; s < kMultiOjipSteps; ++s) {
    b.Value(4, kMultiOjipLight[s], s + 1);
    const uint16_t points[] = {r.Fo[s], r.Fl[s], r.Fk[s], r.Fj[s], r.Fi[s], r.Fm[s]};
    for (int c = 0; c < 6; ++c) b.Value(5 + c, points[c], s + 1);
  }
  b.Value(11, r.Ko);
  b.Value(12, r.Kj);
  b.Value(13, r.Ki);
  b.Value(14, r.Kp);
}

void Other(int radio_item, const GridSource& src, int i, uint32_t off, Builder& b) {
  const MeasSettings set = DecodeSettings(src.image, off);
  switch (radio_item) {
    case 4:
      b.Setting(3, set.AssAdaptAl);
      b.Setting(4, set.AssDarkFrSec);
      b.Setting(5, set.AssAl);
      break;
    case 5:
      b.Setting(3, Printf("%d(%d)", set.PifrAdaptAl, set.PifrAdaptMin));
      b.Value(4, src.results.pifr[i].K);
      break;
    case 7:
      b.Setting(3, set.FoAdaptAl);
      b.Setting(4, set.FoFarRedSec);
      b.Setting(5, set.FoAl);
      b.Value(6, src.results.foprime[i].Fo);
      b.Value(7, src.results.foprime[i].FoPrime);
      break;
    case 9:
      // A record that stored no concentration has no value (the table shows "???").
      if (const float conc = ChlConcentration(src.image, off); conc != 0.0f) b.Value(3, conc);
      break;
    default:
      break;
  }
}

void Append(std::string& out, std::string_view text) {
  out.append(text.data(), text.size());
}

// A CSV cell, quoted when it holds a comma, a quote or a line break.
void CsvCell(std::string& out, std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) return Append(out, text);
  out += '"';
  for (const char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

void JsonString(std::string& out, std::string_view text) {
  out += '"';
  for (const char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (u < 0x20) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", u);
      out += buf;
    } else {
      out += c;
    }
  }
  out += '"';
}

std::string DateTime(const RecordStamp& t) {
  char buf[40];
  const int n = std::snprintf(buf, sizeof buf, "20%02d-%02d-%02d %02d:%02d:%02d", t.year, t.month,
                              t.day, t.hour, t.minute, t.second);
  return std::string(buf, static_cast<size_t>(n));
}

}  // namespace

std::string FloatText(float value) {
  char buf[32];
  const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
  return ec == std::errc() ? std::string(buf, end) : std::string("0");
}

void TidyRecordAt(int radio_item, const GridSource& src, int position, TidyRecord& out) {
  out.radio_item = radio_item;
  out.position = position;
  out.steps = 0;
  out.settings.clear();
  out.values.clear();
  const uint32_t off = src.list.offset(position);
  const Record rec(src.image, off);
  char name[9];
  rec.name(name);
  char display[24];
  const int n = std::snprintf(display, sizeof display, "%s%04d", name, int{rec.number()});
  out.name.assign(display, static_cast<size_t>(n));
  out.stamp = rec.stamp();
  const char* const* titles = TitleListForRadio(radio_item);
  if (titles == nullptr) return;  // user-defined programs have no parameters
  Builder b(out, titles);
  switch (radio_item) {
    case 0:
      return Ojip(src, position, off, b);
    case 1:
      return SlowKin(src, position, off, b);
    case 2:
      return Rlc(src, position, off, b, out);
    case 3:
      return Dr(src, position, off, b, out);
    case 6:
      return MultiOjip(src, position, b, out);
    default:
      return Other(radio_item, src, position, off, b);
  }
}

std::vector<const char*> TidyParameterNames(int radio_item) {
  // The value columns are those after the settings; which they are is fixed per type.
  static constexpr int kFirstValue[kTypeCount] = {4, 5, 4, 6, 6, 4, 4, 6, 0, 3};
  std::vector<const char*> names;
  const char* const* titles = TitleListForRadio(radio_item);
  if (titles == nullptr) return names;
  for (int c = kFirstValue[radio_item]; std::string_view(titles[c]) != "END"; ++c) {
    if (radio_item == 2 && c == 5) continue;  // SL(n) is the step itself
    names.push_back(titles[c]);
  }
  return names;
}

TidyWriter::TidyWriter(TidyFormat format, const std::vector<int>& radio_items, ByteSink& sink)
    : format_(format), sink_(sink) {
  for (const int item : radio_items)
    for (const char* name : TidyParameterNames(item)) {
      std::string utf8 = GbkToUtf8(name);
      bool known = false;
      for (const std::string& column : columns_) known = known || column == utf8;
      if (!known) columns_.push_back(std::move(utf8));
    }
}

void TidyWriter::Begin() {
  line_.clear();
  if (format_ == TidyFormat::kJson) {
    sink_.Write("[");
    return;
  }
  Append(line_, "file,type,record,name,datetime,step");
  if (format_ == TidyFormat::kLong) {
    Append(line_, ",parameter,value");
  } else {
    for (const std::string& column : columns_) {
      line_ += ',';
      CsvCell(line_, column);
    }
  }
  line_ += '\n';
  sink_.Write(line_);
}

void TidyWriter::Add(const std::string& file, const TidyRecord& record) {
  line_.clear();
  std::string identity;
  CsvCell(identity, file);
  identity += ',';
  Append(identity, kRadioName[record.radio_item]);
  identity += ',';
  Append(identity, std::to_string(record.position + 1));
  identity += ',';
  CsvCell(identity, GbkToUtf8(record.name));
  identity += ',';
  Append(identity, DateTime(record.stamp));
  identity += ',';

  if (format_ == TidyFormat::kLong) {
    for (const TidyValue& v : record.values) {
      Append(line_, identity);
      if (v.step > 0) Append(line_, std::to_string(v.step));
      line_ += ',';
      CsvCell(line_, GbkToUtf8(v.name));
      line_ += ',';
      Append(line_, FloatText(v.value));
      line_ += '\n';
    }
  } else if (format_ == TidyFormat::kWide) {
    // One row per step (a record without steps has one); values of the record as a whole stand
    // on every row of its steps.
    const int rows = record.steps > 0 ? record.steps : 1;
    std::vector<std::string> cells(columns_.size());
    for (int s = 1; s <= rows; ++s) {
      for (std::string& cell : cells) cell.clear();
      for (const TidyValue& v : record.values) {
        if (v.step != 0 && v.step != s) continue;
        const std::string name = GbkToUtf8(v.name);
        for (size_t c = 0; c < columns_.size(); ++c)
          if (columns_[c] == name) cells[c] = FloatText(v.value);
      }
      Append(line_, identity);
      if (record.steps > 0) Append(line_, std::to_string(s));
      for (const std::string& cell : cells) {
        line_ += ',';
        Append(line_, cell);
      }
      line_ += '\n';
    }
  } else {
    Append(line_, first_ ? "\n" : ",\n");
    Append(line_, "  {\"file\": ");
    JsonString(line_, file);
    Append(line_, ", \"type\": ");
    JsonString(line_, kRadioName[record.radio_item]);
    Append(line_, ", \"record\": ");
    Append(line_, std::to_string(record.position + 1));
    Append(line_, ", \"name\": ");
    JsonString(line_, GbkToUtf8(record.name));
    Append(line_, ", \"datetime\": ");
    JsonString(line_, DateTime(record.stamp));
    Append(line_, ",\n   \"settings\": {");
    for (size_t k = 0; k < record.settings.size(); ++k) {
      if (k > 0) Append(line_, ", ");
      JsonString(line_, GbkToUtf8(record.settings[k].name));
      Append(line_, ": ");
      JsonString(line_, record.settings[k].text);
    }
    Append(line_, "},\n   \"parameters\": {");
    bool any = false;
    for (const TidyValue& v : record.values) {
      if (v.step != 0) continue;
      if (any) Append(line_, ", ");
      any = true;
      JsonString(line_, GbkToUtf8(v.name));
      Append(line_, ": ");
      Append(line_, FloatText(v.value));
    }
    line_ += '}';
    if (record.steps > 0) {
      Append(line_, ",\n   \"steps\": [");
      for (int s = 1; s <= record.steps; ++s) {
        Append(line_, s > 1 ? ",\n     {\"step\": " : "\n     {\"step\": ");
        Append(line_, std::to_string(s));
        for (const TidyValue& v : record.values) {
          if (v.step != s) continue;
          Append(line_, ", ");
          JsonString(line_, GbkToUtf8(v.name));
          Append(line_, ": ");
          Append(line_, FloatText(v.value));
        }
        line_ += '}';
      }
      line_ += ']';
    }
    line_ += '}';
  }
  first_ = false;
  sink_.Write(line_);
}

void TidyWriter::End() {
  if (format_ == TidyFormat::kJson) sink_.Write(first_ ? "]\n" : "\n]\n");
}

}  // namespace corvel
