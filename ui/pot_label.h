// One pot of the board: an opaque box showing the pot's bean count, black on its fill. The human's
// labels report clicks (press and release over the same label, left button) and mouse movement; a
// disabled label reports nothing. The human's six pots can also be pressed without the mouse (a
// digit key, a screen reader's Press action), which reports a click as the mouse would.
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

    // True for the human's six pots, the ones a player plays.
    bool playable() const { return side_ == Side::Human && slot_ < kPotsPerSide; }
    // A click without the mouse: reported as a click when the pot is playable and switched on.
    void press();

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
