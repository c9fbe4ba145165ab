#include "main_window.h"

#include "acerca.h"
#include "calculator.h"
#include "clock_text.h"
#include "common/session.h"
#include "common/ui/application.h"
#include "common/ui/twips.h"
#include "common/ui/window_opener.h"
#include "mdi_arrange.h"
#include "store/database_folder.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScreen>
#include <QTimer>
#include <QToolButton>

namespace shell {

namespace {

// Ctrl+A opens the invoice ticket also from inside a text box, as the
// cashier expects while working in the ticket window; the box would
// otherwise take it as "select all". Ctrl+X and Ctrl+Z keep their editing
// meaning inside a text box, so that a daily close never runs by accident.
class MenuKeysWin final : public QObject {
public:
    explicit MenuKeysWin(QObject *parent) : QObject(parent) {}

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::ShortcutOverride)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_A && key->modifiers() == Qt::ControlModifier) {
            event->ignore();   // not for the text box: the menu's shortcut runs
            return true;
        }
        return false;
    }
};

} // namespace

const QString Principal::DesignTitle = QStringLiteral("Sistema - Gualter Torvi e Hijos  .....");

Principal::Principal(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Principal"));

    m_deposito = store::DatabaseFolder::current().open(store::files::Opcion);
    m_data1 = std::make_unique<store::TableView>(*m_deposito, QStringLiteral("Usuarios"));

    m_mdi = new QMdiArea(this);
    m_mdi->setObjectName(QStringLiteral("MDIForm"));
    m_mdi->setBackground(QColor(0xC0, 0xC0, 0xC0));
    setCentralWidget(m_mdi);

    m_lblTime = new QLabel(this);
    m_lblTime->setObjectName(QStringLiteral("lblTime"));
    m_lblTime->setFrameStyle(QFrame::Box | QFrame::Plain);
    m_lblTime->setAlignment(Qt::AlignCenter);
    QFont clockFont(QStringLiteral("Arial"));
    clockFont.setPointSizeF(21.75);
    clockFont.setBold(true);
    m_lblTime->setFont(clockFont);
    m_lblTime->setMinimumWidth(ui::twips(2000));

    buildMenus();
    buildToolbar();
    wireBuiltInActions();

    qApp->installEventFilter(new MenuKeysWin(this));

    // Windows that open another working window by name (a picker opening
    // the article window) reach it through here.
    m_previousOpener = ui::setWindowOpener([this](const QString &name, int leftTwips, int topTwips) -> QWidget * {
        const auto it = m_factories.constFind(name);
        if (it == m_factories.constEnd())
            return nullptr;
        return openChild(name, it->factory, leftTwips, topTwips, it->placement);
    });

    m_timer1 = new QTimer(this);
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setInterval(100);
    connect(m_timer1, &QTimer::timeout, this, &Principal::updateClock);
    updateClock();
    m_timer1->start();

    setWindowTitle(DesignTitle + QStringLiteral(" - ") + session::UsuarioActual());

    resize(ui::twips(14895), ui::twipsY(10410));
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        resize(size().boundedTo(available.size()));
        QRect frame = frameGeometry();
        frame.moveCenter(available.center());
        move(frame.topLeft());
    }
}

Principal::~Principal()
{
    ui::setWindowOpener(std::move(m_previousOpener));
}

void Principal::bindAction(const QString &key, std::function<void()> handler)
{
    QAction *target = action(key);
    if (!target) {
        qWarning("Principal: no menu entry '%s'", qPrintable(key));
        return;
    }
    if (m_bindings.contains(key))
        disconnect(m_bindings.take(key));
    m_bindings.insert(key, connect(target, &QAction::triggered, this, std::move(handler)));
    target->setEnabled(true);
}

void Principal::wireBuiltInActions()
{
    bindAction(QStringLiteral("Calculadora"), [] { startCalculator(); });
    bindAction(QStringLiteral("CierreZ"), [this] { CierreZ(); });
    bindAction(QStringLiteral("CierreX"), [this] { CierreX(); });
    bindAction(QStringLiteral("Cascada"), [this] { m_mdi->cascadeSubWindows(); });
    bindAction(QStringLiteral("Mosaico"), [this] { tileHorizontally(m_mdi); });
    bindAction(QStringLiteral("OrganizarIconos"), [this] { OrganizarIconos(); });
    bindAction(QStringLiteral("Acerca"), [this] { Acerca(); });
    bindAction(QStringLiteral("Salir"), [this] { Salir(); });
    connect(m_windowMenu, &QMenu::aboutToShow, this, &Principal::updateWindowList);
}

QAction *Principal::action(const QString &key) const
{
    return m_actions.value(key);
}

QToolButton *Principal::toolButton(const QString &objectName) const
{
    return findChild<QToolButton *>(objectName);
}

void Principal::registerWindow(const QString &windowName, WindowFactory factory, int leftTwips, int topTwips,
                               Placement placement)
{
    m_factories.insert(windowName, {factory, placement});
    bindAction(windowName, [this, windowName, factory = std::move(factory), leftTwips, topTwips, placement] {
        openChild(windowName, factory, leftTwips, topTwips, placement);
    });
}

void Principal::registerListing(const QString &listingName, WindowFactory factory)
{
    bindAction(listingName,
               [this, listingName, factory = std::move(factory)] { showListing(listingName, factory); });
}

void Principal::registerAction(const QString &key, std::function<void()> handler)
{
    bindAction(key, std::move(handler));
}

