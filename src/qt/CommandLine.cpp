// Options through QCommandLineParser.
#include "qt/CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace quorvex::ui {

namespace {

// Options QGuiApplication and QApplication read themselves; the first ones take a value.
constexpr const char* QtValueOptions[] = {"platform", "platformpluginpath", "platformtheme", "plugin",
                                          "qmljsdebugger", "qwindowgeometry", "qwindowicon", "qwindowtitle",
                                          "session", "display", "geometry", "style", "stylesheet"};
constexpr const char* QtFlagOptions[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

std::string Line(const QString& text) { return text.toLocal8Bit().toStdString() + "\n"; }

}  // namespace

CommandLine ReadCommandLine(int argc, char** argv, const char* version) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);

    QCommandLineParser parser;
    // "-platform xcb", as Qt programs have always taken it.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QStringLiteral(
        "Quorvex, an arithmetic puzzle: find the numbers and operators that give the four corner numbers."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
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
        return CommandLine{false, 2, "", Line(QStringLiteral("quorvex: %1 Try 'quorvex --help'.").arg(why))};
    };
    if (!parser.parse(arguments)) return refuse(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return refuse(QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().first()));
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        // The usage line names the program as it was started; that takes an application object, not a display.
        QCoreApplication names(argc, argv);
        return {false, 0, parser.helpText().toLocal8Bit().toStdString(), ""};
    }
    if (parser.isSet(versionOption)) return {false, 0, std::string("quorvex ") + version + "\n", ""};
    return {};
}

}  // namespace quorvex::ui
