#include "common/services.h"
#include "common/ui/application.h"
#include "common/ui/espere.h"
#include "common/ui/fields.h"
#include "common/ui/message_box.h"
#include "common/ui/pausa.h"
#include "common/ui/twips.h"
#include "fake_messages.h"
#include "store/record_store.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

using ui::FieldOptions;
Q_DECLARE_METATYPE(ui::FieldOptions)

// A window with three fields and two buttons, shown and active.
class Form : public QWidget {
public:
    Form()
    {
        setObjectName(QStringLiteral("Form"));
        auto *layout = new QVBoxLayout(this);
        for (const char *name : {"Text1", "Text2", "Text3"}) {
            auto *field = new QLineEdit(this);
            field->setObjectName(QString::fromLatin1(name));
            layout->addWidget(field);
            fields.append(field);
        }
        for (const char *name : {"cmdGrabar", "cmdSalir"}) {
            auto *button = new QPushButton(QString::fromLatin1(name), this);
            button->setObjectName(QString::fromLatin1(name));
            layout->addWidget(button);
            buttons.append(button);
        }
    }
    QList<QLineEdit *> fields;
    QList<QPushButton *> buttons;
};

// Types text as key presses; letters beyond ASCII (ñ, ú) as the key of their
// upper-case letter with the typed text, as a Spanish keyboard sends them.
static void typeText(QWidget *widget, const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(widget, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key(c.toUpper().unicode()), QString(c), Qt::NoModifier);
    }
}

class TstUiHelpers : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        services::setPauseScale(0);
        m_form = std::make_unique<Form>();
        m_form->show();
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    }
    void cleanup()
    {
        m_form.reset();
        services::setPauseScale(1);
    }

    void typedTextIsConverted_data();
    void typedTextIsConverted();
    void fieldTurnsGreenWhileFocusedAndBackToItsOwnColour();
    void buttonTurnsGreenWhileFocused();
    void enterOnButtonClicksIt();
    void enterMovesToTheNextFieldWithItsTextSelected_data();
    void enterMovesToTheNextFieldWithItsTextSelected();
    void upAndDownGoRoundTheRing();
    void clickSelectsTheWholeText();
    void twipsFollowTheScreenResolution();
    void pausaRunsPendingEventsAndWaitsItsScaledTime();
    void espereShowsCentredOnTheMainWindow();
    void messageBoxShowsTitleTextIconAndAnswersYesNo_data();
    void messageBoxShowsTitleTextIconAndAnswersYesNo();
    void failureInAHandlerBecomesAMessage_data();
    void failureInAHandlerBecomesAMessage();

private:
    QLineEdit *field(int i) const { return m_form->fields[i]; }
    std::unique_ptr<Form> m_form;
};

void TstUiHelpers::typedTextIsConverted_data()
{
    QTest::addColumn<FieldOptions>("options");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");

    QTest::newRow("plain field keeps what is typed") << FieldOptions{} << "ab 1.5" << "ab 1.5";
    QTest::newRow("amount: point becomes comma") << FieldOptions{false, true, true} << "173.03" << "173,03";
    QTest::newRow("amount: comma stays") << FieldOptions{false, true, true} << "2,5" << "2,5";
    QTest::newRow("upper case, accents too") << FieldOptions{true, false, true} << "perez ñandú 1.5" << "PEREZ ÑANDÚ 1.5";
    QTest::newRow("upper case and comma") << FieldOptions{true, true, true} << "a.b" << "A,B";
}

void TstUiHelpers::typedTextIsConverted()
{
    QFETCH(FieldOptions, options);
    QFETCH(QString, typed);
    QFETCH(QString, expected);

    ui::setupField(field(0), options);
    QSignalSpy edited(field(0), &QLineEdit::textEdited);
    field(0)->setFocus();
    typeText(field(0), typed);
    QCOMPARE(field(0)->text(), expected);
    QVERIFY(!edited.isEmpty());
    QCOMPARE(edited.last().at(0).toString(), expected);
}

void TstUiHelpers::fieldTurnsGreenWhileFocusedAndBackToItsOwnColour()
{
    const QColor plain = field(0)->palette().color(QPalette::Base);
    ui::setupField(field(0));
    ui::setupField(field(1));
    // The second field has a colour of its own, as a locked field would.
    QPalette yellow = field(1)->palette();
    yellow.setColor(QPalette::Base, Qt::yellow);
    field(1)->setPalette(yellow);

    field(0)->setFocus();
    QCOMPARE(field(0)->palette().color(QPalette::Base), QColor(0xC0, 0xFF, 0xC0));
    field(1)->setFocus();
    QCOMPARE(field(0)->palette().color(QPalette::Base), plain);
    QCOMPARE(field(1)->palette().color(QPalette::Base), QColor(0xC0, 0xFF, 0xC0));
    field(2)->setFocus();
    QCOMPARE(field(1)->palette().color(QPalette::Base), QColor(Qt::yellow));
}

