// Pictures of the flat buttons, the menu entries and the program, drawn with QPainter into
// transparent pixmaps of the sizes the window uses.
#include "ui/icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QtMath>
#include <functional>

namespace icons {
namespace {

QIcon Draw(int size, const std::function<void(QPainter&)>& paint) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    paint(painter);
    painter.end();
    return QIcon(pixmap);
}

void Magnifier(QPainter& p) {
    p.setPen(QPen(QColor(40, 40, 40), 1.5));
    p.setBrush(QColor(220, 235, 255));
    p.drawEllipse(QRectF(1.5, 1.5, 9, 9));
    p.setPen(QPen(QColor(120, 70, 20), 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(9.5, 9.5), QPointF(14.5, 14.5));
}

void Arrow(QPainter& p, QPointF from, QPointF to) {
    p.drawLine(from, to);
    const QPointF d = to - from;
    const qreal len = std::hypot(d.x(), d.y());
    const QPointF u = d / len;
    const QPointF n(-u.y(), u.x());
    QPolygonF head;
    head << to << to - u * 3 + n * 2.5 << to - u * 3 - n * 2.5;
    p.setBrush(p.pen().color());
    p.drawPolygon(head);
}

}  // namespace

QIcon Run() {
    return Draw(32, [](QPainter& p) {
        p.setPen(QPen(QColor(0, 100, 0), 1.5));
        p.setBrush(QColor(40, 170, 40));
        QPolygonF play;
        play << QPointF(8, 4) << QPointF(27, 16) << QPointF(8, 28);
        p.drawPolygon(play);
        p.setPen(QPen(QColor(255, 230, 0), 2));
        QPainterPath wave;
        wave.moveTo(10, 16);
        wave.cubicTo(13, 9, 15, 9, 17, 16);
        wave.cubicTo(19, 22, 21, 22, 23, 16);
        p.setBrush(Qt::NoBrush);
        p.drawPath(wave);
    });
}

QIcon ZoomIn() {
    return Draw(16, [](QPainter& p) {
        Magnifier(p);
        p.setPen(QPen(QColor(0, 0, 160), 1.5));
        p.drawLine(QPointF(3.5, 6), QPointF(8.5, 6));
        p.drawLine(QPointF(6, 3.5), QPointF(6, 8.5));
    });
}

QIcon ZoomOut() {
    return Draw(16, [](QPainter& p) {
        Magnifier(p);
        p.setPen(QPen(QColor(0, 0, 160), 1.5));
        p.drawLine(QPointF(3.5, 6), QPointF(8.5, 6));
    });
}

QIcon Centre() {
    return Draw(16, [](QPainter& p) {
        p.setPen(QPen(QColor(60, 60, 60), 1));
        Arrow(p, QPointF(1, 8), QPointF(15, 8));
        Arrow(p, QPointF(8, 15), QPointF(8, 1));
        p.setPen(QPen(QColor(200, 0, 0), 1));
        p.setBrush(QColor(230, 30, 30));
        p.drawEllipse(QPointF(8, 8), 2.5, 2.5);
    });
}

QIcon EqualScales() {
    return Draw(16, [](QPainter& p) {
        p.setPen(QPen(QColor(60, 60, 60), 1));
        p.setBrush(QColor(255, 250, 200));
        p.drawRect(QRectF(4.5, 0.5, 11, 11));
        p.setPen(QPen(QColor(0, 0, 160), 1));
        Arrow(p, QPointF(4.5, 14), QPointF(15.5, 14));
        Arrow(p, QPointF(2, 11.5), QPointF(2, 0.5));
    });
}

QIcon DefaultScale() {
    return Draw(16, [](QPainter& p) {
        p.setPen(QPen(QColor(0, 0, 0), 1.2));
        p.drawArc(QRectF(1, 1, 6, 14), 90 * 16, 180 * 16);
        p.drawArc(QRectF(9, 1, 6, 14), -90 * 16, 180 * 16);
        QFont font = p.font();
        font.setPixelSize(11);
        font.setBold(true);
        p.setFont(font);
        p.setPen(QColor(0, 0, 160));
        p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, QStringLiteral("1"));
    });
}

