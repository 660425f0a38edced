#include "protocol_pictures.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

namespace corvel::app {

namespace {

const QColor kBlue(0, 0, 255);
const QColor kLightBlue(200, 215, 255);
const QColor kRed(255, 0, 0);
const QColor kBlack(0, 0, 0);

constexpr int kBase = 170;    // the time line
constexpr int kLabelGap = 6;  // between a phase and its label
constexpr int kPulse = 8;     // width of a saturating pulse
constexpr int kSaturating = 120;

class Diagram {
 public:
  explicit Diagram(QImage* image) : painter_(image) {
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(14);
    font.setBold(true);
    painter_.setFont(font);
  }

  // The time line with its arrow, from x0 to x1.
  void TimeLine(int x0, int x1) {
    painter_.setPen(QPen(kBlack, 1));
    painter_.drawLine(x0, kBase, x1, kBase);
    painter_.drawLine(x1, kBase, x1 - 6, kBase - 4);
    painter_.drawLine(x1, kBase, x1 - 6, kBase + 4);
  }

  // A dark phase: a heavy black stroke on the time line.
  void Dark(int x0, int x1, const QString& label) {
    painter_.fillRect(x0, kBase - 4, x1 - x0, 5, kBlack);
    if (!label.isEmpty()) Text((x0 + x1) / 2, kBase - 4 - kLabelGap, label, kBlack);
  }

  // A light phase of height h: a blue step over a pale fill.
  void Light(int x0, int x1, int h, const QString& label, const QColor& line = kBlue,
             bool solid = false) {
    const QColor fill = solid ? line : line == kRed ? QColor(255, 200, 200) : kLightBlue;
    painter_.fillRect(x0, kBase - h, x1 - x0, h, fill);
    painter_.setPen(QPen(line, 2));
    painter_.drawLine(x0, kBase, x0, kBase - h);
    painter_.drawLine(x0, kBase - h, x1, kBase - h);
    painter_.drawLine(x1, kBase - h, x1, kBase);
    if (!label.isEmpty())
      Text((x0 + x1) / 2, kBase - h - kLabelGap, label, line == kRed ? kRed : kBlack);
  }

  // A saturating pulse, a tall narrow bar that rises from `floor` above the time line.
  void Pulse(int x, const QString& label, int height = kSaturating, int floor = 0) {
    painter_.fillRect(x, kBase - height, kPulse, height - floor, kBlue);
    if (!label.isEmpty()) Text(x + kPulse / 2, kBase - height - kLabelGap, label, kBlack);
  }

  // A short measuring pulse of a burst.
  void Spike(int x, int height) { painter_.fillRect(x, kBase - height, 2, height, kBlue); }

  // Text centred on x with its base line at y.
  void Text(int x, int y, const QString& text, const QColor& color) {
    painter_.setPen(color);
    const int width = painter_.fontMetrics().horizontalAdvance(text);
    painter_.drawText(x - width / 2, y, text);
  }

  void Dots(int x, int y) { Text(x, y, QStringLiteral("......"), kBlack); }

  void Separator(int x) {
    painter_.setPen(QPen(QColor(160, 160, 160), 1, Qt::DashLine));
    painter_.drawLine(x, 20, x, kBase + 20);
  }

