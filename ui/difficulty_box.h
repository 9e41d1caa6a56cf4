// The difficulty box. Its drop-down list is as wide as the longest item, which is wider than the
// box; the box itself keeps its place and size.
#pragma once

#include <QComboBox>

namespace pentora {

class DifficultyBox final : public QComboBox {
public:
    using QComboBox::QComboBox;

    void showPopup() override;
};

} // namespace pentora
