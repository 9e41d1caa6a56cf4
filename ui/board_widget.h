// The window's client area: the board picture drawn at its own size from the top-left corner,
// with the controls on top. On a high-density screen the picture drawn at twice the size is read
// the first time it is needed.
#pragma once

#include "layout.h"

#include <QImage>
#include <QPixmap>
#include <QWidget>

namespace pentora {

class BoardWidget final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = layout::kClientWidth;
    static constexpr int kHeight = layout::kClientHeight;

    explicit BoardWidget(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_; // shares the program's pixels
    QPixmap picture2x_;
};

} // namespace pentora
