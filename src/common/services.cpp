#include "services.h"

#include <QDebug>
#include <QElapsedTimer>

namespace services {

namespace {
QDate g_today;
double g_pauseScale = 1.0;
std::shared_ptr<MessageService> g_messages;
std::function<std::shared_ptr<MessageService>()> g_defaultFactory;

// Used when no user interface is linked: writes to the error stream and
// answers No to questions.
class ConsoleMessages final : public MessageService {
public:
    Answer show(const Message &m) override
    {
        qWarning().noquote() << m.title << ":" << m.text;
        return m.yesNo ? Answer::No : Answer::Ok;
    }
};
} // namespace

QDate today()
{
    return g_today.isValid() ? g_today : QDate::currentDate();
}

void setToday(const QDate &date)
{
    g_today = date;
}

double pauseScale()
{
    return g_pauseScale;
}

void setPauseScale(double scale)
{
    g_pauseScale = scale < 0 ? 0 : scale;
}

MessageService &messages()
{
    if (!g_messages) {
        if (g_defaultFactory)
            g_messages = g_defaultFactory();
        if (!g_messages)
            g_messages = std::make_shared<ConsoleMessages>();
    }
    return *g_messages;
}

std::shared_ptr<MessageService> setMessages(std::shared_ptr<MessageService> service)
{
    auto previous = g_messages;
    g_messages = std::move(service);
    return previous;
}

void setDefaultMessageFactory(std::function<std::shared_ptr<MessageService>()> factory)
{
    g_defaultFactory = std::move(factory);
}

void inform(const QString &title, const QString &text)
{
    messages().show({title, text, Icon::Information, false});
}

void exclaim(const QString &title, const QString &text)
{
    messages().show({title, text, Icon::Exclamation, false});
}

void critical(const QString &title, const QString &text)
{
    messages().show({title, text, Icon::Critical, false});
}

bool askYesNo(const QString &title, const QString &text, Icon icon)
{
    return messages().show({title, text, icon, true}) == Answer::Yes;
}

} // namespace services
