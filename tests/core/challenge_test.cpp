// Challenge puzzles: every level's puzzles fit one board and need exactly
// their level's techniques; puzzle codes round-trip and bad ones are refused
// in one sentence; hints point out wrong numbers first and explain each
// technique. Random parts print their seed (QUORVEX_SEED replays a run).
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

TEST(Challenge, EveryLevelsPuzzlesFitOneBoardAndNeedExactlyTheirTechniques) {
    for (unsigned seed : TestSeeds({1})) {
        SCOPED_TRACE(::testing::Message() << "QUORVEX_SEED=" << seed);
        for (Level level : {Level::Easy, Level::Medium, Level::Hard}) {
            SeededRandom random(seed * 3ULL + static_cast<unsigned>(level));
            for (int n = 0; n < 1000; ++n) {
                const auto c = Generate(level, random);
                ASSERT_TRUE(c);
                const challenge::Givens& g = c->givens;
                const std::string code = ChallengeCode(g, level);
                SCOPED_TRACE(code);
                // Its code reads back as the one board that fits.
                const Challenge back = FromCode(code);
                EXPECT_TRUE(back.givens == g && back.solution == c->solution && back.level == level);
                // Solved with the level's techniques, and not with those of the level below.
                const LogicalSolution own = SolveLogically(g, HardestTechnique(level));
                EXPECT_TRUE(own.solved && own.numbers == c->solution && LevelFor(own.hardest) == level);
                EXPECT_FALSE(level != Level::Easy && SolveLogically(g, HardestTechnique(Level(int(level) - 1))).solved);
                // A hard puzzle keeps only givens it needs: without any one of them it has several fits.
                for (int p = 0; p < 9 && level == Level::Hard; ++p) {
                    challenge::Givens fewer = g;
                    fewer.board.numbers[p] = 0;
                    EXPECT_TRUE(!g.board.numbers[p] || CountFits(fewer).count == 2) << "given " << p;
                }
            }
        }
    }
}

TEST(Challenge, CodesRoundTripAndReadWithoutCaseOrSeparators) {
    for (int i = 0; i < 6561; ++i) {
        const Corners k = {i / 729 + 1, i / 81 % 9 + 1, i / 9 % 9 + 1, i % 9 + 1};
        const DecodedCode d = DecodePuzzleCode(ClassicCode(k));
        ASSERT_TRUE(d.puzzle && d.puzzle->classic && d.puzzle->corners == k) << ClassicCode(k);
    }
    EXPECT_EQ(ClassicCode({7, 2, 8, 1}), "C7281H");

    // The format as written down: operators, results and numbers of a known board.
    const Challenge c = FromCode(" m683 8pf3-eln4 n4o ");
    EXPECT_EQ(std::string(c.givens.board.operators.begin(), c.givens.board.operators.end()), "-+--+--+++-++-+-");
    EXPECT_EQ(c.givens.results, (Results{3, 6, 4, 3, 1, 3, 1}));
    EXPECT_TRUE(c.givens.board.numbers == Nine(".46.....8") && c.solution == Nine("146765938"));
    EXPECT_EQ(ChallengeCode(c.givens, Level::Medium), "M683-8PF3-E1N4-N40");
}

