// The print sheet: the last three puzzles, each as a bare grid to solve on
// paper beside its full solution, kept as plain text lines.
#include <algorithm>
#include <string>
#include <vector>

#include "board/NumberText.h"
#include "game/Form1.h"
#include "game/Texts.h"

namespace quorvex {

namespace {
constexpr int LineWidth = 70;
constexpr int PageLines = 55;
constexpr int PuzzleGrid = 1;
constexpr int SolutionGrid = 40;
constexpr const char* Border = "+---+---+---+---+---+---+---+";
constexpr const char* BoardRow = "|   |   |   |   |   |   |   |";
constexpr const char* Separator = "|---|---|---|---|---|---|---|";

// Overwrites characters from 1-based column `column`, never changing the length.
template <class Lines>
void Put(Lines& lines, int line, int column, std::string_view text) {
    std::string& l = lines[std::size_t(line)];
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t at = static_cast<std::size_t>(column - 1) + i;
        if (at < l.size()) l[at] = text[i];
    }
}

constexpr int SlotFirstLines[3] = {1, 20, 39};

// One empty grid: borders, bars, the "=" marks and the "///" squares, from
// line b + 1 at column L.
template <class Lines>
void DrawGrid(Lines& lines, int b, int L) {
    Put(lines, b + 1, L, Border);
    Put(lines, b + 15, L, Border);
    for (int n = b + 2; n <= b + 14; n += 2) Put(lines, n, L, BoardRow);
    for (int n = b + 3; n <= b + 13; n += 2) Put(lines, n, L, Separator);
    for (int col : {2, 10, 18, 26}) Put(lines, b + 12, L + col, "=");
    for (int n : {b + 2, b + 6, b + 10, b + 14}) Put(lines, n, L + 22, "=");
    for (int n : {b + 4, b + 8, b + 12})
        for (int col : {5, 13, 21}) Put(lines, n, L + col, "///");
}

// The sheet takes one character per value: the last one of its text.
std::string LastChar(const std::string& text) { return text.empty() ? std::string() : text.substr(text.size() - 1); }

// A whole solution into the grid at column 40 of the slot from line b.
// Board row r and column c: line b + 2r, column 4c + 38.
template <class Lines, class Record>
void PutSolution(Lines& lines, int b, const Record& num, const Record& op) {
    const auto put = [&](int r, int c, const std::string& value) { Put(lines, b + 2 * r, 4 * c + 38, LastChar(value)); };
    for (int k = 1; k <= 16; ++k) put(2 * ((k - 1) / 4) + 1, 2 * ((k - 1) % 4) + 1, num[k]);
    for (int k = 1; k <= 8; ++k) put(2 * ((k - 1) / 2) + 1, 2 * ((k - 1) % 2) + 2, op[k]);
    for (int k = 9; k <= 16; ++k) put(2 * ((k - 9) % 2) + 2, 2 * ((k - 9) / 2) + 1, op[k]);
}

// The puzzle number a heading line names, whole, or "" for a slot not yet used.
std::string HeadingNumber(const std::string& heading) {
    std::size_t i = 9;  // the number starts after "Puzzle No"
    while (i < heading.size() && heading[i] == ' ') ++i;
    std::size_t end = i;
    while (end < heading.size() && heading[end] != ' ') ++end;
    return i < heading.size() ? heading.substr(i, end - i) : std::string();
}
}  // namespace

void Form1::BuildSheetTemplate() {
    for (int n = 2; n <= PageLines; ++n) SheetLines[n] = std::string(LineWidth, ' ');
    NextSheetSlot = 0;
    for (int b : SlotFirstLines)
        for (int L : {PuzzleGrid, SolutionGrid}) DrawGrid(SheetLines, b, L);
}

void Form1::WriteSheetPuzzle() {
    // The slots are taken in turn, which is puzzle number mod 3 up to 32767.
    // The numbers then restart at 1, and by its number puzzle 1 would go over
    // 32767 instead of the oldest of the three.
    const int n = PuzzleNo;
    const int b = SlotFirstLines[NextSheetSlot];
    NextSheetSlot = (NextSheetSlot + 1) % 3;
    SheetLines[b] = "Puzzle No" + NumberText(n) + std::string(28, ' ') + "Solution to Puzzle No" + NumberText(n);

    const struct { int cell, line, column; } corners[] = {{1, b + 2, 3}, {7, b + 2, 27}, {43, b + 14, 3}, {49, b + 14, 27}};
    for (const auto& corner : corners) {
        const std::string ch = LastChar(GridDisp[corner.cell].Caption);
        if (!ch.empty()) Put(SheetLines, corner.line, corner.column, ch);
    }

    PutSolution(SheetLines, b, SolNum, SolOp);
}

std::vector<std::string> Form1::ChallengePage() const {
    // The puzzle with its givens and what to do beside it, the solution at
    // the foot of the page under its own heading: one page per challenge.
    std::vector<std::string> page(PageLines + 1, std::string(LineWidth, ' '));
    const std::string number = NumberText(PuzzleNo);
    std::string kind = Current.level == challenge::Level::Unrated ? "Challenge"
                                                                   : LevelName(Current.level) + std::string(" challenge");
    if (!Daily.empty()) kind = "Today's puzzle, " + Daily;
    page[1] = "Puzzle No" + number;
    page[1] += std::string(std::size_t(std::max(1, SolutionGrid - 1 - int(page[1].size()))), ' ') + kind;
    DrawGrid(page, 1, PuzzleGrid);
    for (int i = 1; i <= GridCells; ++i)
        if (GridDisp[i].Given) Put(page, 1 + 2 * RowOf(i), 4 * ColumnOf(i) - 1, LastChar(GridDisp[i].Caption));
    int line = 3;
    for (const std::string& words : {"Code " + PuzzleCode(), std::string(), std::string("Fill each empty square with a"),
                                     std::string("number from 1 to 9 so that"),
                                     std::string("every row and column is true."),
                                     std::string("Multiplication comes first."), std::string("Exactly one board fits.")})
        Put(page, line++, SolutionGrid, words);

    const int b = SlotFirstLines[2];
    Put(page, b, SolutionGrid, "Solution to Puzzle No" + number);
    DrawGrid(page, b, SolutionGrid);
    PutSolution(page, b, SolNum, SolOp);
    return page;
}

std::string Form1::PrintList() const {
    // The whole number is read back from each heading: a fixed four-column
    // window would cut 1000 down to "100".
    std::string list = HeadingNumber(SheetLines[1]);
    for (int b : {20, 39}) {
        const std::string number = HeadingNumber(SheetLines[b]);
        if (!number.empty()) list += ", " + number;
    }
    return list;
}

void Form1::PrintX_Click() {
    if (Blocked()) return;
    // A challenge prints on a page of its own; the sheet keeps the classic puzzles.
    const std::string prompt = text::PrintPrompt + (InChallenge() ? Trim(NumberText(PuzzleNo)) : PrintList());
    if (Ask(prompt, MsgButtons::YesNo) != MsgAnswer::Yes) return;
    PrintJob job;
    job.FontName = text::PrintFont;
    job.FontSize = text::PrintFontSize;
    job.Lines.assign(4, "");
    const std::vector<std::string> challengePage = InChallenge() ? ChallengePage() : std::vector<std::string>{};
    for (int n = 1; n <= PageLines; ++n)
        job.Lines.push_back("     " + (InChallenge() ? challengePage[std::size_t(n)] : SheetLines[n]));
    Modal([&] { services_.printPage(job); });
}

}  // namespace quorvex
