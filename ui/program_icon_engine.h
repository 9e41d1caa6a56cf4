// The program icon in the sizes it was drawn in, made into a pixmap only when a size is asked for
// (the X window system takes them all; other platforms show none).
#pragma once

#include <QIconEngine>

namespace pentora {

class ProgramIconEngine final : public QIconEngine {
public:
    QIconEngine* clone() const override { return new ProgramIconEngine; }
    QString key() const override { return QStringLiteral("pentora"); }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
};

} // namespace pentora
