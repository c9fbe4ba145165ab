#pragma once

#include "common/services.h"

#include <QString>

namespace ui {

// The message service of the running program: a modal QMessageBox with the
// given title, plain text and icon; Yes/No questions get the two buttons
// "Sí"/"No" (Yes is the default button, Escape answers No).
class MessageBoxService final : public services::MessageService {
public:
    services::Answer show(const services::Message &message) override;
};

// Makes MessageBoxService the default message service. Called once at
// start-up, before any window shows a message.
void installDefaultServices();

} // namespace ui
