// What a screen reader says of the board: each cell's name and purpose, where
// the keyboard's cursor may stop, and the sentence that tells a player who
// cannot see the board what a step changed.
#include <algorithm>
#include <vector>

#include "board/NumberText.h"
#include "challenge/Logic.h"
#include "game/Form1.h"

namespace quorvex {

namespace {

constexpr const char* CornerNames[] = {"", "top left", "top right", "bottom left", "bottom right"};

std::string Capitalised(std::string s) {
    if (!s.empty()) s[0] = static_cast<char>(s[0] - 'a' + 'A');
    return s;
}

std::string Join(const std::vector<std::string>& parts, const char* between) {
    std::string out;
    for (const std::string& part : parts) out += (out.empty() ? "" : between) + part;
    return out;
}

// A challenge's lines of numbers as LineVerdicts gives them: "row 3 false".
std::string LineSaid(std::size_t k, Form1::Verdict v) {
    const char* state = v == Form1::Verdict::Right ? " true" : v == Form1::Verdict::Wrong ? " false" : " not filled";
    return (k < 3 ? "row " : "column ") + std::to_string(2 * (k % 3) + 1) + state;
}

}  // namespace

std::string CornerName(int j) { return j >= 1 && j <= 4 ? CornerNames[j] : ""; }

std::string SpokenValue(const std::string& caption) {
    if (caption.empty()) return "empty";
    if (caption == "+") return "plus";
    if (caption == "-") return "minus";
    if (caption == "*") return "times";
    if (caption == "=") return "equals";
    return caption;
}

int Form1::CornerOf(int index) const {
    for (int j = 1; j <= 4; ++j)
        if (CornerCells[j] == index) return j;
    return 0;
}

std::string Form1::CellName(int index) const {
    const std::string value = RoleOf(index) == CellRole::Blank ? "blank" : SpokenValue(GridDisp[index].Caption);
    if (index >= 1 && index <= GridCells)
        return "Row " + std::to_string(RowOf(index)) + ", column " + std::to_string(ColumnOf(index)) + ": " + value;
    if (index >= FirstTargetCell && index < CellCount)
        return std::string("Target, ") + CornerNames[index - 49] + " corner: " + value;
    return value;
}

std::string Form1::CellDescription(int index) const {
    if (InChallenge() && index >= 1 && index <= GridCells && RoleOf(index) != CellRole::Blank &&
        RoleOf(index) != CellRole::Equals) {
        if (!GridDisp[index].Given) return "number to fill in";
        const CellRole role = RoleOf(index);
        if (role == CellRole::Number) return "given number";
        if (role == CellRole::RowOperator || role == CellRole::ColumnOperator) return "given operator";
        // A line's result says how that line stands.
        const auto verdicts = LineVerdicts();
        const auto line = std::size_t(role == CellRole::RowResult ? (RowOf(index) - 1) / 2 : 3 + (ColumnOf(index) - 1) / 2);
        if (role == CellRole::Final) return "given result";
        return "given result, " + LineSaid(line, verdicts[line]);
    }
    if (const std::string note = index == 49 ? FinalCellNote() : ""; !note.empty()) return "given corner. " + note;
    if (CornerOf(index) != 0) return SetupMode == FlagOn ? "corner to set" : "given corner";
    switch (RoleOf(index)) {
    case CellRole::Number: return "number to fill in";
    case CellRole::RowOperator:
    case CellRole::ColumnOperator: return "operator";
    case CellRole::Equals: return "equals sign";
    case CellRole::RowResult:
    case CellRole::ColumnResult:
    case CellRole::Final: return "result";
    case CellRole::Blank: return "blank";
    case CellRole::Target: return "target";
    case CellRole::Template: break;
    }
    return "";
}

bool Form1::CursorStop(int index) const {
    if (index < 1 || index > GridCells) return false;
    if (SetupMode == FlagOn) return CornerOf(index) != 0;
    // Results and the given corner are read-only stops: the player reads them
    // where they stand, and a key that would change them does nothing.
    const CellRole role = RoleOf(index);
    return role != CellRole::Blank && role != CellRole::Equals;
}

void Form1::Announce(std::string text) {
    if (text.empty()) return;
    Announcement.Text = std::move(text);
    ++Announcement.Serial;
}

// Every changed cell by its name, the step's own first (it comes before the
// results it feeds), and each corner whose value or verdict changed; a step
// that filled much of the board is counted rather than read out.
void Form1::AnnounceChanges(const BoardState& before, const std::array<Verdict, 6>& lines) {
    std::vector<std::string> cells, corners;
    for (int i = 1; i <= GridCells; ++i) {
        const bool changed = GridDisp[i].Caption != before.GridDisp[i].Caption;
        if (const int j = CornerOf(i); j != 0 && SetupMode == FlagOff && !InChallenge()) {
            if (changed || NPict[j].Visible != before.NPict[j].Visible)
                corners.push_back(Capitalised(CornerNames[j]) + " corner " + (NPict[j].Visible ? "right: " : "wrong: ") +
                                  SpokenValue(GridDisp[i].Caption));
        } else if (changed && !(before.GridDisp[i].Caption.empty() && GridDisp[i].Caption == "?")) {
            // (The first step of a puzzle fills every result it cannot work
            // out yet with "?": nothing worth hearing.)
            cells.push_back(CellName(i));
        }
    }
    if (cells.size() > 4) cells = {std::to_string(cells.size()) + " squares changed"};
    cells.insert(cells.end(), corners.begin(), corners.end());
    // In a challenge: each line that became true or false.
    const std::array<Verdict, 6> now = LineVerdicts();
    for (std::size_t k = 0; k < now.size() && InChallenge(); ++k)
        if (now[k] != lines[k] && now[k] != Verdict::Open) cells.push_back(Capitalised(LineSaid(k, now[k])));
    Announce(Join(cells, ". "));
}

void Form1::ReadTargets() {
    if (InChallenge() && SetupMode == FlagOff) {
        // No targets here: what each line needs is on the board; how they stand is not.
        std::vector<std::string> lines;
        const std::array<Verdict, 6> verdicts = LineVerdicts();
        for (std::size_t k = 0; k < verdicts.size(); ++k) lines.push_back(LineSaid(k, verdicts[k]));
        return Announce(Capitalised(Join(lines, ", ")) + ".");
    }
    std::vector<std::string> targets, right;
    for (int j = 1; j <= 4; ++j) {
        const std::string& shown = GridDisp[CornerCells[j]].Caption;
        const double target = NumericValue(SolNum[CornerValuePositions[j - 1]]);
        if (SetupMode == FlagOn)
            targets.push_back(std::string(CornerNames[j]) + " " + (shown == "?" ? "not set" : shown));
        else
            targets.push_back(std::string(CornerNames[j]) + " " + (target >= 1 && target <= 9 ? ResultText(int(target)) : "none"));
        if (NPict[j].Visible) right.push_back(CornerNames[j]);
    }
    if (SetupMode == FlagOn) return Announce("Corners set: " + Join(targets, ", ") + ".");
    Announce("Targets: " + Join(targets, ", ") + ". Right: " +
             (right.size() == 4 ? std::string("all four") : right.empty() ? std::string("none") : Join(right, ", ")) + ".");
}

}  // namespace quorvex
