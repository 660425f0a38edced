// The chart view under the offscreen platform: what Render() puts on the Qt chart, the saved
// picture of an OJIP comparison and of a pulse kinetics single view in every format, the axis
// titles, the hover tooltip, the zoom and the curve data.
#include "chart_view.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QToolTip>
#include <QWheelEvent>
#include <QXmlStreamReader>
#include <QtCharts/QChart>
#include <QtCharts/QLogValueAxis>
#include <QtCharts/QValueAxis>
#include <QtTest/QtTest>
#include <algorithm>
#include <cstring>
#include <memory>

#include "charts/curve_data.h"
#include "charts/draw.h"
#include "params/result_tables.h"
#include "records/file_image.h"
#include "records/measurement_type.h"
#include "records/record_list.h"
#include "synth/instruments.h"
#include "synth/writer.h"

namespace {

// A save that worked; a failed one says why in the test log.
bool Saved(const corvel::FileResult& r) {
  if (!r.ok) qWarning("%s", r.message.c_str());
  return r.ok;
}

// The message of a refused save; empty when the save worked.
QString Refusal(const corvel::FileResult& r) {
  return r.ok ? QString() : QString::fromStdString(r.message);
}

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

QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool app_bytes_start(const QString& path, const char* magic) {
  return ReadFile(path).startsWith(magic);
}

int CountColour(const QImage& image, uint32_t rgb) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if ((image.pixel(x, y) & 0xFFFFFF) == rgb) ++n;
  return n;
}

// Three OJIP records drawn side by side in a shown 900 x 600 view.
struct OjipView {
  std::unique_ptr<Drawn> d;
  std::unique_ptr<ChartView> view;
};

OjipView ShowOjip(int records = 3) {
  corvel::synth::Rng rng(7);
  corvel::synth::SynthStamp stamp;
  corvel::synth::FileBuilder b;
  for (int i = 0; i < records; ++i) {
    b.Add(corvel::synth::SynthOjip(rng, stamp));
    stamp.Advance(600);
  }
  OjipView v;
  v.d = std::make_unique<Drawn>(b, 0);
  v.view = std::make_unique<ChartView>(&v.d->chart);
  v.view->resize(900, 600);
  v.view->show();
  if (!QTest::qWaitForWindowExposed(v.view.get())) return {};
  v.view->Render();
  QCoreApplication::processEvents();
  return v;
}

// Paths of an SVG by stroke colour, for the curves' width of 3 pixels.
QHash<QString, int> CurvePaths(const QByteArray& svg, QString* texts) {
  QHash<QString, int> paths;
  QXmlStreamReader xml(svg);
  QList<QPair<QString, QString>> strokes;  // of the open groups
  while (!xml.atEnd()) {
    xml.readNext();
    if (xml.isStartElement()) {
      const QString name = xml.name().toString();
      if (name == QLatin1String("g")) {
        strokes.append({xml.attributes().value(QLatin1String("stroke")).toString(),
                        xml.attributes().value(QLatin1String("stroke-width")).toString()});
      } else if (name == QLatin1String("path") && !strokes.isEmpty() &&
                 strokes.last().second == QLatin1String("3")) {
        paths[strokes.last().first]++;
      } else if (name == QLatin1String("text")) {
        *texts += xml.readElementText();
      }
    } else if (xml.isEndElement() && xml.name() == QLatin1String("g")) {
      strokes.removeLast();
    }
  }
  return xml.hasError() ? QHash<QString, int>{{QStringLiteral("error"), 1}} : paths;
}

QString AxisTitle(ChartView& view, Qt::Orientation orientation, Qt::Alignment side) {
  for (QAbstractAxis* axis : view.chart()->axes(orientation))
    if (axis->isVisible() && axis->alignment() == side) return axis->titleText();
  return {};
}

}  // namespace

class ChartViewTest : public QObject {
  Q_OBJECT

