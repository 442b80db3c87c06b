#include "frmUtility.h"

#include "AppError.h"
#include "DatalogCapture.h"
#include "DateConversion.h"
#include "InstrumentOperations.h"
#include "LinkWait.h"
#include "OpenViewer.h"
#include "OpenWindows.h"
#include "ReportError.h"
#include "Sensor.h"
#include "modGlobals.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QMenuBar>
#include <QThread>
#include <QWindow>

namespace {

// The designed caption; start-up puts the instrument's name before it.
const QString DesignedCaption = QStringLiteral("Utility");
}  // namespace

frmUtility::frmUtility(DriverFactory driverFactory, QWidget* parent)
    : QMainWindow(parent), driverFactory_(std::move(driverFactory))
{
    setObjectName(QStringLiteral("frmUtility"));
    setWindowTitle(DesignedCaption);
    resize(420, 60);
    buildMenus();
    RegisterMainWindow(this);
    // While the serial link waits for a reply the windows keep painting; the
    // operator's input waits until the exchange is over, so no second
    // command can start in the middle of one.
    LinkWait::SetIdleHook([this] {
        const bool outer = !waitingForInstrument_;
        waitingForInstrument_ = true;
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        if (outer) waitingForInstrument_ = false;
    });
}

frmUtility::~frmUtility()
{
    LinkWait::SetIdleHook({});
    UnregisterMainWindow(this);
}

frmUtility& frmUtility::instance()
{
    // The registered main window is this program's one frmUtility.
    auto* window = dynamic_cast<frmUtility*>(&MainWindow());
    if (!window) throw std::logic_error("the registered main window is not the program's");
    return *window;
}

QMenu* frmUtility::addMenuGroup(const QString& objectName, const QString& caption, const QString& itemGroup,
                                const QStringList& captions, QList<QAction*>& items,
                                void (frmUtility::*handler)(int))
{
    QMenu* menu = menuBar()->addMenu(caption);
    menu->setObjectName(objectName);
    for (int index = 0; index < captions.size(); ++index) {
        QAction* action = captions[index] == QLatin1String("-") ? menu->addSeparator() : menu->addAction(captions[index]);
        action->setObjectName(itemGroup);
        action->setProperty("Index", index);
        connect(action, &QAction::triggered, this, [this, handler, index] { (this->*handler)(index); });
        items << action;
    }
    return menu;
}

void frmUtility::buildMenus()
{
    addMenuGroup(QStringLiteral("mnuFile"), QStringLiteral("&File"), QStringLiteral("mnuFileItem"),
                 {QStringLiteral("&Preferences..."), QStringLiteral("-"), QStringLiteral("E&xit")}, fileItems_,
                 &frmUtility::mnuFileItem_Click);
    addMenuGroup(QStringLiteral("mnuSensor"), QStringLiteral("&Sensor"), QStringLiteral("mnuSensorItem"),
                 {QStringLiteral("&Archive Product Setups"), QStringLiteral("&Restore Product Setups"),
                  QStringLiteral("&Compare Product Setups..."), QStringLiteral("&Edit Product Setup"), QStringLiteral("-"), QStringLiteral("&Identification"),
                  QStringLiteral("Set &Date and Time..."), QStringLiteral("-"), QStringLiteral("&Capture Screen")},
                 sensorItems_, &frmUtility::mnuSensorItem_Click);
    addMenuGroup(QStringLiteral("mnuDatalog"), QStringLiteral("&Datalog"), QStringLiteral("mnuDatalogItem"),
                 {QStringLiteral("Captur&e"), QStringLiteral("Con&vert"), QStringLiteral("&Clear"), QStringLiteral("-"),
                  QStringLiteral("&View Datalog File..."), QStringLiteral("View &Instrument Datalog")},
                 datalogItems_,
                 &frmUtility::mnuDatalogItem_Click);
    addMenuGroup(QStringLiteral("mnuHelp"), QStringLiteral("&Help"), QStringLiteral("mnuHelpItem"),
                 {QStringLiteral("&About")}, helpItems_, &frmUtility::mnuHelpItem_Click);

    // Items for service staff: present, not shown in the menus.
    sensorItems_[7]->setVisible(false);
    sensorItems_[8]->setVisible(false);
    datalogItems_[1]->setVisible(false);
    // Service staff reach them by keyboard: a hidden menu item is disabled
    // with its shortcut, so the shortcuts are actions of the window itself.
    addServiceShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), [this] { mnuSensorItem_Click(8); });
    addServiceShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V), [this] { mnuDatalogItem_Click(1); });
}

