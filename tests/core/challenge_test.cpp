// Challenge puzzles: every level's puzzles fit one board and need exactly
// their level's techniques; the fit counter against an exhaustive count;
// puzzle codes round-trip and bad ones are refused in one sentence; hints
// point out wrong numbers first and explain each technique. Random parts
// print their seed (QUORVEX_SEED replays a run).
#include "CoreHelpers.h"
#include "challenge/Code.h"
#include "challenge/Generator.h"
#include "challenge/Logic.h"

namespace quorvex::testing {
namespace {

using namespace quorvex::challenge;

// Puzzles in the tests are written as their codes.
Challenge FromCode(std::string_view code) {
    const DecodedCode d = DecodePuzzleCode(code);
    EXPECT_TRUE(d.puzzle) << code << ": " << d.error;
    return d.puzzle ? d.puzzle->challenge : Challenge{};
}

// Nine numbers in reading order, '.' for an open cell.
Numbers Nine(std::string_view s) {
    Numbers n{};
    for (int p = 0; p < 9; ++p) n[p] = static_cast<std::int8_t>(s[p] == '.' ? 0 : s[p] - '0');
    return n;
}

// The operator index of each line's two cells, found from the board's layout.
int OperatorAt(int cell) {
    for (int k = 0; k < 16; ++k)
        if (SolverOperatorCells[k] == cell) return k;
    return -1;
}

// The whole board as the game lays it out, for BoardHolds.
std::string Laid(const challenge::Givens& g, const Numbers& numbers) {
    std::string b = EmptyBoard("....");
    for (int p = 0; p < 9; ++p) b[NumberCells[p] - 1] = static_cast<char>('0' + numbers[p]);
    for (int k = 0; k < 16; ++k) b[SolverOperatorCells[k] - 1] = g.board.operators[k];
    for (int k = 0; k < 7; ++k) b[ResultCells[k] - 1] = static_cast<char>('0' + g.results[k]);
    return b;
}

// Every assignment of the open numbers tried with the board's own arithmetic.
// Each row's 729 triples are tested once on their own, then every choice of
// three rows by the columns: the same count as trying all 9^9 boards.
int CountEveryAssignment(const challenge::Givens& g) {
    const auto holds = [&](int a, int b, int c, int cell1, int cell2, int want) {
        return EvalEquation(static_cast<std::int16_t>(a), static_cast<std::int16_t>(b), static_cast<std::int16_t>(c),
                            std::string(1, g.board.operators[OperatorAt(cell1)]),
                            std::string(1, g.board.operators[OperatorAt(cell2)])) == want;
    };
    const auto& r = g.results;
    if (!holds(r[0], r[1], r[2], 14, 28, r[6]) || !holds(r[3], r[4], r[5], 44, 46, r[6])) return 0;
    std::vector<std::array<int, 3>> rows[3];
    bool column[3][10][10][10] = {};
    for (int i = 0; i < 729; ++i) {
        const int v[3] = {i / 81 + 1, i / 9 % 9 + 1, i % 9 + 1};
        for (int line = 0; line < 3; ++line) {
            const int f = 1 + 14 * line;  // row line's first cell; column line 2 * line + 1
            bool given = true;
            for (int k = 0; k < 3; ++k) given &= !g.board.numbers[3 * line + k] || g.board.numbers[3 * line + k] == v[k];
            if (given && holds(v[0], v[1], v[2], f + 1, f + 3, r[line])) rows[line].push_back({v[0], v[1], v[2]});
            column[line][v[0]][v[1]][v[2]] = holds(v[0], v[1], v[2], 2 * line + 8, 2 * line + 22, r[3 + line]);
        }
    }
    int count = 0;
    for (const auto& a : rows[0])
        for (const auto& b : rows[1])
            for (const auto& c : rows[2])
                count += column[0][a[0]][b[0]][c[0]] && column[1][a[1]][b[1]][c[1]] && column[2][a[2]][b[2]][c[2]];
    return count;
}

TEST(Challenge, EveryLevelsPuzzlesFitOneBoardAndNeedExactlyTheirTechniques) {
    for (unsigned seed : TestSeeds({1})) {
        SCOPED_TRACE(::testing::Message() << "QUORVEX_SEED=" << seed);
        std::mt19937 rng(seed);
        for (Level level : {Level::Easy, Level::Medium, Level::Hard}) {
            SeededRandom random(seed * 3ULL + static_cast<unsigned>(level));
            for (int n = 0; n < 1000; ++n) {
                const auto c = Generate(level, random);
                ASSERT_TRUE(c);
                const challenge::Givens& g = c->givens;
                const std::string code = ChallengeCode(g, level);
                SCOPED_TRACE(code);
                const FitCount fit = CountFits(g, 3);
                EXPECT_EQ(fit.count, 1);
                EXPECT_EQ(fit.first, c->solution);
                EXPECT_TRUE(BoardHolds(Laid(g, c->solution)));

                // Solved with the level's techniques, and not with those of the level below.
                const LogicalSolution own = SolveLogically(g, HardestTechnique(level));
                EXPECT_TRUE(own.solved);
                EXPECT_EQ(own.numbers, c->solution);
                EXPECT_EQ(LevelFor(own.hardest), level);
                EXPECT_FALSE(own.steps.empty());
                if (level != Level::Easy) {
                    const Level below = static_cast<Level>(static_cast<int>(level) - 1);
                    EXPECT_FALSE(SolveLogically(g, HardestTechnique(below)).solved);
                }
                // A hard puzzle keeps only givens it needs: without any one of them it has several fits.
                for (int p = 0; p < 9 && level == Level::Hard; ++p) {
                    challenge::Givens fewer = g;
                    fewer.board.numbers[p] = 0;
                    if (g.board.numbers[p]) {
                        EXPECT_EQ(CountFits(fewer).count, 2) << "given " << p;
                    }
                }

                const DecodedCode back = DecodePuzzleCode(code);
                ASSERT_TRUE(back.puzzle) << back.error;
                EXPECT_EQ(back.puzzle->challenge.givens, g);
                EXPECT_EQ(back.puzzle->challenge.solution, c->solution);
                EXPECT_EQ(back.puzzle->challenge.level, level);
                EXPECT_EQ(back.puzzle->label, level);

                // From a board part right, part wrong, part empty, hints lead to the
                // solution: wrong numbers pointed out (and then taken away) first.
                if (n % 10) continue;
                Numbers player{};
                for (int p = 0; p < 9; ++p)
                    if (!g.board.numbers[p] && rng() % 3) player[p] = static_cast<std::int8_t>(rng() % 2 ? c->solution[p] : rng() % 9 + 1);
                for (int step = 0; step < 20; ++step) {
                    const Hint h = NextHint(*c, player);
                    SCOPED_TRACE(h.sentence);
                    bool wrong = false;
                    for (int p = 0; p < 9; ++p) wrong |= player[p] && !g.board.numbers[p] && player[p] != c->solution[p];
                    if (h.kind == Hint::Kind::Solved) {
                        EXPECT_FALSE(wrong);
                        break;
                    }
                    ASSERT_TRUE(h.position >= 0 && h.position < 9 && !g.board.numbers[h.position]);
                    EXPECT_EQ(h.kind, wrong ? Hint::Kind::Wrong : Hint::Kind::Fill);
                    if (h.kind == Hint::Kind::Wrong) {
                        EXPECT_EQ(h.value, player[h.position]);
                        EXPECT_NE(h.value, c->solution[h.position]);
                        player[h.position] = 0;
                    } else {
                        EXPECT_EQ(h.value, c->solution[h.position]);
                        EXPECT_LE(h.technique, HardestTechnique(level));
                        player[h.position] = static_cast<std::int8_t>(h.value);
                    }
                    ASSERT_LT(step, 19) << "hints did not finish";
                }
            }
        }
    }
}

// Rows of ones and pluses that must make 1: no board fits.
challenge::Givens NoFit() {
    challenge::Givens g;
    g.board.operators.fill('+');
    g.results = {1, 1, 1, 1, 1, 1, 3};
    return g;
}
// A hard puzzle with its givens taken away: 42 boards fit.
challenge::Givens ManyFits() {
    challenge::Givens g = FromCode("H6NA-C8EP-T93S-GY").givens;
    g.board.numbers = {};
    return g;
}

TEST(Challenge, FitCounterAgreesWithAnExhaustiveCount) {
    // One fit, none, many, and boards drawn from the seed with a few of their
    // numbers given (the last with one given changed).
    std::vector<challenge::Givens> cases = {FromCode("H6NA-C8EP-T93S-GY").givens, NoFit(), ManyFits()};
    for (unsigned seed : TestSeeds({})) {
        SCOPED_TRACE(::testing::Message() << "QUORVEX_SEED=" << seed);
        SeededRandom random(seed);
        for (int n = 0; n < 4; ++n) {
            challenge::Givens g = RandomBoard(random);
            for (auto& number : g.board.numbers)
                if (Below(random, 3)) number = 0;
            if (n == 3) g.board.numbers[4] = static_cast<std::int8_t>(g.board.numbers[4] % 9 + 1);
            cases.push_back(g);
        }
    }
    for (const challenge::Givens& g : cases) {
        SCOPED_TRACE(ChallengeCode(g, Level::Unrated));
        const int every = CountEveryAssignment(g);
        EXPECT_EQ(CountFits(g, 1 << 20).count, every);
        EXPECT_EQ(CountFits(g).count, std::min(every, 2));
    }
    EXPECT_EQ(CountEveryAssignment(cases[0]), 1);
    EXPECT_EQ(CountEveryAssignment(cases[1]), 0);
    EXPECT_EQ(CountEveryAssignment(cases[2]), 42);
}

// The code with the check character that makes it read as one.
std::string WithCheck(const std::string& body) {
    for (char check : std::string_view("0123456789ABCDEFGHJKMNPQRSTVWXYZ"))
        if (DecodePuzzleCode(body + check).error.find("check character") == std::string::npos) return body + check;
    return body;
}

TEST(Challenge, CodesRoundTripAndReadWithoutCaseOrSeparators) {
    for (int i = 0; i < 6561; ++i) {
        const Corners k = {i / 729 + 1, i / 81 % 9 + 1, i / 9 % 9 + 1, i % 9 + 1};
        const DecodedCode d = DecodePuzzleCode(ClassicCode(k));
        ASSERT_TRUE(d.puzzle && d.puzzle->classic) << ClassicCode(k);
        EXPECT_EQ(d.puzzle->corners, k);
    }
    EXPECT_EQ(ClassicCode({7, 2, 8, 1}), "C7281H");

    // The format as written down: operators, results and numbers of a known board.
    const Challenge c = FromCode(" m683 8pf3-eln4 n4o ");
    EXPECT_EQ(std::string(c.givens.board.operators.begin(), c.givens.board.operators.end()), "-+--+--+++-++-+-");
    EXPECT_EQ(c.givens.results, (Results{3, 6, 4, 3, 1, 3, 1}));
    EXPECT_EQ(c.givens.board.numbers, Nine(".46.....8"));
    EXPECT_EQ(c.solution, Nine("146765938"));
    EXPECT_EQ(ChallengeCode(c.givens, Level::Medium), "M683-8PF3-E1N4-N40");
}

TEST(Challenge, BadOrTamperedCodesAreRefusedInOneSentence) {
    const std::string notACode = "That code is not a Quorvex puzzle: ";
    struct Case { std::string code, error; };
    for (const Case& c : std::vector<Case>{
             {"", notACode + "it is empty."},
             {" - ", notACode + "it is empty."},
             {"C72%1H", notACode + "it holds \"%\", which no code uses."},
             {"C7281\xC3\xA9", notACode + "it holds a character that no code uses."},
             {"C728U", notACode + "it holds \"U\", which no code uses."},
             {"X7281H", notACode + "it must begin with C, E, M, H or P."},
             {"C7", notACode + "it is too short."},
             {"P" + std::string(19, '1'), notACode + "it is too long."},
             {std::string(101, '-'), notACode + "it is too long."},
             {"C7281J", notACode + "a character is mistyped or missing (its check character does not match)."},
             {"C7821H", notACode + "a character is mistyped or missing (its check character does not match)."},
             {WithCheck("C0281"), notACode + "a classic code holds four digits from 1 to 9."},
             {WithCheck("C72811"), notACode + "a classic code holds four digits from 1 to 9."},
             {WithCheck("P" + std::string(17, 'Z')), notACode + "its numbers do not make a board."},
             {ChallengeCode(NoFit(), Level::Unrated), "This code's givens have no solution."},
             {ChallengeCode(ManyFits(), Level::Unrated), "This code's givens have more than one solution."},
         }) {
        const DecodedCode d = DecodePuzzleCode(c.code);
        EXPECT_FALSE(d.puzzle) << c.code;
        EXPECT_EQ(d.error, c.error) << c.code;
    }
    // Every single wrong character and every swap of neighbours is caught.
    const std::string good = "H6NAC8EPT93SGY", alphabet = "0123456789ABCDEFGHJKMNPQRSTVWXYZ";
    for (std::size_t i = 0; i < good.size(); ++i) {
        for (char ch : alphabet) {
            std::string typo = good;
            typo[i] = ch;
            if (ch != good[i]) {
                EXPECT_FALSE(DecodePuzzleCode(typo).puzzle) << typo;
            }
        }
        std::string swapped = good;
        if (i + 1 < good.size() && good[i] != good[i + 1]) {
            std::swap(swapped[i], swapped[i + 1]);
            EXPECT_FALSE(DecodePuzzleCode(swapped).puzzle) << swapped;
        }
    }
}

TEST(Challenge, HintsPointOutWrongNumbersFirstAndExplainEachTechnique) {
    using K = Hint::Kind;
    using T = Technique;
    struct Case { const char* code; const char* player; K kind; int position, value; T technique; const char* sentence; };
    for (const Case& c : {
             Case{"M683-8PF3-E1N4-N40", ".........", K::Fill, 0, 1, T::LastNumber, "Row 1: ? - 4 + 6 = 3, so ? is 1."},
             // A number on a given cell is not the player's: ignored.
             {"M683-8PF3-E1N4-N40", ".9.......", K::Fill, 0, 1, T::LastNumber, "Row 1: ? - 4 + 6 = 3, so ? is 1."},
             {"MNSP-XTGZ-ZD2C-B7", ".........", K::Fill, 0, 7, T::SingleCandidate,
              "Row 1, column 1: only 7 fits row 1 (? - 5 * ? = 2)."},
             {"H6NA-C8EP-T93S-GY", "737..1..3", K::Fill, 3, 1, T::SingleCandidate,
              "Row 3, column 1: only 1 fits both row 3 (? * ? + 1 = 4) and column 1 (7 + ? * ? = 9): the row allows "
              "1 or 3 there, the column 1 or 2."},
             {"MF4C-WDJD-629M-HF", "..7..2..6", K::Fill, 4, 1, T::CrossedCombinations,
              "Row 3, column 3: only 1 fits column 3 (? * ? + ? = 5) with row 1, column 3 held to 3 or 4 by row 1."},
             {"M1DH-932X-JX03-866", "6..7826..", K::Fill, 2, 9, T::CrossedCombinations,
              "Row 1, column 5: only 9 fits both lines: row 1 (6 * ? - ? = 3) allows 3 or 9 there; column 5 "
              "(? + 2 - ? = 4) allows 8 or 9 with row 5, column 5 held to 6 or 7 by row 5."},
             {"H16V-CJ85-B6YQ-MP8", ".........", K::Fill, 2, 3, T::Trial,
              "Row 1, column 5 must be 3: its lines leave 3 or 4, and if it were 4, column 1 (? - 5 + ? = 5) could "
              "not be made with row 1, column 1 held to 9 by row 1 and row 5, column 1 kept from 1 by row 5."},
             {"HARY-4268-CJEA-CD", ".........", K::Fill, 2, 2, T::Trial,
              "Row 1, column 5 must be 2: its lines leave 2 or 3, and if it were 3, row 3, column 1 would be 8, and "
              "then row 1 (? + ? - 3 = 7) could not be made with row 1, column 1 held to 1 by column 1 and row 1, "
              "column 3 kept from 9 by column 3."},
             {"P427-1G4C-KY", ".........", K::Fill, 0, 2, T::Reveal,
              "Row 1, column 1 is 2: the givens allow no other number there."},
             // Wrong numbers come first, whatever else could be deduced.
             {"M683-8PF3-E1N4-N40", "2........", K::Wrong, 0, 2, T::Reveal,
              "Row 1, column 1: 2 cannot be right: with it, row 1 would read 2 - 4 + 6 = 3, which is false."},
             {"M683-8PF3-E1N4-N40", "1..7..1..", K::Wrong, 6, 1, T::Reveal,
              "Row 5, column 1: 1 cannot be right: with it, row 5 (1 + ? - 8 = 4) could not be made."},
             {"M4BJ-8776-6WAN-YD5", "...1.....", K::Wrong, 3, 1, T::Reveal,
              "Row 3, column 1: 1 cannot be right: with it, nothing could go in row 3, column 3: row 3 (1 * ? - 3 = "
              "3) would allow only 6 there, and column 3 (7 + ? - 6 = 2) only 1."},
             {"HJ9T-GJED-J9BR-46", "5........", K::Wrong, 0, 5, T::Reveal,
              "Row 1, column 1: 5 cannot be right: with it, row 1, column 5 would be 5, and then column 3 (? + ? - 7 "
              "= 3) could not be made with row 1, column 3 held to 9 by row 1 and row 3, column 3 kept from 1 by row 3."},
             {"H2KW-6TTF-X03M-PG", "......5..", K::Wrong, 6, 5, T::Reveal,
              "Row 5, column 1: 5 cannot be right: no board with 5 there fits the givens."},
             {"M683-8PF3-E1N4-N40", "146765938", K::Solved, -1, 0, T::Reveal, "Every number is in place."},
         }) {
        SCOPED_TRACE(std::string(c.code) + " " + c.player);
        const Hint h = NextHint(FromCode(c.code), Nine(c.player));
        EXPECT_EQ(h.kind, c.kind);
        EXPECT_EQ(h.position, c.position);
        EXPECT_EQ(h.value, c.value);
        EXPECT_EQ(h.technique, c.technique);
        EXPECT_EQ(h.sentence, c.sentence);
    }
}

TEST(Challenge, SeedsAndDatesGiveTheSamePuzzleEverywhereAndABadSourceEnds) {
    const auto code = [](const std::optional<Challenge>& c) { return c ? ChallengeCode(c->givens, c->level) : "none"; };
    // Fixed by this program's own arithmetic, not the standard library's.
    EXPECT_EQ(code(DailyChallenge(2025, 1, 1)), "HE4M-0NYJ-3CN8-TM");
    EXPECT_EQ(code(DailyChallenge(2025, 1, 2)), "H28V-3TK0-G725-5M");
    EXPECT_EQ(code(Generate(Level::Medium, 99)), code(Generate(Level::Medium, 99)));

    // A source stuck on one number draws the same board every time: one of
    // ones, every line 1 + 1 + 1 = 3, which needs no trial, so no hard puzzle
    // comes of it. The search gives up after its bound of boards.
    struct Stuck : ChallengeRandom {
        std::uint64_t Next() override { return 0; }
    } stuck;
    GenerationStats stats;
    EXPECT_FALSE(Generate(Level::Hard, stuck, &stats));
    EXPECT_EQ(stats.boards, MaxBoards);
    const auto ones = Generate(Level::Medium, stuck);
    ASSERT_TRUE(ones);
    EXPECT_EQ(ones->givens.board.numbers, Nine("........."));
    EXPECT_EQ(ones->solution, Nine("111111111"));
    EXPECT_FALSE(Generate(Level::Unrated, 1));
}

}  // namespace
}  // namespace quorvex::testing
