// The complete solver: the board it gives keeps the most of the player's
// cells, ties broken by the smallest numbers and then the smallest operators
// in reading order; and every four digits have a board (set-up mode relies on it).
#include "CoreHelpers.h"
#include "solving/Solver.h"

namespace quorvex::testing {
namespace {

// The player's 24 cells: numbers 3, 5, 15, 17, 19, 29, 31, 33, then operators
// 2, 4, 8, 10, 12, 14, 16, 18, 22, 24, 26, 28, 30, 32, 44, 46; '.' for empty.
std::string Cells(const BoardValues& b) {
    std::string s;
    for (int k = 1; k < 9; ++k) s += b.numbers[k] ? static_cast<char>('0' + b.numbers[k]) : '.';
    for (char op : b.operators) s += op ? op : '.';
    return s;
}
BoardValues Values(std::string_view s) {
    BoardValues b;
    for (int k = 1; k < 9; ++k) b.numbers[k] = static_cast<std::int8_t>(s[k - 1] == '.' ? 0 : s[k - 1] - '0');
    for (int k = 0; k < 16; ++k) b.operators[k] = s[8 + k] == '.' ? 0 : s[8 + k];
    return b;
}

// Found by a plain enumeration of every complete board.
TEST(Solver, KeepsTheMostCellsAndBreaksTiesInReadingOrder) {
    struct Case { const char *corners, *player, *want; int kept; };
    for (const Case& c : std::initializer_list<Case>{
             {"7871", "........................", "11111112+*+++-++-+*-++--", 0},
             {"7871", "99999999****************", "11111116+****-*****-**-*", 12},
             {"7871", "73263316*+-+*++++++*+**-", "11223216*+-+*++-+*+-+*+-", 16},
             {"7871", "1.1.1.1.+.+.+.+.+.+.+.+.", "11111115+*+++-+---+-+*+-", 11},
             {"6574", "73263316*+-+*++++++*+**-", "21233316-+-+*++++++-+*+-", 18},
             {"9199", ".91.....--+++--+---.-+++", "19111119+-+++--+---+-++-", 15},
             {"9199", "99999999****************", "19111119+-**+*****-*****", 14},
             {"2787", "4.7..2.9+.-*..+..-*.+.*-", "41121769++-**++++-*-+-*-", 11},
             {"2787", "59317284*-+*+-*+-**+-+*-", "15311224*++*+-*+***+-+*-", 18},
             {"2787", "73263316*+-+*++++++*+**-", "23243811*+-+*+++++--+*+-", 17},
             {"7871", ".4368.88*+......-*.-+.*-", "11348388*++-+-*--+--+---", 10},
             {"2787", "1....423..*-.*....-....-", "14111413++*-+*+-*+-*-*+-", 8},
             {"1991", "99999999****************", "19111911****-+*****-**-*", 14},
             {"1991", "........-*-*-*-*-*-*-*-*", "19117981-+-*--+*+*-*-*-*", 12},
         }) {
        const Corners g = {c.corners[0] - '0', c.corners[1] - '0', c.corners[2] - '0', c.corners[3] - '0'};
        const auto got = CompleteBoard(g, Values(c.player));
        ASSERT_TRUE(got) << c.corners;
        EXPECT_EQ(Cells(got->board) + ' ' + std::to_string(got->kept), c.want + (' ' + std::to_string(c.kept)))
            << c.corners << ' ' << c.player;
        EXPECT_EQ(got->board.numbers[0], g[0]);
    }
}

TEST(Solver, EveryFourDigitsHaveABoardAndOtherCornersNone) {
    int met = 0;
    for (int code = 0; code < 6561; ++code) {
        const Corners g = {code / 729 + 1, code / 81 % 9 + 1, code / 9 % 9 + 1, code % 9 + 1};
        const auto got = CompleteBoard(g, {});
        met += got && got->kept == 0;
    }
    EXPECT_EQ(met, 6561);
    for (const Corners& g : {Corners{0, 1, 1, 1}, Corners{1, 10, 1, 1}, Corners{1, 1, -1, 1}, Corners{1, 1, 1, 0}})
        EXPECT_FALSE(CompleteBoard(g, {}));
}

}  // namespace
}  // namespace quorvex::testing
