// The real dialogs behind the window's questions: the exclamation box with OK and Cancel, and
// the file dialogs set up as the window asks.
#include "prompter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "app_test_support.h"

namespace {

// Runs `act` on the modal dialog once it is up; a dialog that a failed check left open is closed.
template <class Dialog>
void WhenShown(std::function<void(Dialog*)> act) {
  QTimer::singleShot(0, [act] {
    auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
    QVERIFY(dialog != nullptr);
    act(dialog);
    if (dialog->isVisible()) QMetaObject::invokeMethod(dialog, "reject", Qt::QueuedConnection);
  });
}

}  // namespace

class PrompterTest : public QObject {
  Q_OBJECT

 private slots:
  void questionHasTheWarningIconAndOkCancel();
  void saveDialogIsSetUpAsAsked();
  void openDialogIsSetUpAsAsked();
};

void PrompterTest::questionHasTheWarningIconAndOkCancel() {
  corvel::app::QtPrompter prompter;
  WhenShown<QMessageBox>([](QMessageBox* box) {
    QCOMPARE(box->icon(), QMessageBox::Warning);
    QCOMPARE(box->text(), QStringLiteral("要删除选中的数据文件吗?"));
    QCOMPARE(box->windowTitle(), QStringLiteral("删除"));
    QCOMPARE(box->standardButtons(), QMessageBox::Ok | QMessageBox::Cancel);
    box->button(QMessageBox::Cancel)->click();
  });
  QVERIFY(!prompter.AskOkCancel(nullptr, QStringLiteral("要删除选中的数据文件吗?"),
                                QStringLiteral("删除")));

  WhenShown<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::Ok)->click(); });
  QVERIFY(prompter.AskOkCancel(nullptr, QStringLiteral("q"), QStringLiteral("c")));

  // Closing the box is not an OK.
  WhenShown<QMessageBox>([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); });
  QVERIFY(!prompter.AskOkCancel(nullptr, QStringLiteral("q"), QStringLiteral("c")));
}

void PrompterTest::saveDialogIsSetUpAsAsked() {
  QTemporaryDir dir;
  corvel::app::QtPrompter prompter;
  const corvel::app::SaveSetup setup{QStringLiteral("存储表格数据"), QStringLiteral("FLGrid_"),
                                     QStringLiteral("*.csv"), QStringLiteral("csv")};
  const QString folder = dir.path();
  WhenShown<QFileDialog>([folder](QFileDialog* dialog) {
    QCOMPARE(dialog->windowTitle(), QStringLiteral("存储表格数据"));
    QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
    QCOMPARE(dialog->defaultSuffix(), QStringLiteral("csv"));
    QCOMPARE(dialog->nameFilters(), QStringList({QStringLiteral("*.csv")}));
    QVERIFY(!dialog->testOption(QFileDialog::DontConfirmOverwrite));
    QCOMPARE(QFileInfo(dialog->selectedFiles().value(0)).fileName(), QStringLiteral("FLGrid_.csv"));
    dialog->setDirectory(folder);
    dialog->selectFile(folder + QStringLiteral("/table"));
    QMetaObject::invokeMethod(dialog, "accept");
  });
  // A name typed without an extension gets the default one.
  QCOMPARE(prompter.SaveFileName(nullptr, setup), dir.filePath(QStringLiteral("table.csv")));

  WhenShown<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
  QVERIFY(prompter.SaveFileName(nullptr, setup).isEmpty());
}

void PrompterTest::openDialogIsSetUpAsAsked() {
  corvel::app::QtPrompter prompter;
  WhenShown<QFileDialog>([](QFileDialog* dialog) {
    QCOMPARE(dialog->windowTitle(), QStringLiteral("打开文件"));
    QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptOpen);
    QCOMPARE(dialog->fileMode(), QFileDialog::ExistingFile);
    QCOMPARE(dialog->nameFilters(), QStringList({QStringLiteral("*.bin")}));
    dialog->reject();
  });
  QVERIFY(prompter
              .OpenFileName(nullptr, QStringLiteral("打开文件"), QStringLiteral("*.bin"),
                            QStringLiteral("*.bin"))
              .isEmpty());
}

CORVEL_APP_TEST_MAIN(PrompterTest)
#include "prompter_test.moc"
