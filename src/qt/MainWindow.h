// The main window: builds the controls, forwards every click and menu choice
// to the core, and after each one paints what the core's state says.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <vector>

#include <QMainWindow>

#include "game/Form1.h"
#include "game/Services.h"
#include "generator/RandomSource.h"
#include "qt/Geometry.h"

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QTimer;

namespace quorvex::ui {

class BoardGrid;
class Quadlet;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Makes the services the core talks to; the real ones unless a test
    // brings its own (scripted answers, no modal boxes).
    using ServicesFactory = std::function<std::unique_ptr<Services>(MainWindow&)>;

    // `startCode`: a puzzle code to begin with instead of a new puzzle.
    explicit MainWindow(ServicesFactory makeServices = {}, std::unique_ptr<RandomSource> random = nullptr,
                        std::string startCode = {}, QWidget* parent = nullptr);
    ~MainWindow() override;

    Form1& form() { return *form_; }
    Services& services() { return *services_; }

    // Copies the core's state into every widget. Cheap when nothing changed.
    void sync(const Form1& f);
    void sync() { sync(*form_); }

    // Runs one call into the core: a failure is told to the player and the
    // game goes on; the widgets are synced and what the core has to say is
    // handed to the screen reader afterwards either way.
    void dispatch(const std::function<void()>& call);

    // The layout in force for the current size of the board area.
    Geometry layoutGeometry() const { return geometry_; }
    QWidget* boardArea() const { return board_; }
    BoardGrid* grid() const { return grid_; }

    // Board cells 1..53 (the grid's 49 and the four targets).
    Quadlet* cell(int index) const { return cells_.at(std::size_t(index)); }
    Quadlet* newPuzButton() const { return newPuz_; }
    Quadlet* solveitButton() const { return solveit_; }
    QLabel* rightMess() const { return rightMess_; }
    QLabel* compMess() const { return compMess_; }
    QLabel* picture(int j) const { return pictures_.at(std::size_t(j)); }
    QFrame* frame() const { return frame_; }
    QMenu* puzzleMenu() const { return gamex_; }
    QMenu* toolsMenu() const { return toolsx_; }
    QMenu* gameMenu() const { return gameKindx_; }
    QLabel* timerLabel() const { return timerLabel_; }
    QLabel* noteLabel() const { return noteLabel_; }
    QLabel* statusText() const { return statusText_; }

    // Moves the board's cursor, and the keyboard focus, to a cell where the
    // cursor may stop; any other cell is left alone.
    void focusCell(int index);
    // The cell the board's cursor is on (1..49).
    int cursorCell() const { return cursor_; }
    // Gives the keyboard back to the board, at its cursor.
    void focusBoard();

    // Set once the program has been told to end; a close then goes through
    // without asking the core again.
    void markEnding() { ending_ = true; }
    bool isClosing() const { return closing_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void buildBoard();
    void buildMenus();
    void buildGameMenu();
    void buildKeys();
    void buildStatusLine();
    void syncStatusLine();
    void fitStatusLine();
    void relayout();
    void drawSmiley(QLabel* picture);
    void reportFailure(const QString& what);
    void announce();
    bool boardHasFocus() const;
    QAction* addCommand(QMenu* menu, const char* name, const MenuItem& item, void (Form1::*handler)(),
                        char mnemonic = 0);

    std::unique_ptr<Services> services_;
    std::unique_ptr<Form1> form_;

    QWidget* board_ = nullptr;
    BoardGrid* grid_ = nullptr;
    QFrame* frame_ = nullptr;
    std::array<Quadlet*, CellCount> cells_{};  // 0 stays empty: the template cell is no widget
    Quadlet* newPuz_ = nullptr;
    Quadlet* solveit_ = nullptr;
    QLabel* rightMess_ = nullptr;
    QLabel* compMess_ = nullptr;
    std::array<QLabel*, 5> pictures_{};  // 1..4
    QMenu* gamex_ = nullptr;
    QMenu* toolsx_ = nullptr;
    QMenu* gameKindx_ = nullptr;
    QLabel* timerLabel_ = nullptr;
    QLabel* noteLabel_ = nullptr;
    QLabel* statusText_ = nullptr;  // the core's sentence: a hint's reason, a copied code
    QTimer* timerTick_ = nullptr;  // repaints the time while the clock runs
    int statusLineHeight_ = 0;     // the status line's height with one line of text
    struct MenuBinding {
        QAction* action;
        const MenuItem* item;
        char mnemonic;  // the letter Alt+P then opens it with, 0 for none
        QString keys;   // a key shown beside the caption but bound elsewhere
    };
    std::vector<MenuBinding> menuBindings_;

    Geometry geometry_;
    int cursor_ = 1;
    QWidget* announcer_ = nullptr;
    int spoken_ = 0;  // the core's last announcement already handed on
    bool ending_ = false;
    bool closing_ = false;
};

}  // namespace quorvex::ui
