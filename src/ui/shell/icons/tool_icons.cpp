#include "ui/shell/icons/tool_icons.h"

#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace zorvel {
namespace {

// Every drawing works on a 16 x 16 grid; the engine scales it to the size asked.
using Drawing = std::function<void(QPainter&)>;

const QColor kInk(0x30, 0x30, 0x30);
const QColor kPaper(0xFF, 0xFF, 0xFF);
const QColor kBlue(0x2F, 0x6D, 0xB5);
const QColor kLightBlue(0xB9, 0xD3, 0xF0);
const QColor kGreen(0x3A, 0x8A, 0x3A);
const QColor kLightGreen(0xC5, 0xE6, 0xC0);
const QColor kYellow(0xF2, 0xC9, 0x4C);
const QColor kRed(0xD0, 0x2A, 0x2A);
const QColor kGrey(0x9A, 0x9A, 0x9A);

QPen Ink(qreal width = 1.0, QColor color = kInk) {
  QPen pen(color, width);
  pen.setJoinStyle(Qt::RoundJoin);
  pen.setCapStyle(Qt::RoundCap);
  return pen;
}

// A sheet of paper with a folded corner.
void Page(QPainter& p, QRectF r, QColor fill = kPaper) {
  QPainterPath path;
  const qreal fold = 3;
  path.moveTo(r.left(), r.top());
  path.lineTo(r.right() - fold, r.top());
  path.lineTo(r.right(), r.top() + fold);
  path.lineTo(r.right(), r.bottom());
  path.lineTo(r.left(), r.bottom());
  path.closeSubpath();
  p.setPen(Ink());
  p.setBrush(fill);
  p.drawPath(path);
  p.drawLine(QPointF(r.right() - fold, r.top()), QPointF(r.right() - fold, r.top() + fold));
  p.drawLine(QPointF(r.right() - fold, r.top() + fold), QPointF(r.right(), r.top() + fold));
}

// Lines of text on a page.
void TextLines(QPainter& p, qreal left, qreal right, qreal top, int count, QColor color = kGrey) {
  p.setPen(Ink(1, color));
  for (int i = 0; i < count; ++i) p.drawLine(QPointF(left, top + 2 * i), QPointF(right, top + 2 * i));
}

// A page image: a sheet with three registers of vertical lines.
void PictureSheet(QPainter& p, QRectF r) {
  p.setPen(Ink());
  p.setBrush(kLightGreen);
  p.drawRect(r);
  p.setPen(Ink(1, kGreen));
  for (qreal x = r.left() + 2; x < r.right() - 1; x += 2)
    p.drawLine(QPointF(x, r.top() + 2), QPointF(x, r.bottom() - 2));
}

void Folder(QPainter& p) {
  p.setPen(Ink());
  p.setBrush(kYellow.darker(115));
  QPainterPath back;
  back.moveTo(1.5, 13.5);
  back.lineTo(1.5, 3.5);
  back.lineTo(5.5, 3.5);
  back.lineTo(6.5, 5);
  back.lineTo(12.5, 5);
  back.lineTo(12.5, 13.5);
  back.closeSubpath();
  p.drawPath(back);
  p.setBrush(kYellow);
  QPainterPath front;
  front.moveTo(1.5, 13.5);
  front.lineTo(4, 7.5);
  front.lineTo(15, 7.5);
  front.lineTo(12.5, 13.5);
  front.closeSubpath();
  p.drawPath(front);
}

void Disk(QPainter& p, QColor body) {
  p.setPen(Ink());
  p.setBrush(body);
  QPainterPath path;
  path.moveTo(1.5, 1.5);
  path.lineTo(12.5, 1.5);
  path.lineTo(14.5, 3.5);
  path.lineTo(14.5, 14.5);
  path.lineTo(1.5, 14.5);
  path.closeSubpath();
  p.drawPath(path);
  p.setBrush(kPaper);
  p.drawRect(QRectF(4, 1.5, 7, 5));
  p.setBrush(kGrey);
  p.drawRect(QRectF(4, 9.5, 8, 5));
}

void Arrow(QPainter& p, QPointF from, QPointF to, QColor color, qreal head = 3) {
  p.setPen(Ink(1.6, color));
  p.drawLine(from, to);
  const QLineF line(to, from);
  QLineF a = line;
  a.setLength(head);
  a.setAngle(line.angle() + 35);
  QLineF b = line;
  b.setLength(head);
  b.setAngle(line.angle() - 35);
  p.drawLine(a);
  p.drawLine(b);
}

// A filled triangle pointing left (-1) or right (+1).
void StepTriangle(QPainter& p, int direction) {
  p.setPen(Ink());
  p.setBrush(kGreen);
  QPolygonF tri;
  if (direction < 0) {
    tri << QPointF(4, 8) << QPointF(12, 3) << QPointF(12, 13);
  } else {
    tri << QPointF(12, 8) << QPointF(4, 3) << QPointF(4, 13);
  }
  p.drawPolygon(tri);
}

void Magnifier(QPainter& p, QPointF centre, qreal radius) {
  p.setPen(Ink(1.4));
  p.setBrush(QColor(0xE8, 0xF2, 0xFC));
  p.drawEllipse(centre, radius, radius);
  p.setPen(Ink(2.4));
  const QPointF handle = centre + QPointF(radius * 0.72, radius * 0.72);
  p.drawLine(handle, handle + QPointF(radius * 0.9, radius * 0.9));
}

// Window arrangement: frames inside the client area.
void Frame(QPainter& p, QRectF r) {
  p.setPen(Ink());
  p.setBrush(kPaper);
  p.drawRect(r);
  p.setBrush(kBlue);
  p.drawRect(QRectF(r.left(), r.top(), r.width(), 2));
}

// A page with its three registers (bands); the dot marks one character.
void Registers(QPainter& p, int reg, bool first) {
  p.setPen(Ink());
  p.setBrush(kPaper);
  p.drawRect(QRectF(1.5, 0.5, 13, 15));
  for (int i = 0; i < 3; ++i) {
    const QRectF band(3, 2 + i * 4.5, 9.5, 3.5);
    p.setPen(Qt::NoPen);
    p.setBrush(i == reg ? kLightBlue : QColor(0xE4, 0xE4, 0xE4));
    p.drawRect(band);
  }
  const QRectF band(3, 2 + reg * 4.5, 9.5, 3.5);
  p.setPen(Qt::NoPen);
  p.setBrush(kRed);
  const QPointF dot =
      first ? QPointF(band.right() - 1, band.top() + 1) : QPointF(band.left() + 1, band.bottom() - 1);
  p.drawEllipse(dot, 1.7, 1.7);
}

QHash<QString, Drawing> Drawings() {
  QHash<QString, Drawing> d;
  const Drawing open = [](QPainter& p) { Folder(p); };
  const Drawing save = [](QPainter& p) { Disk(p, kBlue); };
  const Drawing previous = [](QPainter& p) { StepTriangle(p, -1); };
  const Drawing next = [](QPainter& p) { StepTriangle(p, +1); };
  d["ToolbarButton971"] = open;
  d["ToolbarButton9733"] = open;
  d["ToolbarButton972"] = save;
  d["ToolbarButton9734"] = save;
  d["ToolbarButton9716"] = previous;
  d["ToolbarButton9726"] = previous;
  d["ToolbarButton974"] = next;
  d["ToolbarButton9727"] = next;
  // Undo: a curved arrow back.
  d["ToolbarButton973"] = [](QPainter& p) {
    p.setPen(Ink(1.8, kBlue));
    p.setBrush(Qt::NoBrush);
    QPainterPath path;
    path.moveTo(4, 6);
    path.cubicTo(9, 2, 15, 5, 13, 10);
    path.cubicTo(12, 13, 9, 14, 7, 14);
    p.drawPath(path);
    p.setBrush(kBlue);
    p.setPen(Ink(1, kBlue));
    p.drawPolygon(QPolygonF() << QPointF(1.5, 7) << QPointF(6, 2.5) << QPointF(6.5, 8.5));
  };
  // Cut: scissors.
  d["ToolbarButton976"] = [](QPainter& p) {
    p.setPen(Ink(1.3));
    p.drawLine(QPointF(4.5, 1.5), QPointF(10, 10));
    p.drawLine(QPointF(11.5, 1.5), QPointF(6, 10));
    p.setPen(Ink(1.5, kRed));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(4.5, 12), 2.5, 2.5);
    p.drawEllipse(QPointF(11.5, 12), 2.5, 2.5);
  };
  // Copy: two sheets.
  d["ToolbarButton975"] = [](QPainter& p) {
    Page(p, QRectF(1.5, 1.5, 8, 10));
    TextLines(p, 3, 7, 5, 3);
    Page(p, QRectF(6.5, 4.5, 8, 10));
    TextLines(p, 8, 12.5, 8, 3);
  };
  // Paste: a clipboard with a sheet.
  d["ToolbarButton977"] = [](QPainter& p) {
    p.setPen(Ink());
    p.setBrush(QColor(0xC2, 0x8E, 0x52));
    p.drawRoundedRect(QRectF(1.5, 2.5, 10, 12.5), 1, 1);
    p.setBrush(kGrey);
    p.drawRect(QRectF(4, 1, 5, 3));
    Page(p, QRectF(7.5, 6.5, 7, 8.5));
    TextLines(p, 9, 12.5, 9.5, 3);
  };
  // Side by side.
  d["ToolbarButton978"] = [](QPainter& p) {
    Frame(p, QRectF(0.5, 1.5, 7, 13));
    Frame(p, QRectF(8.5, 1.5, 7, 13));
  };
  // Stacked one above the other.
  d["ToolbarButton979"] = [](QPainter& p) {
    Frame(p, QRectF(0.5, 0.5, 15, 7));
    Frame(p, QRectF(0.5, 8.5, 15, 7));
  };
  // Cascade.
  d["ToolbarButton9711"] = [](QPainter& p) {
    Frame(p, QRectF(0.5, 0.5, 9, 8));
    Frame(p, QRectF(3.5, 3.5, 9, 8));
    Frame(p, QRectF(6.5, 6.5, 9, 9));
  };
  // Find the next difference mark: braces under a magnifier.
  d["ToolbarButton9712"] = [](QPainter& p) {
    p.setPen(Ink(1.4, kBlue));
    p.setBrush(Qt::NoBrush);
    QPainterPath left;
    left.moveTo(4, 1.5);
    left.cubicTo(2, 1.5, 3, 5.5, 1, 5.5);
    left.cubicTo(3, 5.5, 2, 9.5, 4, 9.5);
    p.drawPath(left);
    QPainterPath right;
    right.moveTo(9, 1.5);
    right.cubicTo(11, 1.5, 10, 5.5, 12, 5.5);
    right.cubicTo(10, 5.5, 11, 9.5, 9, 9.5);
    p.drawPath(right);
    p.drawLine(QPointF(6.5, 2), QPointF(6.5, 9));
    Magnifier(p, QPointF(10, 10), 3);
  };
  // Show the character on the page: a page with the red cross.
  d["ToolbarButton9710"] = [](QPainter& p) {
    PictureSheet(p, QRectF(1.5, 1.5, 13, 13));
    p.setPen(Ink(1.5, kRed));
    p.drawLine(QPointF(8, 2), QPointF(8, 14));
    p.drawLine(QPointF(2, 7), QPointF(14, 7));
  };
  // Choose the reading: two choices, one ticked.
  d["ToolbarButton9714"] = [](QPainter& p) {
    p.setPen(Ink());
    p.setBrush(kPaper);
    p.drawRect(QRectF(1.5, 1.5, 13, 5));
    p.drawRect(QRectF(1.5, 9.5, 13, 5));
    TextLines(p, 7, 12.5, 4, 1);
    TextLines(p, 7, 12.5, 12, 1);
    p.setPen(Ink(1.8, kGreen));
    p.drawLine(QPointF(2.5, 3.5), QPointF(4, 5.5));
    p.drawLine(QPointF(4, 5.5), QPointF(6.5, 0.5));
  };
  // Set up the replacement table: a two-column table and a pencil.
  d["ToolbarButton9729"] = [](QPainter& p) {
    p.setPen(Ink());
    p.setBrush(kPaper);
    p.drawRect(QRectF(0.5, 1.5, 11, 12));
    p.setPen(Ink(1, kGrey));
    for (qreal y = 4.5; y < 13; y += 3) p.drawLine(QPointF(1, y), QPointF(11, y));
    p.drawLine(QPointF(6, 2), QPointF(6, 13));
    p.setPen(Ink(2.2, kYellow.darker(130)));
    p.drawLine(QPointF(8, 14), QPointF(14.5, 7.5));
    p.setPen(Ink(1, kInk));
    p.drawLine(QPointF(7, 15), QPointF(8, 14));
  };
  // Run the replacement table: one box turned into another.
  d["ToolbarButton9732"] = [](QPainter& p) {
    p.setPen(Ink());
    p.setBrush(kLightBlue);
    p.drawRect(QRectF(0.5, 1.5, 6, 6));
    p.setBrush(kLightGreen);
    p.drawRect(QRectF(9.5, 8.5, 6, 6));
    Arrow(p, QPointF(4, 10), QPointF(8.5, 12), kBlue, 2.5);
    Arrow(p, QPointF(8, 3), QPointF(12.5, 7), kBlue, 2.5);
  };
  // Find and replace: a magnifier over text.
  d["ToolbarButton9738"] = [](QPainter& p) {
    Page(p, QRectF(1.5, 0.5, 10, 13));
    TextLines(p, 3, 9, 4, 4);
    Magnifier(p, QPointF(9.5, 9.5), 3.2);
  };
  // Font: a capital A with a small a.
  d["ToolbarButton9728"] = [](QPainter& p) {
    p.setPen(Ink(1.8, kBlue));
    p.drawLine(QPointF(1, 14.5), QPointF(5.5, 1.5));
    p.drawLine(QPointF(5.5, 1.5), QPointF(10, 14.5));
    p.drawLine(QPointF(3, 9.5), QPointF(8, 9.5));
    p.setPen(Ink(1.4));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(12.5, 12), 2, 2.3);
    p.drawLine(QPointF(14.5, 9.5), QPointF(14.5, 14.5));
  };
  // Bookmarks: a page with a red ribbon.
  d["ToolbarButton9731"] = [](QPainter& p) {
    Page(p, QRectF(1.5, 0.5, 12, 15));
    TextLines(p, 3, 6, 5, 5);
    p.setPen(Ink(1, kRed.darker(130)));
    p.setBrush(kRed);
    p.drawPolygon(QPolygonF() << QPointF(7.5, 0.5) << QPointF(11.5, 0.5) << QPointF(11.5, 9.5)
                              << QPointF(9.5, 7.5) << QPointF(7.5, 9.5));
  };
  // First and last character of the upper, middle and lower register.
  d["ToolbarButton9724"] = [](QPainter& p) { Registers(p, 0, true); };
  d["ToolbarButton9723"] = [](QPainter& p) { Registers(p, 1, true); };
  d["ToolbarButton9722"] = [](QPainter& p) { Registers(p, 2, true); };
  d["ToolbarButton9719"] = [](QPainter& p) { Registers(p, 0, false); };
  d["ToolbarButton9720"] = [](QPainter& p) { Registers(p, 1, false); };
  d["ToolbarButton9721"] = [](QPainter& p) { Registers(p, 2, false); };
  // Line shift of a register: a band with a two-way arrow.
  d["ToolbarButton9717"] = [](QPainter& p) {
    p.setPen(Ink());
    p.setBrush(kLightBlue);
    p.drawRect(QRectF(1.5, 4.5, 13, 7));
    p.setPen(Ink(1, kBlue));
    for (qreal x = 3.5; x < 14; x += 2) p.drawLine(QPointF(x, 6), QPointF(x, 10));
    Arrow(p, QPointF(8, 2), QPointF(14.5, 2), kRed, 2);
    Arrow(p, QPointF(8, 2), QPointF(1.5, 2), kRed, 2);
    Arrow(p, QPointF(8, 14), QPointF(14.5, 14), kRed, 2);
    Arrow(p, QPointF(8, 14), QPointF(1.5, 14), kRed, 2);
  };
  // Open a page image.
  d["ToolbarButton9718"] = [](QPainter& p) {
    PictureSheet(p, QRectF(4.5, 0.5, 11, 10));
    Folder(p);
  };
  // Save the calibration: a green disk with the marker's cross.
  d["ToolbarButton9725"] = [](QPainter& p) {
    Disk(p, kGreen);
    p.setPen(Ink(1.4, kRed));
    p.drawLine(QPointF(7.5, 2), QPointF(7.5, 6));
    p.drawLine(QPointF(5, 4), QPointF(10, 4));
  };
  // A run of pages: stacked sheets and a play sign.
  d["ToolbarButton9737"] = [](QPainter& p) {
    PictureSheet(p, QRectF(5.5, 0.5, 10, 10));
    PictureSheet(p, QRectF(3, 2.5, 10, 10));
    PictureSheet(p, QRectF(0.5, 4.5, 10, 11));
    p.setPen(Ink());
    p.setBrush(kPaper);
    p.drawPolygon(QPolygonF() << QPointF(3.5, 7) << QPointF(8.5, 10) << QPointF(3.5, 13));
  };
  // To the top-right corner of the page.
  d["ToolbarButton9715"] = [](QPainter& p) {
    PictureSheet(p, QRectF(0.5, 3.5, 12, 12));
    p.setPen(Ink(1, kRed));
    p.setBrush(kRed);
    p.drawRect(QRectF(9, 4, 3, 3));
    Arrow(p, QPointF(2.5, 13.5), QPointF(14.5, 1.5), kInk, 3.5);
  };
  // Scale: a magnifier with a plus and a minus.
  d["ToolbarButton9736"] = [](QPainter& p) {
    Magnifier(p, QPointF(6.5, 6.5), 5);
    p.setPen(Ink(1.2, kBlue));
    p.drawLine(QPointF(4, 6.5), QPointF(9, 6.5));
    p.drawLine(QPointF(6.5, 4), QPointF(6.5, 9));
  };
  return d;
}

class DrawingEngine : public QIconEngine {
 public:
  explicit DrawingEngine(Drawing drawing) : drawing_(std::move(drawing)) {}
  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->translate(rect.topLeft());
    painter->scale(rect.width() / 16.0, rect.height() / 16.0);
    if (mode == QIcon::Disabled) painter->setOpacity(0.35);
    drawing_(*painter);
    painter->restore();
  }
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    paint(&painter, QRect(QPoint(0, 0), size), mode, state);
    return pixmap;
  }
  QIconEngine* clone() const override { return new DrawingEngine(drawing_); }

 private:
  Drawing drawing_;
};

}  // namespace

QIcon ToolIcon(const QString& buttonName) {
  static const QHash<QString, Drawing> drawings = Drawings();
  const auto it = drawings.find(buttonName);
  if (it == drawings.end()) return {};
  return QIcon(new DrawingEngine(*it));
}

}  // namespace zorvel
