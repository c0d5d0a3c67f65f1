// The print sheet: its template, the slots puzzles rotate through, and the
// print command.
#include "CoreHelpers.h"

namespace quorvex {
namespace {
using testing::Game;

// One 29-character grid as the template draws it, both grids alike.
const char* const Grid[15] = {
    "+---+---+---+---+---+---+---+", "|   |   |   |   |   | = |   |", "|---|---|---|---|---|---|---|",
    "|   |///|   |///|   |///|   |", "|---|---|---|---|---|---|---|", "|   |   |   |   |   | = |   |",
    "|---|---|---|---|---|---|---|", "|   |///|   |///|   |///|   |", "|---|---|---|---|---|---|---|",
    "|   |   |   |   |   | = |   |", "|---|---|---|---|---|---|---|", "| = |///| = |///| = |///| = |",
    "|---|---|---|---|---|---|---|", "|   |   |   |   |   | = |   |", "+---+---+---+---+---+---+---+",
};

std::vector<std::string> TemplatePage() {
    std::vector<std::string> page(56, std::string(70, ' '));
    page[1].clear();
    for (int b : {1, 20, 39})
        for (int l = 0; l < 15; ++l) page[b + 1 + l] = Grid[l] + std::string(10, ' ') + Grid[l] + "  ";
    return page;
}

std::string Heading(int n) {
    return "Puzzle No " + std::to_string(n) + std::string(28, ' ') + "Solution to Puzzle No " + std::to_string(n);
}

// Writes what the sheet should hold for the puzzle now on the board.
void Expect(std::vector<std::string>& page, const Form1& f) {
    const int b = f.PuzzleNo % 3 == 1 ? 1 : f.PuzzleNo % 3 == 2 ? 20 : 39;
    page[b] = Heading(f.PuzzleNo);
    const std::string stored = testing::StoredBoard(f);
    for (int r = 1; r <= 7; ++r)
        for (int c = 1; c <= 7; ++c) {
            const char v = stored[(r - 1) * 7 + c - 1];
            if (v != '.' && v != '=') page[b + 2 * r][4 * c + 37] = v;
            const std::string& corner = f.GridDisp[(r - 1) * 7 + c].Caption;
            if ((r == 1 || r == 7) && (c == 1 || c == 7) && !corner.empty()) page[b + 2 * r][4 * c - 2] = corner.back();
        }
}

void ExpectPage(const Form1& f, const std::vector<std::string>& page) {
    for (int i = 1; i <= 55; ++i) EXPECT_EQ(f.SheetLines[i], page[i]) << "line " << i;
}

TEST(PrintSheet, TemplateHoldsEmptyGridsWithTheirFixedMarks) {
    Game g(false);
    g.f.BuildSheetTemplate();
    ExpectPage(g.f, TemplatePage());
}

TEST(PrintSheet, PuzzlesRotateThroughThreeSlotsAndPrintWithTheirSolutions) {
    Game g;
    auto page = TemplatePage();
    const char* const lists[] = {"1", "1, 2", "1, 2, 3", "4, 2, 3"};  // slot order, not puzzle order
    for (const char* list : lists) {
        if (list != lists[0]) g.f.NewPuz_Click();
        Expect(page, g.f);
        ExpectPage(g.f, page);
        g.f.PrintX_Click();  // answered No
        EXPECT_EQ(g.svc.messages.back().text, std::string(text::PrintPrompt) + list);
        EXPECT_EQ(g.svc.messages.back().buttons, MsgButtons::YesNo);
    }
    EXPECT_TRUE(g.svc.printed.empty());

    g.svc.answers = {MsgAnswer::Yes};
    g.f.PrintX_Click();
    ASSERT_EQ(g.svc.printed.size(), 1u);
    const PrintJob& job = g.svc.printed[0];
    EXPECT_EQ(job.FontName, "Courier");
    EXPECT_EQ(job.FontSize, 12);
    std::vector<std::string> want(4);
    for (int i = 1; i <= 55; ++i) want.push_back("     " + page[i]);
    EXPECT_EQ(job.Lines, want);
}

TEST(PrintSheet, ACornerWithNoCaptionLeavesItsTemplateCellBlank) {
    Game g;
    g.f.PuzzleNo = 2;  // the slot at line 20, still unused
    g.f.GridDisp[7].Caption.clear();
    g.f.WriteSheetPuzzle();
    EXPECT_EQ(g.f.SheetLines[22][26], ' ');
    EXPECT_EQ(g.f.SheetLines[22][2], g.f.GridDisp[1].Caption.back());
}

TEST(PrintSheet, HeadingsAndPromptsShowWholePuzzleNumbers) {
    Game g;
    for (int n : {1, 10, 1000, 10000}) {
        SCOPED_TRACE(n);
        g.f.PuzzleNo = static_cast<std::int16_t>(n - 1);
        g.f.NewPuz_Click();
        const std::string& line = g.f.SheetLines[1];
        EXPECT_EQ(line, Heading(n));
        EXPECT_EQ(line.find("Solution to Puzzle No"), std::to_string(n).size() + 38);
    }
    EXPECT_EQ(g.f.PrintList(), "10000");
    g.f.PuzzleNo = 9997;
    g.f.NewPuz_Click();
    g.f.NewPuz_Click();
    EXPECT_EQ(g.f.PrintList(), "10000, 9998, 9999");
    g.f.PrintX_Click();
    EXPECT_EQ(g.svc.messages.back().text, std::string(text::PrintPrompt) + "10000, 9998, 9999");
}

TEST(PrintSheet, AFailedFirstPuzzleLeavesAnEmptyList) {
    Game g(false);
    g.rnd->setScript(testing::NeverFits);
    g.f.Form_Load();
    g.f.PrintX_Click();
    EXPECT_EQ(g.svc.messages.back().text, text::PrintPrompt);
    ExpectPage(g.f, TemplatePage());
}

}  // namespace
}  // namespace quorvex
