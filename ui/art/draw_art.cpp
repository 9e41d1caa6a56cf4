// Draws the game's two images: the board picture behind the window's controls and the program
// icon. Run it after changing a drawing and commit what it writes:
//
//     pentora_art OUTPUT_DIR
//
// It writes board.jpg (651 x 401, 96 dpi), board@2x.jpg for high-density screens,
// icon-N.png for N in 16..256 and pentora.ico (32 x 32).
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cstdio>

namespace {

constexpr int kBoardWidth = 651;
constexpr int kBoardHeight = 401;
constexpr int kDotsPerMeter96Dpi = 3780;

const QColor kGround(0xA7, 0xCA, 0xF0);
const QColor kRed(0xE0, 0x1E, 0x1E);
const QColor kGrey(0xC0, 0xC0, 0xC0);
const QColor kPaleGreen(0xC8, 0xF0, 0xC8);

// Centres of the pot labels, in pixels of the client area (each label is 33 x 25).
QPointF labelCentre(int left, int top) {
    return {left + 33 / 2.0, top + 25 / 2.0};
}

// A round pot seen slightly from above, centred on `centre`: the body with its darker side, the
// rim, the dark opening, and a small black handle at its lower left.
void drawPot(QPainter& p, QPointF centre, qreal width, qreal height, const QColor& colour) {
    const qreal rimHeight = height * 0.42;
    const QRectF box(centre.x() - width / 2, centre.y() - height / 2, width, height);
    const QRectF rim(box.left(), box.top(), width, rimHeight);
    const QRectF bottom(box.left() + width * 0.06, box.bottom() - rimHeight, width * 0.88,
                        rimHeight);

    // Shadow on the ground.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 40));
    p.drawEllipse(bottom.translated(width * 0.05, rimHeight * 0.18));

    // Body: from the rim's widest line down to the rounded bottom; lit from the left.
    QPainterPath body;
    body.moveTo(rim.left(), rim.center().y());
    body.lineTo(bottom.left(), bottom.center().y());
    body.arcTo(bottom, 180, 180);
    body.lineTo(rim.right(), rim.center().y());
    body.arcTo(rim, 0, -180);
    body.closeSubpath();
    QLinearGradient side(box.left(), 0, box.right(), 0);
    side.setColorAt(0.0, colour.lighter(115));
    side.setColorAt(0.45, colour);
    side.setColorAt(1.0, colour.darker(185));
    p.setBrush(side);
    p.setPen(QPen(colour.darker(240), 1.0));
    p.drawPath(body);

    // Rim and opening.
    p.setBrush(colour.lighter(112));
    p.drawEllipse(rim);
    const QRectF opening =
        rim.adjusted(width * 0.07, rimHeight * 0.16, -width * 0.07, -rimHeight * 0.16);
    QRadialGradient inside(opening.center(), opening.width() / 2);
    inside.setColorAt(0.0, colour.darker(260));
    inside.setColorAt(1.0, colour.darker(170));
    p.setBrush(inside);
    p.setPen(Qt::NoPen);
    p.drawEllipse(opening);

    // Handle at the lower left.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::black, qMax<qreal>(2.0, width * 0.04), Qt::SolidLine, Qt::RoundCap));
    const QRectF handle(box.left() - width * 0.05, box.bottom() - height * 0.42, width * 0.18,
                        height * 0.24);
    p.drawArc(handle, 90 * 16, 180 * 16);
}

// A flat picture of a push button with a raised edge and centred text.
void drawFlatButton(QPainter& p, const QRect& r, const QString& text) {
    p.setPen(Qt::NoPen);
    p.setBrush(kPaleGreen);
    p.drawRect(r);
    p.setPen(Qt::white);
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(QColor(0x40, 0x40, 0x40));
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
    p.setPen(Qt::black);
    p.drawText(r, Qt::AlignCenter, text);
}

// A flat picture of an empty drop-down box.
void drawFlatComboBox(QPainter& p, const QRect& r) {
    p.setPen(QColor(0x70, 0x70, 0x70));
    p.setBrush(Qt::white);
    p.drawRect(r.adjusted(0, 0, -1, -1));
    const QRect button(r.right() - r.height() + 2, r.top() + 2, r.height() - 4, r.height() - 4);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xD8, 0xD8, 0xD8));
    p.drawRect(button);
    const QPointF c = QRectF(button).center();
    QPolygonF arrow;
    arrow << QPointF(c.x() - 4, c.y() - 2) << QPointF(c.x() + 4, c.y() - 2)
          << QPointF(c.x(), c.y() + 3);
    p.setBrush(Qt::black);
    p.drawPolygon(arrow);
}

