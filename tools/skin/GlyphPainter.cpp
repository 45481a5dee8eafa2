// The round button glyphs: a glossy cap inside the button's circle with a white symbol on it.

#include "Painters.h"
#include "SkinCraft.h"

#include "app/MainWindowShape.h"
#include "controls/SkinFiles.h"

#include <QPainterPath>
#include <QPolygonF>

#include <cmath>
#include <map>
#include <numbers>

using namespace skincraft;

namespace {

enum class Symbol {
    Play,
    Stop,
    Repeat,
    Speaker,
    Clear,
    PlaySong,
    Wave,
    SaveDisk,
    Global,
    Bin,
    ArrowRight,
    ArrowLeft,
    Check,
    ClearList,
    Metronome
};

struct GlyphLook {
    Symbol symbol;
    QColor body;
    bool lit = false; // a toggle shown in its "on" state
};

const QColor kGrey(82, 88, 100);
const QColor kGreen(34, 128, 70);
const QColor kRed(170, 36, 36);
const QColor kBlue(40, 90, 170);
const QColor kPurple(110, 60, 150);
const QColor kAmber(215, 125, 20);

constexpr QPointF kCentre(19, 19);

QPen symbolPen(qreal width = 2.2) {
    return QPen(QColor(250, 250, 250), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void triangle(QPainter& p, qreal left, qreal height) {
    const qreal half = height / 2;
    p.drawPolygon(QPolygonF() << QPointF(left, kCentre.y() - half)
                              << QPointF(left + height * 0.9, kCentre.y())
                              << QPointF(left, kCentre.y() + half));
}

void arrow(QPainter& p, bool right) {
    const qreal dir = right ? 1 : -1;
    p.setPen(symbolPen(2.6));
    p.drawLine(QPointF(kCentre.x() - 6 * dir, kCentre.y()), QPointF(kCentre.x() + 5 * dir, kCentre.y()));
    p.drawLine(QPointF(kCentre.x() + 6 * dir, kCentre.y()), QPointF(kCentre.x() + 1 * dir, kCentre.y() - 5));
    p.drawLine(QPointF(kCentre.x() + 6 * dir, kCentre.y()), QPointF(kCentre.x() + 1 * dir, kCentre.y() + 5));
}

void drawSymbol(QPainter& p, const GlyphLook& look) {
    p.save();
    p.setBrush(QColor(250, 250, 250));
    p.setPen(Qt::NoPen);
    switch (look.symbol) {
    case Symbol::Play:
        triangle(p, 16, 12);
        break;
    case Symbol::Stop:
        p.drawRoundedRect(QRectF(14, 14, 10, 10), 1.5, 1.5);
        break;
    case Symbol::PlaySong:
        triangle(p, 12.5, 10);
        triangle(p, 19.5, 10);
        break;
    case Symbol::Repeat: {
        p.setBrush(Qt::NoBrush);
        p.setPen(symbolPen(2.2));
        const QRectF ring(12.5, 11.5, 13, 13);
        p.drawArc(ring, 30 * 16, 300 * 16);
        // Arrow head at the arc's start (upper right), pointing counter-clockwise.
        const QPointF tip(kCentre.x() + 6.5 * std::cos(std::numbers::pi / 6),
                          kCentre.y() - 1 - 6.5 * std::sin(std::numbers::pi / 6));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(250, 250, 250));
        p.drawPolygon(QPolygonF() << tip + QPointF(-4, -3) << tip + QPointF(3, -4.5)
                                  << tip + QPointF(1.5, 2.5));
        led(p, QPointF(19, 29.5), 4, QColor(60, 255, 90), look.lit);
        break;
    }
    case Symbol::Speaker:
        p.drawPolygon(QPolygonF() << QPointF(12, 16) << QPointF(16, 16) << QPointF(21, 11) << QPointF(21, 27)
                                  << QPointF(16, 22) << QPointF(12, 22));
        p.setBrush(Qt::NoBrush);
        p.setPen(symbolPen(1.6));
        p.drawArc(QRectF(18, 14, 8, 10), -50 * 16, 100 * 16);
        p.drawArc(QRectF(17, 11, 12, 16), -50 * 16, 100 * 16);
        break;
    case Symbol::Clear:
        p.setPen(symbolPen(2.6));
        p.drawLine(QPointF(14, 14), QPointF(24, 24));
        p.drawLine(QPointF(24, 14), QPointF(14, 24));
        break;
    case Symbol::ClearList:
        p.setPen(symbolPen(1.8));
        for (qreal y : {13.0, 17.0, 21.0, 25.0})
            p.drawLine(QPointF(12, y), QPointF(19, y));
        p.setPen(symbolPen(2.4));
        p.drawLine(QPointF(21, 15), QPointF(27, 23));
        p.drawLine(QPointF(27, 15), QPointF(21, 23));
        break;
    case Symbol::Wave: {
        p.setBrush(Qt::NoBrush);
        p.setPen(symbolPen(1.8));
        QPainterPath wave;
        for (int i = 0; i <= 32; ++i) {
            const qreal x = 11 + i * 0.5;
            const qreal env = std::sin(i * std::numbers::pi / 32);
            const qreal y = kCentre.y() - std::sin(i * 0.9) * 7 * env;
            if (i == 0)
                wave.moveTo(x, y);
            else
                wave.lineTo(x, y);
        }
        p.drawPath(wave);
        break;
    }
    case Symbol::SaveDisk:
        p.drawRoundedRect(QRectF(12, 12, 14, 14), 1.5, 1.5);
        p.setBrush(look.body.darker(150));
        p.drawRect(QRectF(15, 12.5, 8, 4.5));
        p.setBrush(look.body.lighter(130));
        p.drawRect(QRectF(14.5, 20, 9, 5));
        break;
    case Symbol::Global: {
        QFont f = panelFont(11, true);
        p.setFont(f);
        p.setPen(look.lit ? QColor(255, 250, 220) : QColor(200, 204, 212));
        p.drawText(QRectF(5, 4, 28, 26), Qt::AlignCenter, "SG");
        led(p, QPointF(19, 28.5), 4, QColor(255, 190, 40), look.lit);
        break;
    }
    case Symbol::Bin:
        p.drawRoundedRect(QRectF(13, 12, 12, 2.5), 1, 1);
        p.drawRect(QRectF(17, 10.5, 4, 2));
        p.drawPolygon(QPolygonF() << QPointF(14, 15.5) << QPointF(24, 15.5) << QPointF(23, 27)
                                  << QPointF(15, 27));
        p.setPen(QPen(look.body.darker(130), 1.2));
        for (qreal x : {17.0, 19.0, 21.0})
            p.drawLine(QPointF(x, 17.5), QPointF(x, 25));
        break;
    case Symbol::ArrowRight:
        arrow(p, true);
        break;
    case Symbol::ArrowLeft:
        arrow(p, false);
        break;
    case Symbol::Check:
        p.setBrush(Qt::NoBrush);
        p.setPen(symbolPen(2.8));
        p.drawPolyline(QPolygonF() << QPointF(13, 19.5) << QPointF(17.5, 24) << QPointF(25.5, 14));
        break;
    case Symbol::Metronome: {
        // A metronome's case (a narrowing pyramid on a foot) with its pendulum swung to the right,
        // the weight part-way up the rod; the LED below says whether the practice panel shows.
        p.setBrush(Qt::NoBrush);
        p.setPen(symbolPen(1.7));
        p.drawPolygon(QPolygonF() << QPointF(16.5, 10.5) << QPointF(21.5, 10.5) << QPointF(25, 25)
                                  << QPointF(13, 25));
        p.drawLine(QPointF(12, 25.5), QPointF(26, 25.5));
        p.setPen(symbolPen(1.6));
        const QPointF pivot(19, 23);
        const QPointF top(24.5, 12);
        p.drawLine(pivot, top);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(250, 250, 250));
        const QPointF weight = pivot + (top - pivot) * 0.62;
        p.drawRect(QRectF(weight.x() - 2, weight.y() - 1.3, 4, 2.6));
        led(p, QPointF(19, 29.5), 4, QColor(60, 255, 90), look.lit);
        break;
    }
    }
    p.restore();
}

QImage paintGlyph(const GlyphLook& look, qreal scale) {
    QImage image = canvas(37, 37, QImage::Format_ARGB32_Premultiplied, scale);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const tamboro::PixelRect circle = tamboro::pictureButtonCircle();
    glossyButton(p, QRectF(circle.left, circle.top, circle.width, circle.height), look.body);
    drawSymbol(p, look);
    return image;
}

const std::map<int, GlyphLook>& imageList() {
    static const std::map<int, GlyphLook> list = {
        {0, {Symbol::Play, kGreen}},         {1, {Symbol::Stop, kRed}},
        {2, {Symbol::Repeat, kAmber, true}}, {3, {Symbol::Repeat, kGrey}},
        {4, {Symbol::PlaySong, kGreen}},     {5, {Symbol::Speaker, kBlue}},
        {6, {Symbol::Wave, kPurple}},        {7, {Symbol::SaveDisk, kBlue}},
        {8, {Symbol::Global, kGrey}},        {9, {Symbol::Global, kAmber, true}},
        {10, {Symbol::Clear, kGrey}},        {11, {Symbol::Bin, kRed}},
        {12, {Symbol::Metronome, kGrey}},    {13, {Symbol::Metronome, kAmber, true}},
    };
    return list;
}

} // namespace

