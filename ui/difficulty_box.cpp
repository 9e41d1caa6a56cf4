#include "difficulty_box.h"

#include <QAbstractItemView>

namespace pentora {

void DifficultyBox::showPopup() {
    QAbstractItemView* list = view();
    list->setMinimumWidth(list->sizeHintForColumn(0) + 2 * list->frameWidth());
    QComboBox::showPopup();
}

} // namespace pentora