QImage drawBoard(int scale) {
    QImage image(kBoardWidth * scale, kBoardHeight * scale, QImage::Format_RGB32);
    image.setDotsPerMeterX(kDotsPerMeter96Dpi * scale);
    image.setDotsPerMeterY(kDotsPerMeter96Dpi * scale);
    image.fill(kGround);

    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(scale, scale);

    // The pots, each under its label: the computer's row at the top (red), the human's at the
    // bottom (grey), the big pots between the rows.
    constexpr int kColumns[] = {48, 152, 256, 360, 464, 568};
    for (const int left : kColumns) {
        drawPot(p, labelCentre(left, 56), 78, 66, kRed);
    }
    for (const int left : kColumns) {
        drawPot(p, labelCentre(left, 304), 78, 66, kGrey);
    }
    drawPot(p, labelCentre(56, 176), 100, 100, kRed);
    drawPot(p, labelCentre(568, 176), 100, 100, kGrey);

    // The three middle controls as flat pictures under the real ones.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    p.setFont(font);
    drawFlatButton(p, QRect(216, 160, 89, 49), QStringLiteral("Command1"));
    p.setPen(Qt::black);
    p.drawText(QRect(328, 166, 120, 16), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Level:"));
    drawFlatComboBox(p, QRect(328, 184, 153 - 17, 21));
    drawFlatButton(p, QRect(272, 224, 129, 25), QStringLiteral("-- E S C I --"));
    return image;
}

// The icon on a 32 x 32 grid: two brown pots filled with yellow and black beans, one bean flying
// from the lower pot to the upper along a dotted arc.
QImage drawIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);

    const QColor brown(0x8B, 0x4A, 0x1C);
    const QColor yellow(0xFF, 0xD4, 0x1E);
    auto pot = [&](QPointF centre, qreal w) {
        const QRectF body(centre.x() - w / 2, centre.y() - w * 0.35, w, w * 0.75);
        p.setPen(QPen(brown.darker(160), 0.8));
        p.setBrush(brown);
        p.drawChord(body, 0, -180 * 16);
        p.drawRect(QRectF(body.left(), centre.y() - w * 0.05, w, w * 0.04));
        const QRectF mouth(body.left(), centre.y() - w * 0.22, w, w * 0.36);
        p.setBrush(yellow);
        p.drawEllipse(mouth);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        const qreal bean = w * 0.11;
        for (const QPointF offset : {QPointF(-0.2, -0.02), QPointF(0.05, -0.06),
                                     QPointF(0.22, 0.02), QPointF(-0.04, 0.06)}) {
            p.drawEllipse(QPointF(centre.x() + offset.x() * w, centre.y() + offset.y() * w), bean,
                          bean * 0.75);
        }
    };
    pot(QPointF(9.5, 23.5), 16);
    pot(QPointF(23, 10.5), 15);

    // The flight: a dotted arc from the lower pot up to the upper one, the bean halfway.
    QPainterPath arc(QPointF(10, 17));
    arc.cubicTo(QPointF(9, 5), QPointF(16, 1.5), QPointF(22, 5));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::black, 1.1, Qt::DotLine, Qt::RoundCap));
    p.drawPath(arc);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawEllipse(arc.pointAtPercent(0.45), 1.8, 1.4);
    return image;
}

bool save(const QImage& image, const QString& path, const char* format, int quality = -1) {
    QImageWriter writer(path, format);
    if (quality >= 0) {
        writer.setQuality(quality);
    }
    if (!writer.write(image)) {
        std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(path),
                     qPrintable(writer.errorString()));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    bool ok = save(drawBoard(1), out.filePath(QStringLiteral("board.jpg")), "jpeg", 92);
    ok = save(drawBoard(2), out.filePath(QStringLiteral("board@2x.jpg")), "jpeg", 92) && ok;
    // 192 and 512 are the web page's icons, for a phone's home screen and the installed app.
    for (const int size : {16, 24, 32, 48, 64, 128, 192, 256, 512}) {
        ok = save(drawIcon(size), out.filePath(QStringLiteral("icon-%1.png").arg(size)), "png") &&
             ok;
    }
    ok = save(drawIcon(32), out.filePath(QStringLiteral("pentora.ico")), "ico") && ok;
    return ok ? 0 : 1;
}
