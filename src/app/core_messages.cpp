#include "core_messages.h"

#include <cerrno>
#include <cstring>
#include <string_view>

#include "records/record_list.h"
#include "viewer/session.h"

namespace corvel::app {

namespace {

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// Splits "PREFIX PATH: REASON" at the last ": " (a path may hold ": ", a system error text
// does not).
bool Split(std::string_view message, std::string_view prefix, std::string_view* path,
           std::string_view* reason) {
  if (!StartsWith(message, prefix)) return false;
  const std::string_view rest = message.substr(prefix.size());
  const size_t colon = rest.rfind(": ");
  if (colon == std::string_view::npos) return false;
  *path = rest.substr(0, colon);
  *reason = rest.substr(colon + 2);
  return true;
}

QString Utf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QString CoreMessages::Reason(const std::string& reason) {
  // The system's texts for the errors a user meets when opening or saving.
  struct Known {
    int error;
    const char* text;
  };
  static constexpr Known kSystem[] = {
      {ENOENT, QT_TR_NOOP("没有那个文件或目录")},
      {EACCES, QT_TR_NOOP("权限不够")},
      {EPERM, QT_TR_NOOP("不允许的操作")},
      {EISDIR, QT_TR_NOOP("是一个目录")},
      {ENOTDIR, QT_TR_NOOP("不是目录")},
      {ENOSPC, QT_TR_NOOP("设备上没有空间")},
      {EDQUOT, QT_TR_NOOP("超出磁盘配额")},
      {EROFS, QT_TR_NOOP("只读文件系统")},
      {EIO, QT_TR_NOOP("输入/输出错误")},
      {ENAMETOOLONG, QT_TR_NOOP("文件名过长")},
      {EFBIG, QT_TR_NOOP("文件过大")},
      {EMFILE, QT_TR_NOOP("打开的文件过多")},
      {EBUSY, QT_TR_NOOP("设备或资源忙")},
      {EXDEV, QT_TR_NOOP("无效的跨设备链接")},
  };
  for (const Known& known : kSystem)
    if (reason == std::strerror(known.error)) return tr(known.text);
  if (reason == "unknown error") return tr("未知错误");
  if (reason == "no file name") return tr("没有文件名");
  if (reason == "the output could not be produced completely") return tr("输出未能完整生成");
  if (reason == "not a regular file") return tr("不是普通文件");
  if (reason == "no process reads from this pipe") return tr("没有进程读取该管道");
  return QString::fromUtf8(reason.data(), static_cast<qsizetype>(reason.size()));
}

namespace {

// What an export adds after the reason: "; nothing was exported", "; the N files this export had
// written were removed".
QString ExportTail(std::string_view tail) {
  if (tail == "nothing was exported") return CoreMessages::tr("未导出任何文件");
  constexpr std::string_view kThe = "the ";
  if (tail.substr(0, kThe.size()) == kThe) {
    int count = 0;
    size_t k = kThe.size();
    while (k < tail.size() && tail[k] >= '0' && tail[k] <= '9')
      count = count * 10 + (tail[k++] - '0');
    if (k > kThe.size() && (tail.substr(k) == " file this export had written was removed" ||
                            tail.substr(k) == " files this export had written were removed"))
      return CoreMessages::tr("本次导出已写入的 %n 个文件已删除", nullptr, count);
  }
  return Utf8(tail);
}

}  // namespace

QString CoreMessages::Failure(const std::string& core_message) {
  std::string_view path, reason;
  if (Split(core_message, "Cannot open ", &path, &reason))
    return tr("无法打开 %1：%2").arg(Utf8(path), Reason(std::string(reason)));
  if (Split(core_message, "Cannot read ", &path, &reason))
    return tr("无法读取 %1：%2").arg(Utf8(path), Reason(std::string(reason)));
  if (Split(core_message, "cannot write ", &path, &reason)) {
    const size_t semicolon = reason.find("; ");
    if (semicolon == std::string_view::npos)
      return tr("无法写入 %1：%2").arg(Utf8(path), Reason(std::string(reason)));
    return tr("无法写入 %1：%2；%3")
        .arg(Utf8(path), Reason(std::string(reason.substr(0, semicolon))),
             ExportTail(reason.substr(semicolon + 2)));
  }
  return Utf8(core_message);
}

QString CoreMessages::Notice(const Session& session) {
  QString notice;
  const auto add = [&notice](const QString& sentence) {
    if (!notice.isEmpty()) notice += QStringLiteral("  ");
    notice += sentence;
  };
  if (session.image().cut_at_capacity)
    add(tr("文件长于64字节文件头加16 MiB记录区，超出部分未读取。"));
  const ChainEnd& end = session.chain_end();
  if (session.has_file() && end.offset < session.image().loaded_bytes)
    add(tr("记录链在记录区偏移 %1 处结束（%2），其后的数据不显示。")
            .arg(end.offset)
            .arg(end.damaged ? tr("记录长度损坏") : tr("无记录标记")));
  if (session.last_build().truncated)
    add(tr("该类型的记录超过列表容量，只列出前 %1 条。").arg(kListLimit));
  return notice;
}

QString CoreMessages::DialogTitle(const std::string& core_title) {
  // The titles the core gives its save dialogs, for lupdate; looked up by their text.
  static constexpr const char* kTitles[] = {
      QT_TR_NOOP("数据另存为"), QT_TR_NOOP("数据另存为多个文件"), QT_TR_NOOP("存储表格数据"),
      QT_TR_NOOP("存储图像"),   QT_TR_NOOP("存储比较汇总"),
  };
  for (const char* title : kTitles)
    if (core_title == title) return tr(title);
  return QString::fromUtf8(core_title.data(), static_cast<qsizetype>(core_title.size()));
}

}  // namespace corvel::app
