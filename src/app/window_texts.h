// The fixed texts of the two windows: captions, questions and dialog titles, exactly as the
// instrument's users know them.
#pragma once

#include <QString>

namespace corvel::app {

inline const QString kWindowCaption = QStringLiteral("Corvel-2740藻类荧光仪数据查看");

inline const QString kAskDelete = QStringLiteral("要删除选中的数据文件吗?");
inline const QString kAskDeleteCaption = QStringLiteral("删除");
inline const QString kAskExit = QStringLiteral("有数据被删除后未保存，仍要退出吗?");
inline const QString kAskOpenOther = QStringLiteral("有数据被删除后未保存，仍要打开其他文件吗?");
inline const QString kWarningCaption = QStringLiteral("警告");

inline const QString kOpenTitle = QStringLiteral("打开文件");
inline const QString kOpenInitialName = QStringLiteral("*.bin");
inline const QString kOpenFilter = QStringLiteral("*.bin");

// Radio items of the measurement type, in screen order.
inline const QString kTypeItems[10] = {
    QStringLiteral("OJIP测量"),   QStringLiteral("脉冲瞬态荧光动力学"),
    QStringLiteral("快速光响应曲线"), QStringLiteral("暗弛豫(DR)"),
    QStringLiteral("后稳态"),     QStringLiteral("鼓包(PIFR)"),
    QStringLiteral("瞬态光曲线"),   QStringLiteral("测定Fo'"),
    QStringLiteral("自定义"),     QStringLiteral("叶绿素浓度测量")};

// Save modes of the save-mode dialog, by item index.
inline const QString kSaveModeItems[4] = {
    QStringLiteral("保存所有测量类型数据"), QStringLiteral("保存当前测量类型数据"),
    QStringLiteral("保存选中的数据"), QStringLiteral("保存选中的数据(表格形式)")};

}  // namespace corvel::app