void TstUiHelpers::buttonTurnsGreenWhileFocused()
{
    QPushButton *button = m_form->buttons[0];
    ui::setupButton(button);
    QCOMPARE(button->palette().color(QPalette::Button), QColor(0xE0, 0xE0, 0xE0));
    button->setFocus();
    QCOMPARE(button->palette().color(QPalette::Button), QColor(0x00, 0xFF, 0x00));
    field(0)->setFocus();
    QCOMPARE(button->palette().color(QPalette::Button), QColor(0xE0, 0xE0, 0xE0));
}

void TstUiHelpers::enterOnButtonClicksIt()
{
    QPushButton *button = m_form->buttons[0];
    ui::setupButton(button);
    QSignalSpy clicked(button, &QPushButton::clicked);
    button->setFocus();
    QTest::keyClick(button, Qt::Key_Return);
    QCOMPARE(clicked.size(), 1);
}

void TstUiHelpers::enterMovesToTheNextFieldWithItsTextSelected_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
}

void TstUiHelpers::enterMovesToTheNextFieldWithItsTextSelected()
{
    QFETCH(int, key);
    for (QLineEdit *f : m_form->fields) {
        ui::setupField(f);
        f->setText(f->objectName() + QStringLiteral(" texto"));
    }
    ui::enterMovesTo(field(0), field(1));
    ui::enterMovesTo(field(1), QStringLiteral("Text3"));

    field(0)->setFocus();
    QTest::keyClick(field(0), Qt::Key(key));
    QCOMPARE(QApplication::focusWidget(), field(1));
    QCOMPARE(field(1)->selectedText(), QStringLiteral("Text2 texto"));
    QCOMPARE(field(0)->text(), QStringLiteral("Text1 texto"));

    QTest::keyClick(field(1), Qt::Key(key));
    QCOMPARE(QApplication::focusWidget(), field(2));
    QCOMPARE(field(2)->selectedText(), QStringLiteral("Text3 texto"));
}

void TstUiHelpers::upAndDownGoRoundTheRing()
{
    ui::upDownRing({field(0), field(1), field(2)});
    field(2)->setText(QStringLiteral("abc"));
    field(0)->setFocus();
    QTest::keyClick(field(0), Qt::Key_Up);
    QCOMPARE(QApplication::focusWidget(), field(2));
    QCOMPARE(field(2)->selectedText(), QStringLiteral("abc"));
    QTest::keyClick(field(2), Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), field(0));
    QTest::keyClick(field(0), Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), field(1));
}

void TstUiHelpers::clickSelectsTheWholeText()
{
    ui::setupField(field(0));
    ui::setupField(field(1), {false, false, false});
    field(0)->setText(QStringLiteral("1234,50"));
    field(1)->setText(QStringLiteral("1234,50"));
    QTest::mouseClick(field(0), Qt::LeftButton, {}, QPoint(5, field(0)->height() / 2));
    QCOMPARE(field(0)->selectedText(), QStringLiteral("1234,50"));
    QTest::mouseClick(field(1), Qt::LeftButton, {}, QPoint(5, field(1)->height() / 2));
    QVERIFY(field(1)->selectedText().isEmpty());
}

void TstUiHelpers::twipsFollowTheScreenResolution()
{
    const double dpi = QGuiApplication::primaryScreen()->logicalDotsPerInchX();
    QCOMPARE(ui::twips(1440), qRound(dpi));
    QCOMPARE(ui::twips(0), 0);
    QCOMPARE(ui::toTwips(ui::twips(14400)), 14400);
    if (qFuzzyCompare(dpi, 96.0))
        QCOMPARE(ui::twips(2100), 140);

    QWidget child(m_form.get());
    ui::placeAtTwips(&child, 1440, 720);
    QCOMPARE(child.pos(), QPoint(ui::twips(1440), ui::twipsY(720)));
}

void TstUiHelpers::pausaRunsPendingEventsAndWaitsItsScaledTime()
{
    bool ran = false;
    QTimer::singleShot(0, this, [&ran] { ran = true; });
    QElapsedTimer clock;
    clock.start();
    ui::Pausa(100000);   // scaled to nothing
    QVERIFY(ran);
    QVERIFY(clock.elapsed() < 50000);

    services::setPauseScale(0.5);
    clock.restart();
    ui::Pausa(100);
    QVERIFY2(clock.elapsed() >= 50, qPrintable(QString::number(clock.elapsed())));
}

