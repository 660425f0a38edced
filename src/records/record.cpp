#include "records/record.h"

namespace corvel {

RecordStamp Record::stamp() const {
  return {image_->I8(off_ + kOffYear),     image_->I8(off_ + kOffYear + 1),
          image_->I8(off_ + kOffYear + 2), image_->I8(off_ + kOffYear + 3),
          image_->I8(off_ + kOffYear + 4), image_->I8(off_ + kOffYear + 5)};
}

namespace {

size_t TextField(const FileImage& image, uint64_t off, size_t width, char* out) {
  size_t n = 0;
  while (n < width) {
    const uint8_t c = image.U8(off + n);
    if (c == 0) break;
    out[n++] = static_cast<char>(c);
  }
  out[n] = '\0';
  return n;
}

}  // namespace

size_t Record::name(char out[9]) const {
  return TextField(*image_, uint64_t{off_} + kOffName, 8, out);
}

size_t Record::program_name(char out[17]) const {
  return TextField(*image_, uint64_t{off_} + kOffProgramName, 16, out);
}

}  // namespace corvel
