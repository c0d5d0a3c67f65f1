// The techniques, the sentences that explain them, the solve loop and the hint.
#include "challenge/Logic.h"

#include <climits>

#include "challenge/Lines.h"

namespace quorvex::challenge {

using detail::Analyse;
using detail::Bit;
using detail::ColumnLineOf;
using detail::CountOf;
using detail::Lines;
using detail::LowestOf;
using detail::Mask;
using detail::PlaceIn;
using detail::Rounds;
using detail::RowLineOf;
using detail::Tables;

namespace {

bool Known(const Numbers& k, int p) { return k[p] >= 1 && k[p] <= 9; }

// ---- Words ----

std::string Capitalised(std::string s) {
    if (!s.empty() && s[0] >= 'a' && s[0] <= 'z') s[0] = static_cast<char>(s[0] - 'a' + 'A');
    return s;
}

std::string LineName(int line) {
    return line < 3 ? "row " + std::to_string(2 * line + 1) : "column " + std::to_string(2 * (line - 3) + 1);
}

// "4 * ? - 2 = 6": the line as the board shows it, "?" for an open number.
std::string Equation(const Tables& t, int line, const Numbers& k) {
    const auto& l = Lines[line];
    const auto& ops = t.givens().board.operators;
    const auto number = [&](int i) { return Known(k, l.cells[i]) ? std::to_string(k[l.cells[i]]) : std::string("?"); };
    return number(0) + ' ' + ops[l.operators[0]] + ' ' + number(1) + ' ' + ops[l.operators[1]] + ' ' + number(2) +
           " = " + std::to_string(t.givens().results[l.result]);
}

std::string Named(const Tables& t, int line, const Numbers& k) {
    return LineName(line) + " (" + Equation(t, line, k) + ")";
}

// "1, 3 or 5"; "1, 3 and 5" with `last` " and ".
std::string List(Mask m, const char* last = " or ") {
    std::string s;
    for (int v = 1, left = CountOf(m); v <= 9; ++v)
        if (m & Bit(v)) {
            s += std::to_string(v);
            --left;
            s += left > 1 ? ", " : left == 1 ? last : "";
        }
    return s;
}

// What a line allows in a cell, said the short way round when it is most digits.
std::string Allowed(Mask m) {
    return CountOf(m) <= 5 ? List(m) : "anything but " + List(static_cast<Mask>(detail::AllDigits & ~m));
}
std::string OnlyAllowed(Mask m) { return (CountOf(m) <= 5 ? "only " : "") + Allowed(m); }

Mask InLine(const detail::LineSupport& s, int line, int p) { return s[line][PlaceIn(line, p)]; }

// What `line` allows in the open cell p once its other open cells are held to
// their round-1 candidates, p itself left free. The row's side and the
// column's side meet in exactly the cell's round-2 candidates, so a sentence
// built on the two sides says all the deduction used.
Mask SideOf(const Tables& t, const Rounds& r, int line, int p) {
    detail::Domains d = r.d1;
    d[p] = detail::AllDigits;
    return InLine(detail::Supports(t, d), line, p);
}

// ---- Contradictions, the end of a trial or the reason a number is wrong ----

struct Contradiction {
    enum class Kind { None, LineFails, NothingFits, NarrowedLineFails, NothingLeft } kind = Kind::None;
    int line = -1;
    int position = -1;
};

// Checked in order of how easily a person sees them.
Contradiction FindContradiction(const Rounds& r, const Numbers& k) {
    using K = Contradiction::Kind;
    for (int line = 0; line < 6; ++line)
        if (!r.s0[line][0]) return {K::LineFails, line, -1};
    for (int p = 0; p < 9; ++p)
        if (!Known(k, p) && !r.d1[p]) return {K::NothingFits, -1, p};
    for (int line = 0; line < 6; ++line)
        if (!r.s1[line][0]) return {K::NarrowedLineFails, line, -1};
    for (int p = 0; p < 9; ++p)
        if (!Known(k, p) && !r.d2[p]) return {K::NothingLeft, -1, p};
    return {};
}

std::string Narrowing(const Rounds& r, const Numbers& k, int line, int p);

std::string Describe(const Contradiction& c, const Tables& t, const Numbers& k, const Rounds& r) {
    using K = Contradiction::Kind;
    switch (c.kind) {
        case K::LineFails: {
            const auto& cells = Lines[c.line].cells;
            if (Known(k, cells[0]) && Known(k, cells[1]) && Known(k, cells[2]))
                return LineName(c.line) + " would read " + Equation(t, c.line, k) + ", which is false";
            return Named(t, c.line, k) + " could not be made";
        }
        case K::NothingFits: {
            const int p = c.position, row = RowLineOf(p), column = ColumnLineOf(p);
            return "nothing could go in " + CellName(p) + ": " + Named(t, row, k) + " would allow " +
                   OnlyAllowed(InLine(r.s0, row, p)) + " there, and " + Named(t, column, k) + " " +
                   OnlyAllowed(InLine(r.s0, column, p));
        }
        case K::NarrowedLineFails: return Named(t, c.line, k) + " could not be made" + Narrowing(r, k, c.line, -1);
        case K::NothingLeft: {
            const int p = c.position, row = RowLineOf(p), column = ColumnLineOf(p);
            return "nothing could go in " + CellName(p) + ": " + Named(t, row, k) + " would allow " +
                   OnlyAllowed(SideOf(t, r, row, p)) + " there" + Narrowing(r, k, row, p) + ", and " +
                   Named(t, column, k) + " " + OnlyAllowed(SideOf(t, r, column, p)) + Narrowing(r, k, column, p);
        }
        case K::None: break;
    }
    return {};
}

// ---- Steps ----

struct Found {
    Technique technique;
    int position;
    int value;
};

std::optional<Found> FindStep(const Tables& t, const Numbers& k, const Rounds& r, Technique hardest,
                              std::string* reason);

struct Refutation {
    bool found = false;
    int length = 0;  // steps taken before the contradiction showed
    std::string text;
};

// Follows `k` (which holds a trial number) with the techniques below trials
// until a contradiction shows, for at most `depth` steps.
Refutation Refute(const Tables& t, Numbers k, int depth, bool explain) {
    std::string chain;
    for (int i = 0;; ++i) {
        const Rounds r = Analyse(t, k);
        if (const Contradiction c = FindContradiction(r, k); c.kind != Contradiction::Kind::None) {
            Refutation done{true, i, {}};
            if (explain) done.text = chain.empty() ? Describe(c, t, k, r) : chain + ", and then " + Describe(c, t, k, r);
            return done;
        }
        if (i == depth) return {};
        const auto s = FindStep(t, k, r, Technique::CrossedCombinations, nullptr);
        if (!s) return {};
        if (explain) chain += (chain.empty() ? "" : ", ") + CellName(s->position) + " would be " + std::to_string(s->value);
        k[s->position] = static_cast<std::int8_t>(s->value);
    }
}

std::string LastNumberReason(const Tables& t, const Numbers& k, int line, int value) {
    return Capitalised(LineName(line)) + ": " + Equation(t, line, k) + ", so ? is " + std::to_string(value) + ".";
}

std::string SingleCandidateReason(const Tables& t, const Numbers& k, const Rounds& r, int p, int value) {
    const int row = RowLineOf(p), column = ColumnLineOf(p);
    const Mask inRow = InLine(r.s0, row, p), inColumn = InLine(r.s0, column, p);
    const std::string head = Capitalised(CellName(p)) + ": only " + std::to_string(value) + " fits ";
    if (CountOf(inRow) == 1) return head + Named(t, row, k) + ".";
    if (CountOf(inColumn) == 1) return head + Named(t, column, k) + ".";
    return head + "both " + Named(t, row, k) + " and " + Named(t, column, k) + ": the row allows " + Allowed(inRow) +
           " there, the column " + Allowed(inColumn) + ".";
}

// " with row 1, column 1 held to 1 or 3 by column 1": the open numbers of
// `line` other than `p` whose crossing lines narrow them.
std::string Narrowing(const Rounds& r, const Numbers& k, int line, int p) {
    std::string s;
    for (int q : Lines[line].cells) {
        if (q == p || Known(k, q) || r.d1[q] == InLine(r.s0, line, q)) continue;
        const Mask m = r.d1[q];
        s += (s.empty() ? " with " : " and ") + CellName(q) +
             (CountOf(m) <= 5 ? " held to " + List(m) : " kept from " + List(detail::AllDigits & ~m, " and ")) +
             " by " + LineName(line < 3 ? ColumnLineOf(q) : RowLineOf(q));
    }
    return s;
}

std::string CrossedCombinationsReason(const Tables& t, const Numbers& k, const Rounds& r, int p, int value) {
    const int row = RowLineOf(p), column = ColumnLineOf(p);
    const Mask inRow = SideOf(t, r, row, p), inColumn = SideOf(t, r, column, p);
    const std::string head = Capitalised(CellName(p)) + ": only " + std::to_string(value) + " fits ";
    if (CountOf(inRow) == 1) return head + Named(t, row, k) + Narrowing(r, k, row, p) + ".";
    if (CountOf(inColumn) == 1) return head + Named(t, column, k) + Narrowing(r, k, column, p) + ".";
    return head + "both lines: " + Named(t, row, k) + " allows " + Allowed(inRow) + " there" +
           Narrowing(r, k, row, p) + "; " + Named(t, column, k) + " allows " + Allowed(inColumn) +
           Narrowing(r, k, column, p) + ".";
}

// A cell with two candidates left: one of them, tried, runs into a
// contradiction, so the cell holds the other. The shortest chain wins, then
// reading order.
std::optional<Found> FindTrial(const Tables& t, const Numbers& k, const Rounds& r, std::string* reason) {
    int bestPosition = -1, bestValue = 0, bestLength = INT_MAX;
    for (int p = 0; p < 9; ++p) {
        if (Known(k, p) || CountOf(r.d2[p]) != 2) continue;
        const int low = LowestOf(r.d2[p]), high = LowestOf(static_cast<Mask>(r.d2[p] & ~Bit(low)));
        for (auto [tried, other] : {std::pair{low, high}, {high, low}}) {
            Numbers trial = k;
            trial[p] = static_cast<std::int8_t>(tried);
            const Refutation ref = Refute(t, trial, TrialDepth, false);
            if (ref.found && ref.length < bestLength) bestPosition = p, bestValue = other, bestLength = ref.length;
        }
    }
    if (bestPosition < 0) return std::nullopt;
    if (reason) {
        const int p = bestPosition, tried = LowestOf(static_cast<Mask>(r.d2[p] & ~Bit(bestValue)));
        Numbers trial = k;
        trial[p] = static_cast<std::int8_t>(tried);
        *reason = Capitalised(CellName(p)) + " must be " + std::to_string(bestValue) + ": its lines leave " +
                  List(r.d2[p]) + ", and if it were " + std::to_string(tried) + ", " +
                  Refute(t, trial, TrialDepth, true).text + ".";
    }
    return Found{Technique::Trial, bestPosition, bestValue};
}

// The easiest step, in reading order within a technique. `r` holds no contradiction.
std::optional<Found> FindStep(const Tables& t, const Numbers& k, const Rounds& r, Technique hardest,
                              std::string* reason) {
    for (int p = 0; p < 9; ++p) {
        if (Known(k, p)) continue;
        for (int line : {RowLineOf(p), ColumnLineOf(p)}) {
            const auto& cells = Lines[line].cells;
            int open = 0;
            for (int q : cells) open += !Known(k, q);
            if (open != 1) continue;
            const int v = LowestOf(InLine(r.s0, line, p));
            if (reason) *reason = LastNumberReason(t, k, line, v);
            return Found{Technique::LastNumber, p, v};
        }
    }
    if (hardest < Technique::SingleCandidate) return std::nullopt;
    for (int p = 0; p < 9; ++p)
        if (!Known(k, p) && CountOf(r.d1[p]) == 1) {
            const int v = LowestOf(r.d1[p]);
            if (reason) *reason = SingleCandidateReason(t, k, r, p, v);
            return Found{Technique::SingleCandidate, p, v};
        }
    if (hardest < Technique::CrossedCombinations) return std::nullopt;
    for (int p = 0; p < 9; ++p)
        if (!Known(k, p) && CountOf(r.d2[p]) == 1) {
            const int v = LowestOf(r.d2[p]);
            if (reason) *reason = CrossedCombinationsReason(t, k, r, p, v);
            return Found{Technique::CrossedCombinations, p, v};
        }
    if (hardest < Technique::Trial) return std::nullopt;
    return FindTrial(t, k, r, reason);
}

// The step from `k`, or none when it is complete, stuck or contradictory.
std::optional<Found> StepFrom(const Tables& t, const Numbers& k, Technique hardest, std::string* reason) {
    if (!t.consistent()) return std::nullopt;
    const Rounds r = Analyse(t, k);
    if (FindContradiction(r, k).kind != Contradiction::Kind::None) return std::nullopt;
    return FindStep(t, k, r, hardest, reason);
}

// The givens' numbers with the player's (or the solver's) on the open positions.
Numbers Merged(const Givens& g, const Numbers& known) {
    Numbers k = g.board.numbers;
    for (int p = 0; p < 9; ++p)
        if (!Known(k, p)) k[p] = Known(known, p) ? known[p] : 0;
    return k;
}

bool AllKnown(const Numbers& k) {
    for (int p = 0; p < 9; ++p)
        if (!Known(k, p)) return false;
    return true;
}

}  // namespace

const char* TechniqueName(Technique technique) {
    switch (technique) {
        case Technique::LastNumber: return "Last number";
        case Technique::SingleCandidate: return "Single candidate";
        case Technique::CrossedCombinations: return "Crossed combinations";
        case Technique::Trial: return "Trial";
        case Technique::Reveal: break;
    }
    return "Reveal";
}

Technique HardestTechnique(Level level) {
    switch (level) {
        case Level::Easy: return Technique::LastNumber;
        case Level::Medium: return Technique::CrossedCombinations;
        case Level::Hard:
        case Level::Unrated: break;
    }
    return Technique::Trial;
}

Level LevelFor(Technique hardest) {
    return hardest == Technique::LastNumber            ? Level::Easy
           : hardest <= Technique::CrossedCombinations ? Level::Medium
                                                       : Level::Hard;
}

std::optional<Step> NextStep(const Givens& puzzle, const Numbers& known, Technique hardest) {
    const Tables t(puzzle);
    std::string reason;
    const auto found = StepFrom(t, Merged(puzzle, known), hardest, &reason);
    if (!found) return std::nullopt;
    return Step{found->technique, found->position, found->value, std::move(reason)};
}

LogicalSolution SolveLogically(const Givens& puzzle, Technique hardest) {
    const Tables t(puzzle);
    LogicalSolution s;
    s.numbers = Merged(puzzle, {});
    while (!AllKnown(s.numbers)) {
        std::string reason;
        const auto found = StepFrom(t, s.numbers, hardest, &reason);
        if (!found) return s;
        s.numbers[found->position] = static_cast<std::int8_t>(found->value);
        s.hardest = std::max(s.hardest, found->technique);
        s.steps.push_back({found->technique, found->position, found->value, std::move(reason)});
    }
    // Every step is forced, so a full board is the solution; the check guards
    // against givens that contradict each other from the start.
    Givens full = puzzle;
    full.board.numbers = s.numbers;
    s.solved = IsComplete(full);
    return s;
}

Level Rate(const Givens& puzzle) {
    const Tables t(puzzle);
    const auto hardest = detail::HardestNeeded(t, Merged(puzzle, {}), Technique::Trial);
    return hardest ? LevelFor(*hardest) : Level::Unrated;
}

std::optional<Technique> detail::HardestNeeded(const Tables& t, const Numbers& known, Technique hardest) {
    Numbers k = known;
    Technique most = Technique::LastNumber;
    while (!AllKnown(k)) {
        const auto found = StepFrom(t, k, hardest, nullptr);
        if (!found) return std::nullopt;
        k[found->position] = static_cast<std::int8_t>(found->value);
        most = std::max(most, found->technique);
    }
    if (CountFits(t, k, 1, nullptr) != 1) return std::nullopt;
    return most;
}

Hint NextHint(const Challenge& challenge, const Numbers& player) {
    const Tables t(challenge.givens);
    const Numbers& solution = challenge.solution;
    // What is certain: the givens and the player's numbers that are right.
    Numbers right = challenge.givens.board.numbers;
    for (int p = 0; p < 9; ++p)
        if (!Known(right, p) && Known(player, p) && player[p] == solution[p]) right[p] = player[p];

    Hint hint;
    int shortest = INT_MAX;
    for (int p = 0; p < 9; ++p) {
        if (Known(right, p) || !Known(player, p)) continue;
        Numbers tried = right;
        tried[p] = player[p];
        const Refutation ref = Refute(t, tried, TrialDepth, true);
        const int length = ref.found ? ref.length : INT_MAX - 1;
        if (length >= shortest) continue;
        shortest = length;
        const std::string head = Capitalised(CellName(p)) + ": " + std::to_string(player[p]) + " cannot be right: ";
        hint = {Hint::Kind::Wrong, p, player[p], Technique::Reveal,
                head + (ref.found ? "with it, " + ref.text
                                  : "no board with " + std::to_string(player[p]) + " there fits the givens") + "."};
    }
    if (hint.kind == Hint::Kind::Wrong) return hint;

    if (AllKnown(right)) return {Hint::Kind::Solved, -1, 0, Technique::Reveal, "Every number is in place."};
    std::string reason;
    if (const auto found = StepFrom(t, right, Technique::Trial, &reason))
        return {Hint::Kind::Fill, found->position, found->value, found->technique, std::move(reason)};
    // Only a hand-made puzzle gets here: its givens fit one board, but no
    // technique reaches the next number.
    for (int p = 0; p < 9; ++p)
        if (!Known(right, p))
            return {Hint::Kind::Fill, p, solution[p], Technique::Reveal,
                    Capitalised(CellName(p)) + " is " + std::to_string(solution[p]) +
                        ": the givens allow no other number there."};
    return hint;
}

std::string Spoken(std::string_view sentence) {
    std::string out;
    for (std::size_t i = 0; i < sentence.size(); ++i) {
        const char c = sentence[i];
        // Operators stand between blanks in every sentence; a hyphen in a word does not.
        const bool between = i > 0 && i + 1 < sentence.size() && sentence[i - 1] == ' ' && sentence[i + 1] == ' ';
        if (c == '?') out += "blank";
        else if (between && c == '*') out += "times";
        else if (between && c == '+') out += "plus";
        else if (between && c == '-') out += "minus";
        else if (between && c == '=') out += "equals";
        else out += c;
    }
    return out;
}

}  // namespace quorvex::challenge
