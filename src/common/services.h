#pragma once

#include <QDate>
#include <QString>
#include <functional>
#include <memory>

// Small program-wide services that windows reach through here, so that tests
// can fix today's date, answer message boxes and run without waiting.
namespace services {

// ---- Today's date ----------------------------------------------------------
QDate today();
// Fixes the date today() returns; an invalid date goes back to the clock.
void setToday(const QDate &date);

// ---- Pause length ----------------------------------------------------------
// Windows call Pausa with the length they are specified to wait (100 ms,
// 1000 ms). The scale multiplies it: tests set 0 to run without waiting.
double pauseScale();
void setPauseScale(double scale);

// ---- Message boxes ---------------------------------------------------------
enum class Icon { None, Information, Exclamation, Critical, Question };
enum class Answer { Ok, Yes, No };

struct Message {
    QString title;
    QString text;
    Icon icon = Icon::None;
    bool yesNo = false;
};

// Shows a message to the operator. The default implementation (installed by
// the user-interface library) shows a modal message box; tests install one
// that records the message and answers.
class MessageService {
public:
    virtual ~MessageService() = default;
    virtual Answer show(const Message &message) = 0;
};

MessageService &messages();
// Installs a message service; returns the previous one. Passing nullptr
// restores the default.
std::shared_ptr<MessageService> setMessages(std::shared_ptr<MessageService> service);
// The default factory, set by the user-interface library at start-up.
void setDefaultMessageFactory(std::function<std::shared_ptr<MessageService>()> factory);

// Shorthands.
void inform(const QString &title, const QString &text);     // information icon
void exclaim(const QString &title, const QString &text);    // exclamation icon
void critical(const QString &title, const QString &text);   // critical icon
// Yes/No question; true for Yes.
bool askYesNo(const QString &title, const QString &text, Icon icon = Icon::Critical);

} // namespace services
