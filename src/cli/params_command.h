// corvel-cli params: the parameters of the selected records of many files as tidy data.
#pragma once

#include "cli/options.h"

namespace corvel::cli {

// Processes o.files in order. A file that cannot be read, or whose records the viewer cannot all
// show (a damaged record chain, a cut file, a full list), is reported on standard error with its
// path, and the others are still written; the status is then 1. A malformed selection gives 2.
int Params(const Options& o);

}  // namespace corvel::cli