TEST(Challenge, BadOrTamperedCodesAreRefusedInOneSentence) {
    const std::string notACode = "That code is not a Quorvex puzzle: ";
    // Rows of ones and pluses that must make 1; a hard puzzle whose result row
    // no longer reaches cell 49 (its last operator changed), though every other
    // line still fits; the same puzzle with its givens taken away.
    challenge::Givens noFit, falseResultRow = FromCode("H6NA-C8EP-T93S-GY").givens, manyFits = falseResultRow;
    noFit.board.operators.fill('+');
    noFit.results = {1, 1, 1, 1, 1, 1, 3};
    falseResultRow.board.operators[15] = falseResultRow.board.operators[15] == '+' ? '-' : '+';
    manyFits.board.numbers = {};
    struct Case { std::string code, error; };
    for (const Case& c : std::vector<Case>{
             {"", notACode + "it is empty."},
             {"C7281\xC3\xA9", notACode + "it holds a character that no code uses."},
             {"C728U", notACode + "it holds \"U\", which no code uses."},
             {"X7281H", notACode + "it must begin with C, E, M, H or P."},
             {"C7", notACode + "it is too short."},
             {"P" + std::string(19, '1'), notACode + "it is too long."},
             {std::string(101, '-'), notACode + "it is too long."},
             {"C7281J", notACode + "a character is mistyped or missing (its check character does not match)."},
             {"C0281E", notACode + "a classic code holds four digits from 1 to 9."},
             {"P" + std::string(17, 'Z') + "9", notACode + "its numbers do not make a board."},
             {ChallengeCode(noFit, Level::Unrated), "This code's givens have no solution."},
             {ChallengeCode(falseResultRow, Level::Unrated), "This code's givens have no solution."},
             {ChallengeCode(manyFits, Level::Unrated), "This code's givens have more than one solution."},
         }) {
        const DecodedCode d = DecodePuzzleCode(c.code);
        EXPECT_TRUE(!d.puzzle && d.error == c.error) << c.code << ": " << d.error;
    }
    // The fits behind the last one, counted up to a limit (42 found by trying every assignment).
    EXPECT_TRUE(CountFits(manyFits, 5).count == 5 && CountFits(manyFits, 1 << 20).count == 42);
    // Every single wrong character and every swap of neighbours is caught.
    const std::string good = "H6NAC8EPT93SGY", alphabet = "0123456789ABCDEFGHJKMNPQRSTVWXYZ";
    for (std::size_t i = 0; i < good.size(); ++i)
        for (char ch : alphabet) {
            std::string typo = good, swapped = good;
            typo[i] = ch;
            std::swap(swapped[i], swapped[(i + 1) % good.size()]);
            for (const std::string& bad : {typo, swapped}) EXPECT_TRUE(bad == good || !DecodePuzzleCode(bad).puzzle) << bad;
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
             {"H6NA-C8EP-T93S-GY", "737..1..3", K::Fill, 3, 1, T::SingleCandidate, "Row 3, column 1: only 1 fits both "
              "row 3 (? * ? + 1 = 4) and column 1 (7 + ? * ? = 9): the row allows 1 or 3 there, the column 1 or 2."},
             {"MF4C-WDJD-629M-HF", "..7..2..6", K::Fill, 4, 1, T::CrossedCombinations,
              "Row 3, column 3: only 1 fits column 3 (? * ? + ? = 5) with row 1, column 3 held to 3 or 4 by row 1."},
             {"H16V-CJ85-B6YQ-MP8", ".........", K::Fill, 2, 3, T::Trial,
              "Row 1, column 5 must be 3: its lines leave 3 or 4, and if it were 4, column 1 (? - 5 + ? = 5) could "
              "not be made with row 1, column 1 held to 9 by row 1 and row 5, column 1 kept from 1 by row 5."},
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
        EXPECT_EQ(std::tie(h.kind, h.position, h.value, h.technique, h.sentence),
                  std::tie(c.kind, c.position, c.value, c.technique, c.sentence));
    }
}

TEST(Challenge, SeedsAndDatesGiveTheSamePuzzleEverywhereAndABadSourceEnds) {
    const auto code = [](const std::optional<Challenge>& c) { return c ? ChallengeCode(c->givens, c->level) : "none"; };
    // Fixed by this program's own arithmetic, not the standard library's.
    EXPECT_EQ(code(DailyChallenge(2025, 1, 1)), "HE4M-0NYJ-3CN8-TM");
    EXPECT_EQ(code(DailyChallenge(2025, 1, 2)), "H28V-3TK0-G725-5M");

    // A source stuck on one number draws the same board every time: one of
    // ones, every line 1 + 1 + 1 = 3, which needs no trial, so no hard puzzle
    // comes of it. The search gives up after its bound of boards.
    struct Stuck : ChallengeRandom { std::uint64_t Next() override { return 0; } } stuck;
    GenerationStats stats;
    EXPECT_TRUE(!Generate(Level::Hard, stuck, &stats) && stats.boards == MaxBoards);
    const auto ones = Generate(Level::Medium, stuck);
    EXPECT_TRUE(ones && ones->givens.board.numbers == Nine(".........") && ones->solution == Nine("111111111"));
}

}  // namespace
}  // namespace quorvex::testing
