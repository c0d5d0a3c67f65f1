// Finding and loading the print library.
#include "qt/PrintLibrary.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

namespace quorvex::ui {

QStringList PrintLibraryFolders() {
    const QString program = QCoreApplication::applicationDirPath();
    return {program, QDir::cleanPath(program + QLatin1Char('/') + QStringLiteral(QUORVEX_PRINT_FROM_BINDIR))};
}

bool PrintThroughLibrary(const PrintJob& job, QWidget* parent, const PrintDialogs* dialogs,
                         const QStringList& folders, QString* error, int* outcome) {
    // Kept for the session once found: a library is not loaded twice.
    static PrintEntry entry = nullptr;
    if (entry == nullptr) {
        QString why = QStringLiteral("%1 was not found in %2.").arg(QString::fromLatin1(PrintLibraryName),
                                                                    folders.join(QStringLiteral(", ")));
        for (const QString& folder : folders) {
            const QString path = QDir(folder).filePath(QString::fromLatin1(PrintLibraryName));
            if (!QFileInfo(path).isFile()) continue;
            QLibrary library(path);
            entry = reinterpret_cast<PrintEntry>(library.resolve(PrintEntryName));
            if (entry != nullptr) break;
            why = library.errorString();
        }
        if (entry == nullptr) {
            if (error) *error = why;
            return false;
        }
    }
    const int printed = entry(job, parent, dialogs);
    if (outcome) *outcome = printed;
    return true;
}

}  // namespace quorvex::ui
