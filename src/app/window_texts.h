// The fixed texts of the two windows: captions, questions and dialog titles, exactly as the
// instrument's users know them. Chinese is the source language. Each text is translated when it
// is turned into a QString, so it follows the translation installed at start and the constants
// can stand wherever a QString is taken.
#pragma once

#include <QCoreApplication>
#include <QString>

#include "records/measurement_type.h"

namespace corvel::app {

// A window text in the source language, translated in the context "WindowTexts" at use.
struct WindowText {
  const char* source;
  operator QString() const { return QCoreApplication::translate("WindowTexts", source); }
  QString text() const { return *this; }
};

inline constexpr WindowText kWindowCaption{
    QT_TRANSLATE_NOOP("WindowTexts", "Corvel-2740藻类荧光仪数据查看")};

inline constexpr WindowText kAskDelete{QT_TRANSLATE_NOOP("WindowTexts", "要删除选中的数据文件吗?")};
inline constexpr WindowText kAskDeleteCaption{QT_TRANSLATE_NOOP("WindowTexts", "删除")};
inline constexpr WindowText kAskExit{
    QT_TRANSLATE_NOOP("WindowTexts", "有数据被删除后未保存，仍要退出吗?")};
inline constexpr WindowText kAskOpenOther{
    QT_TRANSLATE_NOOP("WindowTexts", "有数据被删除后未保存，仍要打开其他文件吗?")};
inline constexpr WindowText kWarningCaption{QT_TRANSLATE_NOOP("WindowTexts", "警告")};

inline constexpr WindowText kOpenTitle{QT_TRANSLATE_NOOP("WindowTexts", "打开文件")};
// Patterns, the same in every language.
inline const QString kOpenInitialName = QStringLiteral("*.bin");
inline const QString kOpenFilter = QStringLiteral("*.bin");

// Radio items of the measurement type, in screen order.
inline constexpr WindowText kTypeItems[corvel::kTypeCount] = {
    {QT_TRANSLATE_NOOP("WindowTexts", "OJIP测量")},
    {QT_TRANSLATE_NOOP("WindowTexts", "脉冲瞬态荧光动力学")},
    {QT_TRANSLATE_NOOP("WindowTexts", "快速光响应曲线")},
    {QT_TRANSLATE_NOOP("WindowTexts", "暗弛豫(DR)")},
    {QT_TRANSLATE_NOOP("WindowTexts", "后稳态")},
    {QT_TRANSLATE_NOOP("WindowTexts", "鼓包(PIFR)")},
    {QT_TRANSLATE_NOOP("WindowTexts", "瞬态光曲线")},
    {QT_TRANSLATE_NOOP("WindowTexts", "测定Fo'")},
    {QT_TRANSLATE_NOOP("WindowTexts", "自定义")},
    {QT_TRANSLATE_NOOP("WindowTexts", "叶绿素浓度测量")}};

// Save modes of the save-mode dialog, by item index.
inline constexpr WindowText kSaveModeItems[4] = {
    {QT_TRANSLATE_NOOP("WindowTexts", "保存所有测量类型数据")},
    {QT_TRANSLATE_NOOP("WindowTexts", "保存当前测量类型数据")},
    {QT_TRANSLATE_NOOP("WindowTexts", "保存选中的数据")},
    {QT_TRANSLATE_NOOP("WindowTexts", "保存选中的数据(表格形式)")}};

}  // namespace corvel::app
