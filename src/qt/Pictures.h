// The program's two pictures, drawn in code so that no binary image files are
// needed: the window icon (a small window holding a 4 by 4 grid of squares
// that read as the board) and the smiley shown beside a right corner.
#pragma once

#include <QIcon>
#include <QPixmap>

class QPainter;
class QWidget;

namespace quorvex::ui {

// Draws the window icon as a square of `size` units from the painter's
// origin; the installed icons are drawn by this same function.
void DrawWindowIcon(QPainter& p, double size);
QPixmap WindowIconPixmap(int size = 32);
// The window icon in the sizes desktops ask for.
QIcon AppIcon();
// Gives the application its icon once `window` has painted its first frame:
// drawing seven sizes and handing them to the display would hold it back.
void SetAppIconAfterFirstFrame(QWidget& window);
QPixmap SmileyPixmap(int size = 32);

}  // namespace quorvex::ui
