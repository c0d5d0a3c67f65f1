// Printing is a library of its own, loaded the first time the player prints:
// Qt's print support, which it needs, would otherwise be loaded at every start.
#pragma once

#include <QString>
#include <QStringList>

#include "game/Services.h"

class QWidget;

namespace quorvex::ui {

struct PrintDialogs;

// What the print library exports: the print command after the player said
// Yes, with the real dialogs when `dialogs` is null. Returns a PrintOutcome.
using PrintEntry = int (*)(const PrintJob& job, QWidget* parent, const PrintDialogs* dialogs);
inline constexpr const char* PrintEntryName = "quorvex_print_job";
inline constexpr const char* PrintLibraryName = "libquorvex_print.so";

// Where the library may be: beside the program (a build folder), then where
// an installation puts it, relative to the program so that any prefix works.
QStringList PrintLibraryFolders();

// Loads the library from the first of `folders` that holds one (once for the
// session) and runs its print command, its PrintOutcome in `outcome`. False,
// with the reason in `error`, when no library could be loaded; the command
// then did nothing.
bool PrintThroughLibrary(const PrintJob& job, QWidget* parent, const PrintDialogs* dialogs,
                         const QStringList& folders, QString* error, int* outcome = nullptr);

}  // namespace quorvex::ui
