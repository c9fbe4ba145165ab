#include "message_box.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace ui {

namespace {
QMessageBox::Icon toBoxIcon(services::Icon icon)
{
    switch (icon) {
    case services::Icon::Information: return QMessageBox::Information;
    case services::Icon::Exclamation: return QMessageBox::Warning;
    case services::Icon::Critical: return QMessageBox::Critical;
    case services::Icon::Question: return QMessageBox::Question;
    case services::Icon::None: break;
    }
    return QMessageBox::NoIcon;
}
} // namespace

services::Answer MessageBoxService::show(const services::Message &message)
{
    QMessageBox box(toBoxIcon(message.icon), message.title, message.text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    if (!message.yesNo) {
        box.setStandardButtons(QMessageBox::Ok);
        box.exec();
        return services::Answer::Ok;
    }
    QPushButton *yes = box.addButton(QStringLiteral("&Sí"), QMessageBox::YesRole);
    QPushButton *no = box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes ? services::Answer::Yes : services::Answer::No;
}

void installDefaultServices()
{
    services::setDefaultMessageFactory([] { return std::make_shared<MessageBoxService>(); });
}

} // namespace ui
