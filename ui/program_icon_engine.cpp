#include "program_icon_engine.h"

#include "pictures.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>
#include <span>

namespace pentora {

QList<QSize> ProgramIconEngine::availableSizes(QIcon::Mode /*mode*/, QIcon::State /*state*/) {
    QList<QSize> sizes;
    for (const int side : pictures::iconSides()) {
        sizes.append(QSize(side, side));
    }
    return sizes;
}

QPixmap ProgramIconEngine::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State /*state*/) {
    // The smallest drawing that covers the size asked for, else the largest.
    const std::span<const int> sides = pictures::iconSides();
    const int wanted = std::max(size.width(), size.height());
    const auto fits =
        std::find_if(sides.begin(), sides.end(), [wanted](int side) { return side >= wanted; });
    const int side = fits != sides.end() ? *fits : sides.back();
    QPixmap drawn = QPixmap::fromImage(pictures::icon(side));
    if (drawn.size() != size && !size.isEmpty()) {
        drawn = drawn.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    if (mode != QIcon::Disabled) {
        return drawn;
    }
    QStyleOption option;
    option.palette = QGuiApplication::palette();
    return QApplication::style()->generatedIconPixmap(mode, drawn, &option);
}

void ProgramIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
                              QIcon::State state) {
    const qreal ratio = painter->device()->devicePixelRatio();
    painter->drawPixmap(rect, pixmap(rect.size() * ratio, mode, state));
}

} // namespace pentora