 private slots:
  void OjipComparisonPicture();
  void PulseKineticsSinglePicture();
  void FailedSaveNamesThePath();
  void RangeChangesKeepTheLabelsFew();
  void PngAt300DpiHasThePrintSizeAndTheCurves();
  void SvgHoldsOnePathPerShownCurveAndTheAxisTexts();
  void PdfIsOnePage();
  void FailedWritesOfEveryFormatNameThePath();
  void NameWithAnotherExtensionGetsNoBitmap();
  void AxisTitlesNameTheUnits();
  void HoverShowsTheSampleUnderThePointer();
  void RubberBandZoomThenDoubleClickRestoresTheDrawing();
  void WheelZoomsTheTimeAxisAroundThePointer();
  void NewDrawingDropsTheZoomABoxClickKeepsIt();
  void CurveCsvHoldsTheZoomedPart();
  void ZoomInsideADecadeKeepsTimeLabels();
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
  QVERIFY(Saved(view.SavePicture(path)));
  QImage picture(path, "BMP");
  QVERIFY(!picture.isNull());
  QCOMPARE(picture.size(), view.size());
  QVERIFY(CountColour(picture, 0xFFFFFF) > picture.width() * picture.height() / 2);
  QVERIFY(CountColour(picture, 0x800000) > 100);  // second curve, maroon
  QVERIFY(CountColour(picture, 0x008000) > 100);  // third curve, green

  // A curve hidden by its box stays hidden in the picture; the file is replaced.
  corvel::SetBoxChecked(d.chart, 0, 2, false);
  view.Render();
  QVERIFY(Saved(view.SavePicture(path)));
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
  QVERIFY(Saved(view.SavePicture(path)));
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
  const QString error = Refusal(view.SavePicture(path));
  QVERIFY(!error.isEmpty());
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

void ChartViewTest::PngAt300DpiHasThePrintSizeAndTheCurves() {
  OjipView v = ShowOjip();
  QVERIFY(v.view);
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("ojip.png"));
  QVERIFY(Saved(v.view->SavePicture(path, corvel::PictureFormat::kPng, 300)));
  QVERIFY(app_bytes_start(path, "\x89PNG"));
  QImage picture(path, "PNG");
  // 900 x 600 pixels at 96 dots per inch are 9.375 x 6.25 inches: 2813 x 1875 pixels at 300.
  QCOMPARE(picture.size(), QSize(2813, 1875));
  QCOMPARE(picture.dotsPerMeterX(), 11811);
  QVERIFY(CountColour(picture, 0x800000) > 1000);
  QVERIFY(CountColour(picture, 0x008000) > 1000);

  corvel::SetBoxChecked(v.d->chart, 0, 2, false);
  v.view->Render();
  QVERIFY(Saved(v.view->SavePicture(path, corvel::PictureFormat::kPng, 300)));
  picture = QImage(path, "PNG");
  QCOMPARE(CountColour(picture, 0x008000), 0);
  QVERIFY(CountColour(picture, 0x800000) > 1000);
}

void ChartViewTest::SvgHoldsOnePathPerShownCurveAndTheAxisTexts() {
  OjipView v = ShowOjip();
  QVERIFY(v.view);
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("ojip.svg"));
  QVERIFY(Saved(v.view->SavePicture(path)));
  QString texts;
  QHash<QString, int> paths = CurvePaths(ReadFile(path), &texts);
  QVERIFY(!paths.contains(QStringLiteral("error")));
  QCOMPARE(paths.value(QStringLiteral("#000000")), 1);
  QCOMPARE(paths.value(QStringLiteral("#800000")), 1);
  QCOMPARE(paths.value(QStringLiteral("#008000")), 1);
  QCOMPARE(paths.size(), 3);
  QVERIFY2(texts.contains(QStringLiteral("10,000,000us")), qPrintable(texts));
  QVERIFY(texts.contains(QStringLiteral("时间 (µs)")));
  QVERIFY(texts.contains(QStringLiteral("荧光强度 (a.u.)")));

  corvel::SetBoxChecked(v.d->chart, 0, 1, false);
  v.view->Render();
  QVERIFY(Saved(v.view->SavePicture(path)));
  texts.clear();
  paths = CurvePaths(ReadFile(path), &texts);
  QCOMPARE(paths.value(QStringLiteral("#800000")), 0);
  QCOMPARE(paths.size(), 2);
}

