// The window's client area: the board picture drawn at its own size from the top-left corner,
// with the controls on top. On a high-density screen the picture drawn at twice the size is used.
#pragma once

#include <QPixmap>
#include <QWidget>

namespace pentora {

class BoardWidget final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 649;
    static constexpr int kHeight = 400;

    explicit BoardWidget(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const QPixmap& pictureFor(qreal ratio);

    QPixmap picture_;
    QPixmap picture2x_;
};

} // namespace pentora
