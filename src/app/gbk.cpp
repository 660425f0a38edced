#include "gbk.h"

#include <QByteArray>
#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace corvel::app {

namespace {

bool IsAscii(std::string_view text) {
  for (const char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

}  // namespace

QString FromGbk(std::string_view gbk) {
  // Most cells are numbers: plain ASCII needs no converter.
  if (IsAscii(gbk)) return QString::fromLatin1(gbk.data(), static_cast<qsizetype>(gbk.size()));
  QStringDecoder decode("GBK");
  if (!decode.isValid()) return QString::fromLatin1(gbk.data(), static_cast<qsizetype>(gbk.size()));
  return decode(QByteArrayView(gbk.data(), static_cast<qsizetype>(gbk.size())));
}

std::string ToGbk(const QString& text) {
  QStringEncoder encode("GBK", QStringConverter::Flag::Default);
  if (!encode.isValid()) return text.toStdString();
  const QByteArray bytes = encode(text);
  return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

QString FromUtf8(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string ToPath(const QString& path) {
  const QByteArray bytes = QFile::encodeName(path);
  return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

}  // namespace corvel::app