void ChartViewTest::PdfIsOnePage() {
  OjipView v = ShowOjip();
  QVERIFY(v.view);
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("ojip.pdf"));
  QVERIFY(Saved(v.view->SavePicture(path)));
  const QByteArray pdf = ReadFile(path);
  QVERIFY(pdf.startsWith("%PDF-"));
  const QRegularExpression page(QStringLiteral("/Type\\s*/Page[^s]"));
  QCOMPARE(QString::fromLatin1(pdf).count(page), 1);
  // The page is the chart's size: 900 x 600 pixels at 96 dots per inch are 675 x 450 points.
  QVERIFY(pdf.contains("/MediaBox [0 0 675.000000 450.000000]"));
  // A hidden curve is left out of the drawing: the page holds less.
  corvel::SetBoxChecked(v.d->chart, 0, 1, false);
  v.view->Render();
  const QByteArray fewer = v.view->Picture(corvel::PictureFormat::kPdf, 0);
  QVERIFY(fewer.startsWith("%PDF-"));
  QVERIFY(fewer.size() < pdf.size());
}

void ChartViewTest::FailedWritesOfEveryFormatNameThePath() {
  OjipView v = ShowOjip(1);
  QVERIFY(v.view);
  QTemporaryDir dir;
  for (const char* name : {"missing/a.png", "missing/a.svg", "missing/a.pdf", "missing/a.bmp"}) {
    const QString path = dir.filePath(QLatin1String(name));
    const QString error = Refusal(v.view->SavePicture(path));
    QVERIFY(!error.isEmpty());
    QVERIFY2(error.contains(path), qPrintable(error));
    QVERIFY(!QFile::exists(path));
  }
}

// A typed name ending in .png once got BMP bytes; now every picture name gets its own format and
// a name with another extension is refused with a message, writing nothing.
void ChartViewTest::NameWithAnotherExtensionGetsNoBitmap() {
  OjipView v = ShowOjip(1);
  QVERIFY(v.view);
  QTemporaryDir dir;
  const QString png = dir.filePath(QStringLiteral("typed.PNG"));
  QVERIFY(Saved(v.view->SavePicture(png)));
  QVERIFY(ReadFile(png).startsWith("\x89PNG"));
  QCOMPARE(QImage(png).size(), v.view->size());  // the window's PNG: the on-screen size
  for (const char* name : {"typed.jpg", "typed.png.txt", "typed"}) {
    const QString path = dir.filePath(QLatin1String(name));
    const QString error = Refusal(v.view->SavePicture(path));
    QVERIFY(!error.isEmpty());
    QVERIFY2(error.contains(path) && error.contains(QStringLiteral(".png")), qPrintable(error));
    QVERIFY(!QFile::exists(path));
  }
  QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("typed.PNG")});
}

void ChartViewTest::AxisTitlesNameTheUnits() {
  OjipView v = ShowOjip(1);
  QVERIFY(v.view);
  QCOMPARE(AxisTitle(*v.view, Qt::Horizontal, Qt::AlignBottom), QStringLiteral("时间 (µs)"));
  QCOMPARE(AxisTitle(*v.view, Qt::Vertical, Qt::AlignLeft), QStringLiteral("荧光强度 (a.u.)"));

  corvel::synth::Rng rng(11);
  corvel::synth::FileBuilder b;
  b.Add(corvel::synth::SynthSlowKin(rng, corvel::synth::SynthStamp{}, 6));
  Drawn d(b, 1);
  ChartView view(&d.chart);
  view.resize(800, 500);
  view.show();
  QVERIFY(QTest::qWaitForWindowExposed(&view));
  view.Render();
  QCOMPARE(AxisTitle(view, Qt::Horizontal, Qt::AlignBottom), QStringLiteral("脉冲序号"));
  QCOMPARE(AxisTitle(view, Qt::Vertical, Qt::AlignRight), QStringLiteral("rETR"));
  QCOMPARE(ChartView::AxisTitle(corvel::AxisQuantity::kPar), QStringLiteral("PAR (µmol m⁻² s⁻¹)"));
  QCOMPARE(ChartView::AxisTitle(corvel::AxisQuantity::kTimeS), QStringLiteral("时间 (s)"));
}