void TstUiHelpers::espereShowsCentredOnTheMainWindow()
{
    QMainWindow main;
    main.setGeometry(100, 100, 800, 600);
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));

    ui::Espere::show();
    QWidget *espere = ui::Espere::window();
    QVERIFY(espere);
    QVERIFY(ui::Espere::isShown());
    QCOMPARE(espere->objectName(), QStringLiteral("Espere"));
    QVERIFY(espere->windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(espere->palette().color(QPalette::Window), QColor(Qt::red));
    const auto *label = espere->findChild<QLabel *>();
    QVERIFY(label);
    QCOMPARE(label->text(), QStringLiteral("Espere un Momento..."));
    QVERIFY(label->font().bold());
    QVERIFY((espere->frameGeometry().center() - main.frameGeometry().center()).manhattanLength() <= 2);
    QVERIFY(!QApplication::activeModalWidget());

    ui::Espere::hide();
    QVERIFY(!ui::Espere::isShown());
    {
        ui::EspereScope scope;
        QVERIFY(ui::Espere::isShown());
    }
    QVERIFY(!ui::Espere::isShown());
}

void TstUiHelpers::messageBoxShowsTitleTextIconAndAnswersYesNo_data()
{
    QTest::addColumn<int>("icon");
    QTest::addColumn<bool>("yesNo");
    QTest::addColumn<QString>("press");
    QTest::addColumn<int>("boxIcon");
    QTest::addColumn<int>("answer");

    QTest::newRow("information") << int(services::Icon::Information) << false << "OK"
                                 << int(QMessageBox::Information) << int(services::Answer::Ok);
    QTest::newRow("exclamation") << int(services::Icon::Exclamation) << false << "OK"
                                 << int(QMessageBox::Warning) << int(services::Answer::Ok);
    QTest::newRow("question, yes") << int(services::Icon::Critical) << true << "&Sí"
                                   << int(QMessageBox::Critical) << int(services::Answer::Yes);
    QTest::newRow("question, no") << int(services::Icon::Question) << true << "&No"
                                  << int(QMessageBox::Question) << int(services::Answer::No);
    QTest::newRow("question, Escape") << int(services::Icon::Critical) << true << "Escape"
                                      << int(QMessageBox::Critical) << int(services::Answer::No);
}

void TstUiHelpers::messageBoxShowsTitleTextIconAndAnswersYesNo()
{
    QFETCH(int, icon);
    QFETCH(bool, yesNo);
    QFETCH(QString, press);
    QFETCH(int, boxIcon);
    QFETCH(int, answer);

    QString seenTitle, seenText;
    int seenIcon = -1;
    QStringList seenButtons;
    QTimer::singleShot(0, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        seenTitle = box->windowTitle();
        seenText = box->text();
        seenIcon = box->icon();
        for (QAbstractButton *b : box->buttons())
            seenButtons << b->text();
        if (press == QLatin1String("Escape")) {
            QTest::keyClick(box, Qt::Key_Escape);
            return;
        }
        for (QAbstractButton *b : box->buttons())
            if (b->text() == press || (press == QLatin1String("OK") && box->buttons().size() == 1))
                b->click();
    });
    ui::MessageBoxService service;
    const auto result = service.show({QStringLiteral("Guardar"), QStringLiteral("¿Borra <b>el</b> registro?"),
                                      services::Icon(icon), yesNo});
    QCOMPARE(seenTitle, QStringLiteral("Guardar"));
    QCOMPARE(seenText, QStringLiteral("¿Borra <b>el</b> registro?"));
    QCOMPARE(seenIcon, boxIcon);
    if (yesNo)
        QCOMPARE(seenButtons.size(), 2);
    QCOMPARE(int(result), answer);
}

void TstUiHelpers::failureInAHandlerBecomesAMessage_data()
{
    QTest::addColumn<bool>("storeError");
    QTest::addColumn<QString>("text");
    QTest::newRow("store error") << true << "No se encuentra el archivo «Articulos.mdb».";
    QTest::newRow("other exception") << false << "algo falló";
}

void TstUiHelpers::failureInAHandlerBecomesAMessage()
{
    QFETCH(bool, storeError);
    QFETCH(QString, text);
    MessagesGuard messages;
    QPushButton *button = m_form->buttons[0];
    connect(button, &QPushButton::clicked, this, [&] {
        if (storeError)
            throw store::StoreError(store::StoreError::Kind::MissingFile, text, QStringLiteral("Articulos.mdb"));
        throw std::runtime_error(text.toStdString());
    });
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(messages->shown.size(), 1);
    QCOMPARE(messages->shown[0].title, QStringLiteral("Error"));
    QCOMPARE(messages->shown[0].text, text);
    QCOMPARE(messages->shown[0].icon, services::Icon::Critical);
    QVERIFY(m_form->isVisible());
}

int main(int argc, char **argv)
{
    ui::Application app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    TstUiHelpers test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_ui_helpers.moc"
