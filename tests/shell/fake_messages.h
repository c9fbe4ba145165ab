#pragma once

#include "common/services.h"

#include <QList>
#include <memory>

// Records the messages a window shows instead of showing them, and answers
// questions from a queue (No when the queue is empty). Installed for the
// lifetime of the object.
class FakeMessages final : public services::MessageService {
public:
    services::Answer show(const services::Message &message) override
    {
        shown.append(message);
        if (!answers.isEmpty())
            return answers.takeFirst();
        return message.yesNo ? services::Answer::No : services::Answer::Ok;
    }

    QList<services::Message> shown;
    QList<services::Answer> answers;
};

class MessagesGuard {
public:
    MessagesGuard() : fake(std::make_shared<FakeMessages>()) { m_previous = services::setMessages(fake); }
    ~MessagesGuard() { services::setMessages(m_previous); }
    MessagesGuard(const MessagesGuard &) = delete;
    MessagesGuard &operator=(const MessagesGuard &) = delete;

    FakeMessages *operator->() const { return fake.get(); }

    std::shared_ptr<FakeMessages> fake;

private:
    std::shared_ptr<services::MessageService> m_previous;
};