void ChartViewTest::HoverShowsTheSampleUnderThePointer() {
  OjipView v = ShowOjip();
  QVERIFY(v.view);
  // The second curve's sample 120, in the middle of the time axis.
  const corvel::ChartPoint sample = v.d->chart.smoothed[1].points[120];
  const QPoint at = v.view->PositionOf(sample.x, sample.y).toPoint();
  QTest::mouseMove(v.view->viewport(), at);
  QCoreApplication::processEvents();
  const QString text = v.view->HoverText();
  const QString caption = QString::fromLatin1(v.d->chart.box[1].caption.c_str()).trimmed();
  QVERIFY2(text.startsWith(caption), qPrintable(text));
  QVERIFY2(text.contains(QStringLiteral("时间 (µs): ") +
                         QString::fromStdString(corvel::FormatCurveNumber(sample.x))),
           qPrintable(text));
  QVERIFY2(text.contains(QStringLiteral("荧光强度 (a.u.): ") +
                         QString::fromStdString(corvel::FormatCurveNumber(sample.y))),
           qPrintable(text));
  QCOMPARE(QToolTip::text(), text);
  // Far from every curve nothing is read.
  QTest::mouseMove(v.view->viewport(), QPoint(5, 5));
  QVERIFY(v.view->HoverText().isEmpty());
}

void ChartViewTest::RubberBandZoomThenDoubleClickRestoresTheDrawing() {
  OjipView v = ShowOjip();
  QVERIFY(v.view);
  const corvel::ViewRanges drawn = v.view->ShownRanges();
  const corvel::ChartAxis bottom = v.d->chart.bottom, left = v.d->chart.left;
  const QPoint from = v.view->PositionOf(1000, 1500).toPoint();
  const QPoint to = v.view->PositionOf(100000, 500).toPoint();
  QTest::mousePress(v.view->viewport(), Qt::LeftButton, {}, from);
  QTest::mouseMove(v.view->viewport(), to);
  QTest::mouseRelease(v.view->viewport(), Qt::LeftButton, {}, to);
  QVERIFY(v.view->zoomed());
  const corvel::ViewRanges zoomed = v.view->ShownRanges();
  // The band's corners, within a pixel of the axes' scale.
  QVERIFY2(std::fabs(std::log10(zoomed.bottom.min) - 3) < 0.02,
           qPrintable(QString::number(zoomed.bottom.min)));
  QVERIFY(std::fabs(std::log10(zoomed.bottom.max) - 5) < 0.02);
  QVERIFY(std::fabs(zoomed.left.min - 500) < 10 && std::fabs(zoomed.left.max - 1500) < 10);
  QLogValueAxis* time = nullptr;
  for (QAbstractAxis* axis : v.view->chart()->axes(Qt::Horizontal))
    if (axis->isVisible()) time = qobject_cast<QLogValueAxis*>(axis);
  QVERIFY(time != nullptr);
  QCOMPARE(time->min(), zoomed.bottom.min);
  // The chart state is the drawing's as before.
  QCOMPARE(v.d->chart.bottom.min, bottom.min);
  QCOMPARE(v.d->chart.bottom.max, bottom.max);
  QCOMPARE(v.d->chart.left.max, left.max);

  QTest::mouseDClick(v.view->viewport(), Qt::LeftButton, {}, to);
  QVERIFY(!v.view->zoomed());
  const corvel::ViewRanges back = v.view->ShownRanges();
  QCOMPARE(back.bottom.min, drawn.bottom.min);
  QCOMPARE(back.bottom.max, drawn.bottom.max);
  QCOMPARE(back.left.min, drawn.left.min);
  QCOMPARE(back.left.max, drawn.left.max);
  QCOMPARE(time->min(), 10.0);
  QCOMPARE(time->max(), 10000000.0);

  // Esc restores as well.
  v.view->ZoomTo(zoomed);
  QTest::keyClick(v.view.get(), Qt::Key_Escape);
  QVERIFY(!v.view->zoomed());
}

