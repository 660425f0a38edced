#include "params/title_lists.h"

#include <cstring>

#include "params/type_params.h"

namespace corvel {

// The Greek letters are GBK: phi is A6 D5, psi is A6 D7. A literal break after a hex escape keeps
// the following letter out of the escape.
const char* const kTitlesOjip[] = {"Filename",
                                   "Date/Time",
                                   "Meas.Type",
                                   "SL(T:s)",
                                   "Fo",
                                   "Fl(100uS)",
                                   "Fk(300uS)",
                                   "Fj(2mS)",
                                   "Fi(30mS)",
                                   "Fm(Fp)",
                                   "tFm:ms",
                                   "Fv",
                                   "Fv/Fm",
                                   "Fo/Fm",
                                   "Vj",
                                   "Area",
                                   "Mo",
                                   "Sm",
                                   "N",
                                   "\xA6\xD5po",
                                   "\xA6\xD7o",
                                   "\xA6\xD5"
                                   "Eo",
                                   "\xA6\xD5"
                                   "Do",
                                   "ABS/RC",
                                   "Tro/RC",
                                   "ETo/RC",
                                   "DIo/RC",
                                   "RC/CSo",
                                   "RC/CSm",
                                   "PI_ABS",
                                   "PI_CSo",
                                   "PI_CSm",
                                   "DF-ABS",
                                   "DF-CSo",
                                   "DF-CSm",
                                   "END"};

const char* const kTitlesSlowKin[] = {
    "Filename", "Date/Time", "Meas.Type", "AL",  "SL(n)",   "Fo",    "Fm",     "Fs",
    "Fm'",      "Fo'(Cacu)", "Fv/Fm",     "Fq'", "Fv'/Fm'", "Fs/Fm", "Fm'/Fm", "Y(II)",
    "rETR(II)", "qP",        "qL",        "qN",  "NPQ",     "Y(NO)", "Y(NPQ)", "END"};

const char* const kTitlesRlc[] = {"Filename", "Date/Time", "Meas.Type", "LAdap(t:min)", "AL",
                                  "SL(n)",    "Y(II)",     "rETR",      "Fm'/Fm",       "qP",
                                  "qL",       "qN",        "Y(NO)",     "Y(NPQ)",       "END"};

const char* const kTitlesDr[] = {"Filename", "Date/Time", "Meas.Type", "LAdap(5min)",
                                 "Dark(s)",  "SL(n)",     "Fo",        "Fm",
                                 "Fv/Fm",    "NPQ",       "END"};

const char* const kTitlesAfterSs[] = {"Filename",   "Date/Time", "Meas.Type", "LAdap(5min)",
                                      "Dark/FR(S)", "AL(10S)",   "END"};

const char* const kTitlesPifr[] = {"Filename",     "Date/Time", "Meas.Type",
                                   "LAdap(T:min)", "K",         "END"};

const char* const kTitlesMultiOjip[] = {
    "Filename", "Date/Time", "Meas.Type", "Dark", "AL", "Fo", "Fl(100uS)", "Fk(300uS)",
    "Fj(2mS)",  "Fi(30mS)",  "Fm(Fp)",    "Ko",   "Kj", "Ki", "Kp",        "END"};

const char* const kTitlesFoPrime[] = {"Filename", "Date/Time", "Meas.Type", "LAdap(5min)", "FRed:S",
                                      "AL",       "Fo",        "Fo'",       "END"};

const char* const kTitlesChlConc[] = {"Filename", "Date/Time", "Meas.Type", "ChlConc(ug/L)", "END"};

void FillGridTitle(Grid& grid, const char* const* titles) {
  if (titles == nullptr) return;
  for (int c = 0; c < grid.col_count(); ++c) {
    if (std::strcmp(titles[c], "END") == 0) return;
    grid.Set(0, c, titles[c]);
  }
}

const char* const* TitleListForRadio(int radio_item) {
  const TypeParams* type = TypeParamsAt(radio_item);
  return type ? type->titles : nullptr;
}

}  // namespace corvel
