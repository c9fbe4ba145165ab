#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <functional>

class QLineEdit;
class QPushButton;
class QWidget;

// Behaviour shared by the entry fields and buttons of every window. Each
// helper installs a small event filter owned by the widget, so a window only
// declares what its fields do.
namespace ui {

inline const QColor FieldFocusColour{0xC0, 0xFF, 0xC0};   // field being edited
inline const QColor ButtonFocusColour{0x00, 0xFF, 0x00};  // focused button
inline const QColor ButtonColour{0xE0, 0xE0, 0xE0};       // other buttons

struct FieldOptions {
    bool upper = false;         // typed letters become upper case
    bool comma = false;         // a typed "." becomes "," (amounts, quantities, prices)
    bool selectOnClick = true;  // a click into the box selects its whole text
};

// A line edit turns light green while it has the focus and goes back to its
// own colour when the focus leaves it (not when a context menu or another
// program takes it for a moment); plus the options above.
void setupField(QLineEdit *field, FieldOptions options = {});

// A push button is bright green while focused and light grey otherwise, and
// Enter pressed on it clicks it (in any window, not only in dialogs).
void setupButton(QPushButton *button);

// Calls `handler` when `key` is pressed (without Ctrl, Alt or Meta) in
// `widget`, and swallows the key. Qt::Key_Return also stands for the
// keypad's Enter. The key wins over shortcuts bound to it elsewhere.
void onKey(QWidget *widget, int key, std::function<void()> handler);

// Gives `widget` the focus and selects its whole text (line edits, spin
// boxes, editable combo boxes, text edits).
void focusAndSelect(QWidget *widget);

// Enter in `from` moves the focus to `to`, with its text selected.
void enterMovesTo(QWidget *from, QWidget *to);
// The same with the next field found by objectName in from's window (the
// MDI child or top-level window it belongs to) when Enter is pressed.
void enterMovesTo(QWidget *from, const QString &toName);

// Down moves the focus to the next widget of `order`, Up to the previous;
// both wrap round. The text of the field reached is selected.
void upDownRing(const QList<QWidget *> &order);

// The window a control belongs to: its top-level window, or the MDI child
// (the widget inside the QMdiSubWindow) when it sits in the main window.
QWidget *formOf(QWidget *widget);

} // namespace ui