void ChartViewTest::WheelZoomsTheTimeAxisAroundThePointer() {
  OjipView v = ShowOjip(1);
  QVERIFY(v.view);
  const QPointF at = v.view->PositionOf(10000, 1000);  // 10^4 µs, the middle of the axis
  QWheelEvent wheel(at, v.view->viewport()->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(v.view->viewport(), &wheel);
  QVERIFY(v.view->zoomed());
  const corvel::ViewRange time = v.view->ShownRanges().bottom;
  // Six decades times 0.8 around 10^4: 10^1.6 .. 10^6.4.
  QVERIFY2(std::fabs(std::log10(time.min) - 1.6) < 0.01, qPrintable(QString::number(time.min)));
  QVERIFY(std::fabs(std::log10(time.max) - 6.4) < 0.01);
  QCOMPARE(v.view->ShownRanges().left.max, v.d->chart.left.max);  // the wheel zooms time only
  // Back out: the drawing's view again.
  QWheelEvent out(at, v.view->viewport()->mapToGlobal(at), QPoint(), QPoint(0, -240), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(v.view->viewport(), &out);
  QVERIFY(!v.view->zoomed());
}

void ChartViewTest::NewDrawingDropsTheZoomABoxClickKeepsIt() {
  OjipView v = ShowOjip();
  QVERIFY(v.view);
  corvel::ViewRanges part = v.view->ShownRanges();
  part.bottom = {100, 1000, true};
  v.view->ZoomTo(part);
  corvel::SetBoxChecked(v.d->chart, 0, 0, false);
  v.view->Render();
  QVERIFY(v.view->zoomed());
  corvel::DrawChartForRadio(0, {*v.d->image, *v.d->list, *v.d->results, 0}, v.d->chart);
  v.view->Render();
  QVERIFY(!v.view->zoomed());
  QCOMPARE(v.view->ShownRanges().bottom.min, 10.0);
}

void ChartViewTest::CurveCsvHoldsTheZoomedPart() {
  OjipView v = ShowOjip(2);
  QVERIFY(v.view);
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("curves.csv"));
  QString error;
  QVERIFY(Saved(v.view->SaveCurveCsv(path)));
  const QList<QByteArray> all = ReadFile(path).split('\n');
  // Header, one row per sample, and the empty piece after the last line end.
  QCOMPARE(all.size(), static_cast<int>(v.d->chart.smoothed[0].points.size()) + 2);
  QVERIFY(all[0].startsWith("\xEF\xBB\xBFtime_us,"));
  QVERIFY(all[0].endsWith("\r"));
  corvel::ViewRanges part = v.view->ShownRanges();
  part.bottom = {100, 1000, true};
  v.view->ZoomTo(part);
  QVERIFY(Saved(v.view->SaveCurveCsv(path)));
  const QList<QByteArray> zoomed = ReadFile(path).split('\n');
  int inside = 0;
  for (const corvel::ChartPoint& p : v.d->chart.smoothed[0].points)
    inside += p.x >= 100 && p.x <= 1000 ? 1 : 0;
  QCOMPARE(zoomed.size(), inside + 2);
  error = Refusal(v.view->SaveCurveCsv(dir.filePath(QStringLiteral("missing/c.csv"))));
  QVERIFY(!error.isEmpty());
  QVERIFY(error.contains(QStringLiteral("missing/c.csv")));
}

// The time axis labels the powers of its base: zoomed between two of them it would show none.
void ChartViewTest::ZoomInsideADecadeKeepsTimeLabels() {
  OjipView v = ShowOjip(1);
  QVERIFY(v.view);
  QLogValueAxis* time = nullptr;
  for (QAbstractAxis* axis : v.view->chart()->axes(Qt::Horizontal))
    if (axis->isVisible()) time = qobject_cast<QLogValueAxis*>(axis);
  QVERIFY(time != nullptr);
  QCOMPARE(time->base(), 10.0);
  corvel::ViewRanges part = v.view->ShownRanges();
  part.bottom = {200, 800, true};
  v.view->ZoomTo(part);
  QCOMPARE(time->base(), 2.0);  // labels at 256 and 512 µs
  part.bottom = {300, 500, true};
  v.view->ZoomTo(part);
  QVERIFY(std::floor(std::log(500) / std::log(time->base())) -
              std::ceil(std::log(300) / std::log(time->base())) >=
          3);
  v.view->ResetZoom();
  QCOMPARE(time->base(), 10.0);
}

QTEST_MAIN(ChartViewTest)
#include "chart_view_test.moc"
