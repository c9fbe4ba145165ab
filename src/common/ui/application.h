#pragma once

#include <QApplication>

namespace ui {

// The program's application object. A failure thrown by an event handler
// (a StoreError of the record store or any other std::exception) does not
// end the program: it is shown to the operator as a critical message box
// titled "Error" with the failure's text, and the event counts as handled.
// A failure while such a message is already up is written to the error
// stream only, so that a handler that fails on every paint cannot flood the
// screen with boxes.
class Application : public QApplication {
public:
    Application(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};

// Shows a failure as the safety net does (usable from code that catches a
// failure itself).
void reportFailure(const QString &text);

} // namespace ui
