// One pot of the board: an opaque box showing the pot's bean count, black on its fill. The human's
// labels report clicks (press and release over the same label, left button) and mouse movement; a
// disabled label reports nothing.
#pragma once

#include "board.h"

#include <QColor>
#include <QLabel>

namespace pentora {

class PotLabel final : public QLabel {
    Q_OBJECT
public:
    PotLabel(Side side, Count slot, QWidget* parent);

    Side side() const { return side_; }
    Count slot() const { return slot_; }

    void setCount(Count value);
    void setBackground(const QColor& colour);
    QColor background() const;

signals:
    void clicked(pentora::Count slot);
    void mouseMoved(pentora::Count slot);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    Side side_;
    Count slot_;
    bool pressed_ = false;
};

} // namespace pentora