QWidget *Principal::findChildWindow(const QString &windowName) const
{
    QWidget *window = m_openWindows.value(windowName);
    if (!window)
        return nullptr;
    // A closed window is on its way out (deleted on close). A minimised MDI
    // frame hides its window without closing it.
    if (auto *frame = qobject_cast<QMdiSubWindow *>(window->parentWidget()))
        return !frame->isHidden() && (frame->isMinimized() || !window->isHidden()) ? window : nullptr;
    return window->isHidden() ? nullptr : window;
}

QWidget *Principal::openChild(const QString &windowName, const WindowFactory &factory, int leftTwips,
                              int topTwips, Placement placement)
{
    QWidget *window = findChildWindow(windowName);
    if (!window) {
        // A window that cannot open its files says so and does not open.
        try {
            window = factory();
        } catch (const std::exception &e) {
            ui::reportFailure(QString::fromUtf8(e.what()));
            return nullptr;
        }
        if (!window)
            return nullptr;
        if (window->objectName().isEmpty())
            window->setObjectName(windowName);
        window->setAttribute(Qt::WA_DeleteOnClose);
        m_openWindows.insert(windowName, window);
        if (placement == Placement::OnScreen)
            window->setParent(this, window->windowFlags() | Qt::Window);
        else
            addChild(window);
    }

    if (auto *sub = qobject_cast<QMdiSubWindow *>(window->parentWidget())) {
        if (sub->isMinimized())
            sub->showNormal();
        sub->show();
        window->show();
        ui::placeAtTwips(sub, leftTwips, topTwips);
        m_mdi->setActiveSubWindow(sub);
    } else {
        if (window->isMinimized())
            window->showNormal();
        window->show();
        ui::placeAtTwips(window, leftTwips, topTwips);
        window->raise();
        window->activateWindow();
    }
    return window;
}

QMdiSubWindow *Principal::addChild(QWidget *window)
{
    // The frame keeps the size the window gave itself.
    const QSize ownSize = window->testAttribute(Qt::WA_Resized) ? window->size() : QSize();
    QMdiSubWindow *frame = m_mdi->addSubWindow(window);
    // A window of fixed size has a fixed border: no maximise or minimise.
    if (window->minimumSize() == window->maximumSize())
        frame->setWindowFlags(Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                              | Qt::WindowCloseButtonHint);
    if (ownSize.isValid()) {
        frame->ensurePolished();
        if (QLayout *layout = frame->layout())
            layout->activate();
        frame->resize(ownSize + (frame->size() - window->size()));
    }
    // A window that closes itself leaves its frame behind: close the frame
    // too, once the window is gone. (Queued, so that nothing runs while the
    // frame itself is being destroyed with its window.)
    connect(window, &QObject::destroyed, frame, &QMdiSubWindow::close, Qt::QueuedConnection);
    return frame;
}

QWidget *Principal::showListing(const QString &listingName, const WindowFactory &factory)
{
    if (QWidget *open = findChildWindow(listingName)) {
        QWidget *frame = qobject_cast<QMdiSubWindow *>(open->parentWidget());
        (frame ? frame : open)->close();
    }
    QWidget *listing = factory();
    if (!listing)
        return nullptr;
    if (listing->objectName().isEmpty())
        listing->setObjectName(listingName);
    listing->setAttribute(Qt::WA_DeleteOnClose);
    m_openWindows.insert(listingName, listing);
    if (listing->isWindow()) {
        listing->setParent(this, listing->windowFlags() | Qt::Window);
        listing->show();
        listing->raise();
        listing->activateWindow();
    } else {
        addChild(listing)->show();
    }
    return listing;
}

void Principal::CierreZ()
{
    m_printer.CierreDiario(QStringLiteral("Z"));
}

void Principal::CierreX()
{
    m_printer.CierreDiario(QStringLiteral("X"), QStringLiteral("P"));
}

void Principal::OrganizarIconos()
{
    arrangeIcons(m_mdi);
}

void Principal::Acerca()
{
    shell::Acerca about(this);
    about.exec();
}

void Principal::Salir()
{
    if (m_ending)
        return;
    m_ending = true;
    emit programEndRequested();
}

void Principal::closeEvent(QCloseEvent *event)
{
    event->accept();
    Salir();
}

void Principal::updateClock()
{
    const QString now = clockText(QTime::currentTime());
    if (now != m_lblTime->text())
        m_lblTime->setText(now);
}

void Principal::updateWindowList()
{
    qDeleteAll(m_windowListActions);
    m_windowListActions.clear();
    const QList<QMdiSubWindow *> windows = m_mdi->subWindowList();
    int number = 0;
    for (QMdiSubWindow *sub : windows) {
        if (sub->isHidden())
            continue;
        if (number == 0)
            m_windowListActions.append(m_windowMenu->addSeparator());
        ++number;
        const QString title = sub->widget() ? sub->widget()->windowTitle() : sub->windowTitle();
        QAction *entry = m_windowMenu->addAction(QStringLiteral("&%1 %2").arg(number).arg(title));
        entry->setCheckable(true);
        entry->setChecked(sub == m_mdi->activeSubWindow());
        connect(entry, &QAction::triggered, this, [this, sub = QPointer<QMdiSubWindow>(sub)] {
            if (sub)
                m_mdi->setActiveSubWindow(sub);
        });
        m_windowListActions.append(entry);
    }
}

} // namespace shell
