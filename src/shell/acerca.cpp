#include "acerca.h"

#include "common/ui/fields.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace shell {

namespace {
QPixmap drawPicture()
{
    QPixmap picture(420, 220);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, picture.height());
    sky.setColorAt(0, QColor(0x1E, 0x3C, 0x78));
    sky.setColorAt(1, QColor(0x6E, 0x9C, 0xD2));
    p.fillRect(picture.rect(), sky);

    p.setPen(Qt::white);
    QFont title(QStringLiteral("Arial"), 22, QFont::Bold);
    p.setFont(title);
    p.drawText(QRect(0, 40, picture.width(), 50), Qt::AlignCenter, QStringLiteral("Gualter Torvi e Hijos"));
    QFont subtitle(QStringLiteral("Arial"), 13);
    p.setFont(subtitle);
    p.drawText(QRect(0, 100, picture.width(), 30), Qt::AlignCenter,
               QStringLiteral("Sistema de Gestión y Punto de Venta"));
    p.drawText(QRect(0, 150, picture.width(), 30), Qt::AlignCenter,
               QStringLiteral("Versión ") + QStringLiteral(TORVI_VERSION));
    return picture;
}
} // namespace

Acerca::Acerca(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Acerca"));
    setWindowTitle(QStringLiteral("Acerca de . . ."));
    setModal(true);

    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Picture1"));
    picture->setPixmap(drawPicture());

    auto *ok = new QPushButton(QStringLiteral("&Aceptar"), this);
    ok->setObjectName(QStringLiteral("cmdAceptar"));
    ok->setDefault(true);
    ui::setupButton(ok);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(picture);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    adjustSize();
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    ok->setFocus();
}

} // namespace shell
