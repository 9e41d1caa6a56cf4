// Writes a board out the way a reader sees it: the human's row and the computer's row, each as
// pots 0..5 then the big pot.
#pragma once

#include "board.h"

namespace pentora::testing {

inline Board rows(Row human, Row cpu) {
    return Board{human, cpu};
}

} // namespace pentora::testing
