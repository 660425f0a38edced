// The chart view under the offscreen platform: what Render() puts on the Qt chart, and the saved
// picture of an OJIP comparison and of a pulse kinetics single view.
#include "chart_view.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QtCharts/QChart>
#include <QtCharts/QLogValueAxis>
#include <QtCharts/QValueAxis>
#include <QtTest/QtTest>
#include <algorithm>
#include <cstring>
#include <memory>

#include "charts/draw.h"
#include "params/result_tables.h"
#include "records/file_image.h"
#include "records/measurement_type.h"
#include "records/record_list.h"
#include "synth/instruments.h"
#include "synth/writer.h"

namespace {

// A measurement file, its list for one type with every record selected, and the chart drawn for
// that selection, as the window would hold them after select all.
struct Drawn {
  std::unique_ptr<corvel::FileImage> image = std::make_unique<corvel::FileImage>();
  std::unique_ptr<corvel::RecordList> list = std::make_unique<corvel::RecordList>();
  std::unique_ptr<corvel::ResultTables> results = std::make_unique<corvel::ResultTables>();
  corvel::ChartState chart;

  Drawn(const corvel::synth::FileBuilder& builder, int radio) {
    const corvel::synth::Bytes bytes = builder.File();
    std::memcpy(image->header.data(), bytes.data(), corvel::kHeaderSize);
    std::memcpy(image->area(), bytes.data() + corvel::kHeaderSize,
                bytes.size() - corvel::kHeaderSize);
    image->loaded_bytes = static_cast<uint32_t>(bytes.size() - corvel::kHeaderSize);
    uint32_t tally = 0;
    const uint8_t code = corvel::kRadioTypeCode[radio];
    corvel::ResetForTypeSwitch(chart, radio);
    corvel::FillFNtoListBox(*image, code, *list, tally);
    corvel::CacuFNinListBox(*image, code, *list, *results);
    uint32_t fm_max = 0;
    for (int i = 0; i < list->count; ++i) {
      list->selected[i] = 1;
      if (radio == 0 && results->ojip[i].Fm > fm_max) fm_max = results->ojip[i].Fm;
    }
    list->selected_count = list->count;
    corvel::DrawChartForRadio(radio, {*image, *list, *results, fm_max}, chart);
  }
};

int CountColour(const QImage& image, uint32_t rgb) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if ((image.pixel(x, y) & 0xFFFFFF) == rgb) ++n;
  return n;
}

}  // namespace

class ChartViewTest : public QObject {
  Q_OBJECT

 private slots:
  void OjipComparisonPicture();
  void PulseKineticsSinglePicture();
  void FailedSaveNamesThePath();
  void RangeChangesKeepTheLabelsFew();
};

void ChartViewTest::OjipComparisonPicture() {
  corvel::synth::Rng rng(7);
  corvel::synth::SynthStamp stamp;
  corvel::synth::FileBuilder b;
  for (int i = 0; i < 3; ++i) {
    b.Add(corvel::synth::SynthOjip(rng, stamp));
    stamp.Advance(600);
  }
  Drawn d(b, 0);
  QCOMPARE(d.list->count, 3);

  ChartView view(&d.chart);
  view.resize(900, 600);
  view.show();
  QVERIFY(QTest::qWaitForWindowExposed(&view));
  view.Render();
  QCoreApplication::processEvents();

  // The time axis is the logarithmic one, labelled in microseconds with thousands separators.
  QLogValueAxis* time = nullptr;
  for (QAbstractAxis* axis : view.chart()->axes(Qt::Horizontal))
    if (axis->isVisible()) time = qobject_cast<QLogValueAxis*>(axis);
  QVERIFY(time != nullptr);
  QCOMPARE(time->min(), 10.0);
  QCOMPARE(time->max(), 10000000.0);
  QCOMPARE(time->labelFormat(), QStringLiteral("%'.0fus"));
  QCOMPARE(QString::asprintf(time->labelFormat().toLatin1().constData(), 10000000.0),
           QStringLiteral("10,000,000us"));

  QTemporaryDir dir;
  QVERIFY(dir.isValid());
  const QString path = dir.filePath(QStringLiteral("FLPic_.bmp"));
  QString error;
  QVERIFY2(view.SavePicture(path, &error), qPrintable(error));
  QImage picture(path, "BMP");
  QVERIFY(!picture.isNull());
  QCOMPARE(picture.size(), view.size());
  QVERIFY(CountColour(picture, 0xFFFFFF) > picture.width() * picture.height() / 2);
  QVERIFY(CountColour(picture, 0x800000) > 100);  // second curve, maroon
  QVERIFY(CountColour(picture, 0x008000) > 100);  // third curve, green

  // A curve hidden by its box stays hidden in the picture; the file is replaced.
  corvel::SetBoxChecked(d.chart, 0, 2, false);
  view.Render();
  QVERIFY2(view.SavePicture(path, &error), qPrintable(error));
  picture = QImage(path, "BMP");
  QCOMPARE(CountColour(picture, 0x008000), 0);
  QVERIFY(CountColour(picture, 0x800000) > 100);
  QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("FLPic_.bmp")});
}

