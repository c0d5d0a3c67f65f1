// The print sheet: its template, the slots puzzles rotate through, and the
// print command.
#include "CoreHelpers.h"

namespace quorvex::testing {
namespace {

// Three empty pairs of grids; the heading lines 1, 20 and 39 not yet written.
std::vector<std::string> TemplatePage() {
    const std::string border = "+---+---+---+---+---+---+---+", sep = "|---|---|---|---|---|---|---|",
                      plain = "|   |   |   |   |   | = |   |", hatched = "|   |///|   |///|   |///|   |";
    const std::string grid[15] = {border, plain, sep, hatched, sep, plain, sep, hatched,
                                  sep, plain, sep, "| = |///| = |///| = |///| = |", sep, plain, border};
    std::vector<std::string> page(56, std::string(70, ' '));
    page[1].clear();
    for (int b : {1, 20, 39})
        for (int l = 0; l < 15; ++l) page[b + 1 + l] = grid[l] + std::string(10, ' ') + grid[l] + "  ";
    return page;
}

TEST(PrintSheet, PuzzlesTakeTheThreeSlotsInTurnAcrossTheWrapAndPrintWithTheirSolutions) {
    Game g(false);
    g.rnd->setScript(NeverFits);
    g.f.Form_Load();  // the first run gives up: the sheet stays an empty template
    g.rnd->setScript({});
    auto page = TemplatePage();
    // The number before New Puzzle, then the prompt's list in slot order (answered No).
    int slot = 0;
    for (auto [from, list] : {std::pair{-1, ""}, {0, "1"}, {1, "1, 2"}, {2, "1, 2, 3"}, {3, "4, 2, 3"},
                              {999, "4, 1000, 3"}, {32765, "4, 1000, 32766"}, {32766, "32767, 1000, 32766"},
                              {32767, "32767, 1, 32766"}, {1, "32767, 1, 2"}}) {
        if (from >= 0) {
            g.f.PuzzleNo = static_cast<std::int16_t>(from);
            g.f.NewPuz_Click();
            const std::string number = std::to_string(from % 32767 + 1);
            EXPECT_EQ(g.svc.titles.back(), "Puzzle Number  " + number);
            // The heading, the corners in the left grid, the whole solution in the right one.
            const int b = 1 + 19 * (slot++ % 3);
            page[b] = "Puzzle No " + number + std::string(28, ' ') + "Solution to Puzzle No " + number;
            const std::string stored = StoredBoard(g.f);
            for (int i = 0; i < 49; ++i)
                if (stored[i] != '.' && stored[i] != '=') page[b + 2 * (i / 7 + 1)][4 * (i % 7) + 41] = stored[i];
            for (int i : {0, 6, 42, 48}) page[b + 2 * (i / 7 + 1)][4 * (i % 7) + 2] = stored[i];
        }
        for (int i = 1; i <= 55; ++i) EXPECT_EQ(g.f.SheetLines[i], page[i]) << "from " << from << " line " << i;
        g.f.PrintX_Click();
        EXPECT_TRUE(g.svc.messages.back().text == std::string("Print Puzzle No(s): ") + list &&
                    g.svc.messages.back().buttons == MsgButtons::YesNo) << g.svc.messages.back().text;
    }
    EXPECT_TRUE(g.svc.printed.empty());

    g.svc.answers = {MsgAnswer::Yes};
    g.f.PrintX_Click();
    ASSERT_EQ(g.svc.printed.size(), 1u);
    EXPECT_TRUE(g.svc.printed[0].FontName == "Courier" && g.svc.printed[0].FontSize == 12);
    std::vector<std::string> want(4);
    for (int i = 1; i <= 55; ++i) want.push_back("     " + page[i]);
    EXPECT_EQ(g.svc.printed[0].Lines, want);
}

}  // namespace
}  // namespace quorvex::testing
