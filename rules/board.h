// The board: two rows of seven bean counters and the ring that a move walks along.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace pentora {

using Count = std::int16_t;

inline constexpr Count kPotsPerSide = 6;
inline constexpr Count kSlotsPerSide = 7;
inline constexpr Count kBigPot = 6;
inline constexpr Count kOpeningBeans = 4;
inline constexpr Count kTotalBeans = 48;
inline constexpr Count kNoSlot = -1;
// The counters of the whole board, both sides.
inline constexpr std::size_t kBoardSlots = 2 * std::size_t{kSlotsPerSide};

enum class Side : std::uint8_t { Human, Cpu };

constexpr Side opponent(Side side) {
    return side == Side::Human ? Side::Cpu : Side::Human;
}

// Pot i of one side faces pot 5 - i of the other.
constexpr Count facingPot(Count pot) {
    return static_cast<Count>(kPotsPerSide - 1 - pot);
}

using Row = std::array<Count, kSlotsPerSide>;

// Slots 0..5 of a row are the pots, slot 6 is the big pot.
struct Board {
    Row human{};
    Row cpu{};

    Row& row(Side side) { return side == Side::Human ? human : cpu; }
    const Row& row(Side side) const { return side == Side::Human ? human : cpu; }
    Count& at(Side side, Count slot) { return row(side).at(static_cast<std::size_t>(slot)); }
    Count at(Side side, Count slot) const { return row(side).at(static_cast<std::size_t>(slot)); }

    // Beans in the six pots of a side, big pot excluded.
    int potsTotal(Side side) const;
    // Beans anywhere on the board.
    int total() const;

    static Board opening();

    friend bool operator==(const Board&, const Board&) = default;
};

// One write of a counter: the rules express every change as a sequence of these, so that the
// window can show each one at the moment it happens.
struct Write {
    Side side;
    Count slot;
    Count value;

    friend bool operator==(const Write&, const Write&) = default;
};

inline void apply(Board& board, const Write& write) {
    board.at(write.side, write.slot) = write.value;
}

// A ring position names one step of a move, counted from the mover's pot 0: positions 0..6 are
// the mover's pots and big pot, 7..13 the opponent's, and the pattern repeats for four laps
// (0..55). OwnSlot gives the mover's slot for a position, OtherSlot the opponent's; both give -1
// for every other position, negative ones included.
Count OwnSlot(Count position);
Count OtherSlot(Count position);

// The writes that set the opening position: 4 in every pot, 0 in both big pots, in the order
// human pot i, cpu pot i for i = 0..5, then the human's and the computer's big pot.
std::array<Write, kBoardSlots> openingWrites();

} // namespace pentora