 private:
  QPainter painter_;
};

QString S(const char* text) {
  return QString::fromLatin1(text);
}

void DrawOjip(Diagram& d) {
  d.TimeLine(20, 385);
  d.Dark(30, 370, QString());
  d.Text(135, kBase - 4 - kLabelGap, S("DA"), kBlack);
  // One long saturating pulse: the whole transient is recorded under it.
  d.Light(240, 270, kSaturating, S("SL"), kBlue, true);
}

void DrawSlowKin(Diagram& d) {
  d.TimeLine(20, 385);
  d.Dark(30, 110, S("DA"));
  d.Pulse(110, S("SL"));
  d.Light(140, 345, 40, QString());
  for (const int x : {160, 200, 240}) d.Pulse(x, S("SL"));
  d.Text(184, kBase - 40 - kLabelGap, S("AL"), kBlack);
  d.Dots(283, 115);
  d.Pulse(320, S("SL"));
  d.Dark(345, 375, QString());
}

void DrawRlc(Diagram& d) {
  d.TimeLine(20, 385);
  d.Light(30, 100, 35, S("LA"));
  d.Pulse(100, S("SL"), 140);
  int x = 110;
  int h = 25;
  for (int step = 0; step < 4; ++step) {
    d.Light(x, x + 45, h, step == 0 ? S("AL") : QString());
    d.Pulse(x + 45, QString(), 140);
    x += 53;
    h += 20;
  }
  d.Dots(355, 90);
}

void DrawDr(Diagram& d) {
  d.TimeLine(20, 385);
  d.Dark(30, 85, S("DA"));
  d.Pulse(85, S("SL"));
  d.Light(105, 215, 40, S("DA/LA"));
  d.Dark(215, 375, QString());
  for (const int x : {240, 280, 320}) d.Pulse(x, S("SL"));
  d.Dots(358, 110);
}

// One panel of the after-steady-state protocol; far red replaces the dark interval in the second.
void AfterSsPanel(Diagram& d, int x0, bool far_red) {
  d.Light(x0 + 5, x0 + 55, 35, S("LA"));
  if (far_red) {
    d.Light(x0 + 55, x0 + 95, 15, S("FR"), kRed);
  } else {
    d.Dark(x0 + 55, x0 + 95, S("D"));
  }
  d.Light(x0 + 95, x0 + 150, 35, QString());
  d.Text(x0 + 112, kBase - 35 - kLabelGap, S("AL"), kBlack);
  d.Pulse(x0 + 132, S("SL"));
  d.Text(x0 + 160, 80, S("x5"), kBlack);
  d.Dots(x0 + 170, 150);
}

void DrawAfterSs(Diagram& d) {
  d.TimeLine(10, 390);
  AfterSsPanel(d, 5, false);
  d.Separator(200);
  AfterSsPanel(d, 200, true);
}

void DrawPifr(Diagram& d) {
  d.TimeLine(20, 385);
  d.Light(30, 130, 40, S("LA"));
  d.Dark(130, 375, QString());
  for (const int burst : {150, 205, 260}) {
    for (int k = 0; k < 5; ++k) d.Spike(burst + 5 * k, 70);
    if (burst == 150) d.Text(burst + 11, kBase - 70 - kLabelGap, S("PP"), kBlack);
  }
  d.Dots(330, 120);
}

void DrawMultiOjip(Diagram& d) {
  d.TimeLine(20, 385);
  d.Dark(30, 95, S("DA"));
  int h = 30;
  for (const int x : {95, 160, 225, 290}) {
    d.Light(x, x + 18, h, x == 95 ? S("AL") : QString());
    d.Dark(x + 18, x + 65, QString());
    h += 25;
  }
  d.Dots(355, 60);
}

void DrawFoPrime(Diagram& d) {
  d.TimeLine(20, 385);
  d.Dark(30, 80, S("DA"));
  d.Light(80, 100, 100, S("AL"));
  d.Light(110, 240, 40, S("LA"));
  d.Light(240, 290, 18, S("FR"), kRed);
  d.Light(300, 320, 100, S("AL"));
  d.Dark(320, 370, QString());
}

}  // namespace

QImage ProtocolPicture(int number) {
  QImage image(kPictureWidth, kPictureHeight, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    // The painter must be done with the picture before it is handed on.
    Diagram d(&image);
    switch (number) {
      case 1:
        DrawOjip(d);
        break;
      case 2:
        DrawSlowKin(d);
        break;
      case 3:
        DrawRlc(d);
        break;
      case 4:
        DrawDr(d);
        break;
      case 5:
        DrawAfterSs(d);
        break;
      case 6:
        DrawPifr(d);
        break;
      case 7:
        DrawMultiOjip(d);
        break;
      case 8:
        DrawFoPrime(d);
        break;
      default:
        break;
    }
  }
  return image;
}

}  // namespace corvel::app
