#pragma once

#include <QDialog>

namespace shell {

// The about window `Acerca`: a picture of the system and "&Aceptar".
class Acerca : public QDialog {
    Q_OBJECT
public:
    explicit Acerca(QWidget *parent = nullptr);
};

} // namespace shell