void frmUtility::addServiceShortcut(const QKeySequence& keys, const std::function<void()>& command)
{
    auto* action = new QAction(this);
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, command);
    addAction(action);
}

QAction* frmUtility::mnuFileItem(int index) const { return fileItems_.value(index); }
QAction* frmUtility::mnuSensorItem(int index) const { return sensorItems_.value(index); }
QAction* frmUtility::mnuDatalogItem(int index) const { return datalogItems_.value(index); }
QAction* frmUtility::mnuHelpItem(int index) const { return helpItems_.value(index); }

void frmUtility::showPainted()
{
    show();
    // The window system maps the window a moment after show(); until it is
    // exposed nothing can be painted. Waiting for it (briefly) and painting
    // at once spares the operator an empty frame while the instrument is
    // asked, which may take the whole reply timeout.
    const QDeadlineTimer deadline(2000);
    while (!(windowHandle() && windowHandle()->isExposed()) && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        QThread::msleep(5);
    }
    repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void frmUtility::Form_Load()
{
    showPainted();
    delimiter_ = Preferences::LoadPreferences();
    SetDelimiter(delimiter_);

    Sensor& sensor = SensorDriver();
    try {
        sensor.OpenCommPort();
    } catch (const AppError& error) {
        // A port that is there but cannot be used: its name and the reason,
        // which the operator can act on.
        if (error.number() != ErrorNumber::PortUnavailable) throw;
        Env().ShowMessage(error.description(), MessageButtons::Ok, MessageIcon::Critical);
        throw ProgramEnd{3};
    }
    if (!sensor.InstrumentConnected()) {
        Env().ShowMessage(QStringLiteral("Instrument not connected or turned off"), MessageButtons::Ok,
                          MessageIcon::None);
        throw ProgramEnd{3};
    }
    if (!sensor.InstrumentSupported()) {
        Env().ShowMessage(QStringLiteral("The firmware in the attached instrument is not compatible with this program"
                                         "\r\n\r\nPlease contact Velmora to obtain upgrade information"),
                          MessageButtons::Ok, MessageIcon::Critical);
        sensor.CloseCommPort();
        throw ProgramEnd{3};
    }
    GetInstrumentName();
    modGlobals::MainCaption = modGlobals::InstrumentDisplayName + QLatin1Char(' ') + windowTitle();
    modGlobals::ApplyFormIcon(this);
    setWindowTitle(modGlobals::MainCaption);
}

Sensor& frmUtility::SensorDriver()
{
    if (!sensor_) sensor_ = std::make_unique<Sensor>(driverFactory_);
    return *sensor_;
}

Exchange frmUtility::ReportingExchange()
{
    const auto reporting = [this](const QByteArray& command) {
        for (;;) {
            try {
                return SensorDriver().ExecCommand(command);
            } catch (const AppError& error) {
                // A timeout, a lost link or a busy instrument is offered for
                // Retry here (the Sensor reopens a lost link when the command
                // is sent again); any other error is the operation's to report.
                if (!OffersRetry(error)) throw;
                ReportError(error);  // returns only for Retry
            }
        }
    };
    return Exchange(reporting, [this](const QByteArray& command) { SensorDriver().SendAhead(command); });
}

int16_t frmUtility::DatalogCount()
{
    BusyPointer busy;
    return WithErrorReport([&] { return InstrumentOperations::DatalogCount(SensorDriver()); });
}

double frmUtility::StdzTimestamp() { return SecondsToDate(InstrumentOperations::StdzSeconds(SensorDriver())); }

void frmUtility::ClearDatalog()
{
    BusyPointer busy;
    WithErrorReport([&] { InstrumentOperations::ClearDatalog(SensorDriver()); });
}

void frmUtility::SetDateAndTime()
{
    InstrumentOperations::SetClock(SensorDriver(), DateToSeconds(DateValueFromDateTime(Env().Now())));
}

void frmUtility::GetInstrumentName()
{
    BusyPointer busy;
    WithErrorReport([&] { modGlobals::InstrumentDisplayName = SensorDriver().InstrumentName(); });
}

QString frmUtility::chooseFile(const QString& title, FileDialogKind kind)
{
    FileChoice choice;
    choice.title = title;
    choice.kind = kind;
    return Env().ChooseFile(choice);
}

void frmUtility::mnuFileItem_Click(int index)
{
    switch (index) {
    case 0: OpenWindows::Preferences(delimiter_); break;
    case 2: close(); break;
    default: break;
    }
}

void frmUtility::mnuSensorItem_Click(int index)
{
    switch (index) {
    case 0: {
        const QString file = chooseFile(QStringLiteral("Archive Product Setups"), FileDialogKind::Save);
        if (!file.isEmpty()) OpenWindows::UploadSetups(file);
        break;
    }
    case 1: {
        const QString file = chooseFile(QStringLiteral("Restore Product Setups"), FileDialogKind::Open);
        if (!file.isEmpty()) OpenWindows::DownloadSetups(file);
        break;
    }
    case 2: {
        const QString file = chooseFile(QStringLiteral("Compare Product Setups"), FileDialogKind::Open);
        if (!file.isEmpty()) OpenWindows::CompareSetups(file);
        break;
    }
    case 3: OpenWindows::EditProductSetup(); break;
    case 5: OpenWindows::Identification(); break;
    case 6: OpenWindows::SetDateAndTime(); break;
    case 8: OpenWindows::CaptureScreen(); break;
    default: break;
    }
}

void frmUtility::mnuDatalogItem_Click(int index)
{
    switch (index) {
    case 0: runDatalogCapture(); break;
    case 1: runDatalogConversion(); break;
    case 2: runDatalogClear(); break;
    case 4: OpenViewer::ViewDatalogFile(); break;
    case 5: OpenViewer::ViewInstrumentDatalog(); break;
    default: break;
    }
}

void frmUtility::mnuHelpItem_Click(int index)
{
    if (index == 0) OpenWindows::About();
}

void frmUtility::runDatalogCapture()
{
    if (DatalogCount() == 0) {
        Env().ShowMessage(DatalogCapture::EmptyText, MessageButtons::Ok, MessageIcon::Exclamation,
                          modGlobals::MainCaption);
        return;
    }
    const QString file = chooseFile(QStringLiteral("Capture Datalog"), FileDialogKind::Save);
    if (!file.isEmpty()) OpenWindows::UploadDatalog(file);
}

void frmUtility::runDatalogConversion()
{
    const QString source = chooseFile(QStringLiteral("Convert Datalog File - Import From"), FileDialogKind::Open);
    if (source.isEmpty()) return;
    const QString target = chooseFile(QStringLiteral("Convert Datalog File - Save As"), FileDialogKind::Save);
    if (target.isEmpty()) return;
    OpenWindows::ConvertDatalog(source, target);
}

void frmUtility::runDatalogClear()
{
    const MessageAnswer answer = Env().ShowMessage(QStringLiteral("Proceed to clear the Datalog?"), MessageButtons::YesNo,
                                                   MessageIcon::Question, modGlobals::MainCaption);
    if (answer != MessageAnswer::No) ClearDatalog();
}

void frmUtility::SetOperationRunning(bool running)
{
    operationRunning_ = running;
    menuBar()->setEnabled(!running);
    for (QAction* action : actions()) action->setEnabled(!running);
}

void frmUtility::closeEvent(QCloseEvent* event)
{
    if (operationRunning_ || waitingForInstrument_) {
        // The progress window's Cancel ends the operation first; a reply
        // under way is awaited (the window system's close button is no user
        // input that the wait holds back).
        event->ignore();
        return;
    }
    event->accept();
    if (closed_) return;
    closed_ = true;
    if (sensor_) sensor_->CloseCommPort();
}
