// Options through QCommandLineParser.
#include "qt/CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <random>

#include "challenge/Code.h"
#include "challenge/Generator.h"

namespace quorvex::ui {

namespace {

// Options QGuiApplication and QApplication read themselves; the first ones take a value.
constexpr const char* QtValueOptions[] = {"platform", "platformpluginpath", "platformtheme", "plugin",
                                          "qmljsdebugger", "qwindowgeometry", "qwindowicon", "qwindowtitle",
                                          "session", "display", "geometry", "style", "stylesheet"};
constexpr const char* QtFlagOptions[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

std::string Line(const QString& text) { return text.toLocal8Bit().toStdString() + "\n"; }

// Enough for any use, few enough that a typing slip cannot keep the machine busy for long.
constexpr int MostCodes = 100000;

}  // namespace

CommandLine ReadCommandLine(int argc, char** argv, const char* version, std::optional<std::uint64_t> seed) {
    // The usual start names no option: building the parser's table would only
    // hold the window back.
    if (argc <= 1) return {};
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);

    QCommandLineParser parser;
    // "-platform xcb", as Qt programs have always taken it.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QStringLiteral(
        "Quorvex, an arithmetic puzzle: find the numbers and operators that give the four corner numbers."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    const QCommandLineOption generate(QStringLiteral("generate"),
                                      QStringLiteral("Print <count> puzzle codes, one a line, and exit."),
                                      QStringLiteral("count"));
    const QCommandLineOption level(QStringLiteral("level"),
                                   QStringLiteral("What --generate makes: easy, medium or hard challenges, or "
                                                  "classic puzzles (the default)."),
                                   QStringLiteral("level"), QStringLiteral("classic"));
    const QCommandLineOption code(QStringLiteral("code"), QStringLiteral("Start with the puzzle this code holds."),
                                  QStringLiteral("code"));
    parser.addOptions({generate, level, code});
    for (const char* name : QtValueOptions) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char* name : QtFlagOptions) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }

    const auto refuse = [](const QString& why) {
        return CommandLine{false, 2, "", Line(QStringLiteral("quorvex: %1 Try 'quorvex --help'.").arg(why)), ""};
    };
    if (!parser.parse(arguments)) return refuse(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return refuse(QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().first()));
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        // The usage line names the program as it was started; that takes an application object, not a display.
        QCoreApplication names(argc, argv);
        return {false, 0, parser.helpText().toLocal8Bit().toStdString(), "", ""};
    }
    if (parser.isSet(versionOption)) return {false, 0, std::string("quorvex ") + version + "\n", "", ""};
    // One line for whatever is wrong, as a refused option gets.
    const auto fail = [](const std::string& why) { return CommandLine{false, 2, "", "quorvex: " + why + "\n", ""}; };
    if (parser.isSet(level) && !parser.isSet(generate)) return refuse(QStringLiteral("--level goes with --generate."));
    if (parser.isSet(generate) && parser.isSet(code)) return refuse(QStringLiteral("--generate and --code do not go together."));
    if (parser.isSet(generate)) {
        bool number = false;
        const int count = parser.value(generate).toInt(&number);
        if (!number || count < 1 || count > MostCodes)
            return refuse(QStringLiteral("--generate takes a count from 1 to %1.").arg(MostCodes));
        const auto kind = challenge::KindNamed(parser.value(level).toStdString());
        if (!kind) return refuse(QStringLiteral("--level is easy, medium, hard or classic."));
        challenge::SeededRandom random(
            seed.value_or((std::uint64_t{std::random_device{}()} << 32) ^ std::random_device{}()));
        CommandLine printed{false, 0, "", "", ""};
        for (int n = 0; n < count; ++n) {
            const std::string made = challenge::GenerateCode(*kind, random);
            if (made.empty()) return fail("no puzzle could be made.");
            printed.out += made + "\n";
        }
        return printed;
    }
    if (parser.isSet(code)) {
        const challenge::DecodedCode decoded = challenge::DecodePuzzleCode(parser.value(code).toStdString());
        if (!decoded.puzzle) return fail(decoded.error);
        CommandLine start;
        start.code = parser.value(code).toStdString();
        return start;
    }
    return {};
}

}  // namespace quorvex::ui