QIcon Move() {
    return Draw(16, [](QPainter& p) {
        p.setPen(QPen(QColor(0, 90, 0), 1.2));
        Arrow(p, QPointF(8, 8), QPointF(8, 1));
        Arrow(p, QPointF(8, 8), QPointF(8, 15));
        Arrow(p, QPointF(8, 8), QPointF(1, 8));
        Arrow(p, QPointF(8, 8), QPointF(15, 8));
    });
}

QIcon Rectangle() {
    return Draw(16, [](QPainter& p) {
        p.setPen(QPen(QColor(0, 128, 0), 1, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(0.5, 0.5, 11, 9));
        p.setPen(QPen(QColor(40, 40, 40), 1.2));
        p.setBrush(QColor(220, 235, 255));
        p.drawEllipse(QRectF(6.5, 6.5, 6, 6));
        p.setPen(QPen(QColor(120, 70, 20), 2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(12, 12), QPointF(15, 15));
    });
}

QIcon Open() {
    return Draw(16, [](QPainter& p) {
        p.setPen(QPen(QColor(120, 90, 0), 1));
        p.setBrush(QColor(240, 200, 80));
        p.drawRect(QRectF(0.5, 3.5, 12, 10));
        p.setBrush(QColor(255, 225, 120));
        QPolygonF flap;
        flap << QPointF(3, 7) << QPointF(15.5, 7) << QPointF(12.5, 13.5) << QPointF(0.5, 13.5);
        p.drawPolygon(flap);
    });
}

QIcon Save() {
    return Draw(16, [](QPainter& p) {
        p.setPen(QPen(QColor(20, 20, 80), 1));
        p.setBrush(QColor(60, 80, 170));
        p.drawRect(QRectF(0.5, 0.5, 15, 15));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(3.5, 0.5, 9, 6));
        p.setBrush(QColor(200, 200, 200));
        p.drawRect(QRectF(3.5, 9.5, 9, 6));
    });
}

QIcon SavePicture() {
    return Draw(16, [](QPainter& p) {
        p.setPen(QPen(QColor(60, 60, 60), 1));
        p.setBrush(Qt::black);
        p.drawRect(QRectF(0.5, 1.5, 15, 13));
        p.setPen(QPen(QColor(255, 230, 0), 1.2));
        QPainterPath wave;
        wave.moveTo(2, 8);
        wave.cubicTo(4, 2, 6, 2, 8, 8);
        wave.cubicTo(10, 14, 12, 14, 14, 8);
        p.setBrush(Qt::NoBrush);
        p.drawPath(wave);
    });
}

QIcon SaveLog() {
    return Draw(16, [](QPainter& p) {
        p.setPen(QPen(QColor(80, 80, 80), 1));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(2.5, 0.5, 11, 15));
        p.setPen(QPen(QColor(0, 0, 150), 1));
        for (int y = 4; y <= 12; y += 3) p.drawLine(QPointF(4.5, y + 0.5), QPointF(11.5, y + 0.5));
    });
}

QIcon Help() {
    return Draw(32, [](QPainter& p) {
        p.setPen(QPen(QColor(0, 60, 140), 2));
        p.setBrush(QColor(60, 130, 220));
        p.drawEllipse(QRectF(2, 2, 28, 28));
        QFont font = p.font();
        font.setPixelSize(22);
        font.setBold(true);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRectF(2, 2, 28, 28), Qt::AlignCenter, QStringLiteral("?"));
    });
}

QIcon Program() {
    return Draw(32, [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        p.drawRoundedRect(QRectF(0, 0, 32, 32), 4, 4);
        p.setPen(QPen(Qt::white, 1));
        p.drawLine(QPointF(2, 16), QPointF(30, 16));
        p.drawLine(QPointF(16, 2), QPointF(16, 30));
        p.setPen(QPen(QColor(255, 255, 0), 2));
        QPainterPath wave;
        wave.moveTo(2, 16);
        for (int x = 2; x <= 30; ++x) wave.lineTo(x, 16 - 10 * qSin((x - 16) / 4.5));
        p.setBrush(Qt::NoBrush);
        p.drawPath(wave);
    });
}

}  // namespace icons