QImage paintImageListEntry(int index, qreal scale) {
    return paintGlyph(imageList().at(index), scale);
}

QImage paintButtonGlyph(const QString& name, qreal scale) {
    namespace skin = tamboro::skin;
    static const std::map<QString, GlyphLook> glyphs = {
        {"playPattern", imageList().at(0)},
        {"stop", imageList().at(1)},
        {"repeatPattern", imageList().at(skin::kImageRepeatOff)},
        {"repeatSong", imageList().at(skin::kImageRepeatOff)},
        {"globalSpeed", imageList().at(skin::kImageGlobalSpeedOff)},
        {"playSong", imageList().at(4)},
        {"playInstrument", imageList().at(5)},
        {"renderSong", imageList().at(6)},
        {"savePattern", imageList().at(7)},
        {"clearPattern", imageList().at(10)},
        {"clearSong", {Symbol::ClearList, kGrey}},
        {"sendToPlayList", {Symbol::ArrowRight, kGrey}},
        {"backToLibrary", {Symbol::ArrowLeft, kGrey}},
        {"applyTimeBar", {Symbol::Check, kGreen}},
        {"libraryBin", imageList().at(11)},
        {"playListBin", imageList().at(11)},
    };
    return paintGlyph(glyphs.at(name), scale);
}
