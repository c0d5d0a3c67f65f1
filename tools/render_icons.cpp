// Build-time tool: writes the installed icons (a scalable SVG and one PNG per
// size) with the very function that draws the window icon, so a desktop menu
// shows the same picture as the running window.
//   render_icons <out-dir> <name> <size>...
// lays out <out-dir> as an icon theme: scalable/apps/<name>.svg and
// <n>x<n>/apps/<name>.png.
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgGenerator>
#include <QTextStream>

#include "qt/Pictures.h"

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 4) {
        err << "usage: render_icons <out-dir> <name> <size>...\n";
        return 2;
    }
    const QDir out(args[1]);
    const QString name = args[2];

    auto makeDir = [&](const QString& sub) {
        if (!out.mkpath(sub)) {
            err << "render_icons: cannot create " << out.filePath(sub) << '\n';
            return false;
        }
        return true;
    };

    if (!makeDir(QStringLiteral("scalable/apps"))) return 1;
    const QString svgPath = out.filePath(QStringLiteral("scalable/apps/%1.svg").arg(name));
    {
        // The drawing's own 32-unit grid becomes the SVG's view box.
        QBuffer buffer;
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(QSize(32, 32));
        svg.setViewBox(QRectF(0, 0, 32, 32));
        svg.setTitle(name);
        QPainter p(&svg);
        quorvex::ui::DrawWindowIcon(p, 32);
        p.end();
        // The generator gives the size in millimetres; icon loaders take a
        // unitless size as pixels, which is what an icon's nominal size is.
        QString text = QString::fromUtf8(buffer.data());
        text.replace(QRegularExpression(QStringLiteral("<svg width=\"[^\"]*\" height=\"[^\"]*\"")),
                     QStringLiteral("<svg width=\"32\" height=\"32\""));
        QFile file(svgPath);
        if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0 || !file.flush()) {
            err << "render_icons: cannot write " << svgPath << '\n';
            return 1;
        }
    }

    for (int i = 3; i < args.size(); ++i) {
        bool ok = false;
        const int size = args[i].toInt(&ok);
        if (!ok || size < 1 || size > 1024) {
            err << "render_icons: not a size: " << args[i] << '\n';
            return 2;
        }
        const QString sub = QStringLiteral("%1x%1/apps").arg(size);
        if (!makeDir(sub)) return 1;
        const QString path = out.filePath(sub + QStringLiteral("/%1.png").arg(name));
        if (!quorvex::ui::WindowIconPixmap(size).save(path, "PNG")) {
            err << "render_icons: cannot write " << path << '\n';
            return 1;
        }
    }
    return 0;
}