void ChartViewTest::PulseKineticsSinglePicture() {
  corvel::synth::Rng rng(11);
  corvel::synth::FileBuilder b;
  b.Add(corvel::synth::SynthSlowKin(rng, corvel::synth::SynthStamp{}, 6));
  Drawn d(b, 1);
  QCOMPARE(d.list->count, 1);
  QCOMPARE(d.chart.line[0].points.size(), size_t{5});

  ChartView view(&d.chart);
  view.resize(800, 500);
  view.show();
  QVERIFY(QTest::qWaitForWindowExposed(&view));
  view.Render();
  QCoreApplication::processEvents();

  QList<QAbstractAxis*> right = view.chart()->axes(Qt::Vertical);
  int shown = 0;
  for (QAbstractAxis* axis : right) shown += axis->isVisible() ? 1 : 0;
  QCOMPARE(shown, 2);  // the ratios on the left, rETR on the right

  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("slowkin.bmp"));
  QString error;
  QVERIFY2(view.SavePicture(path, &error), qPrintable(error));
  const QImage picture(path, "BMP");
  QCOMPARE(picture.size(), view.size());
  // Curves of boxes 5 to 8: olive, navy, purple, fuchsia (none of them used by axes or text).
  for (const uint32_t rgb : {0x808000u, 0x000080u, 0x800080u, 0xFF00FFu})
    QVERIFY2(CountColour(picture, rgb) > 50, qPrintable(QString::number(rgb, 16)));
}

void ChartViewTest::FailedSaveNamesThePath() {
  corvel::ChartState state;
  ChartView view(&state);
  view.resize(300, 200);
  view.show();
  QVERIFY(QTest::qWaitForWindowExposed(&view));
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("missing/FLPic_.bmp"));
  QString error;
  QVERIFY(!view.SavePicture(path, &error));
  QVERIFY2(error.contains(path), qPrintable(error));
  QVERIFY(!QFile::exists(path));
}

// One selection's axes follow another's; the number of labels stays what the plot area holds,
// whichever way the range jumps (a tick step left over from the other range laid out thousands).
void ChartViewTest::RangeChangesKeepTheLabelsFew() {
  corvel::ChartState state;
  state.right.visible = true;
  ChartView view(&state);
  view.resize(900, 600);
  view.show();
  QVERIFY(QTest::qWaitForWindowExposed(&view));
  const auto labels = [&](Qt::Orientation orientation) {
    int most = 0;
    for (QAbstractAxis* axis : view.chart()->axes(orientation)) {
      auto* value = qobject_cast<QValueAxis*>(axis);
      if (value && value->isVisible())
        most =
            std::max(most, static_cast<int>((value->max() - value->min()) / value->tickInterval()));
    }
    return most;
  };
  const double ranges[][2] = {{0, 1}, {0, 2581}, {0, 0.5}, {-3, 70}, {0, 30}, {0, 9998}};
  for (const auto& r : ranges) {
    state.bottom.min = state.left.min = state.right.min = r[0];
    state.bottom.max = state.left.max = state.right.max = r[1];
    view.Render();
    QCoreApplication::processEvents();
    QVERIFY2(labels(Qt::Vertical) >= 2 && labels(Qt::Vertical) <= 30,
             qPrintable(QString::number(r[1])));
    QVERIFY2(labels(Qt::Horizontal) >= 2 && labels(Qt::Horizontal) <= 30,
             qPrintable(QString::number(r[1])));
  }
}

QTEST_MAIN(ChartViewTest)
#include "chart_view_test.moc"
